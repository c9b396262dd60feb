// Who can see the frames, as Windows tells it: the display's power (switched off by power
// management) and the session (disconnected). The decision is Visibility's.
#include <windows.h>
#include <wtsapi32.h>

#include <cstring>
#include <utility>

#include "win32_renderer.h"

namespace {

// NOTE: defined here rather than through <initguid.h>, which would define every GUID of the
// headers in this file. Data: a DWORD, 0 off, 1 on, 2 dimmed.
constexpr GUID kConsoleDisplayState = {
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr GUID kSessionDisplayStatus = {
    0x2b84c20e, 0xad23, 0x4ddf, {0x93, 0xdb, 0x05, 0xff, 0xbd, 0x7e, 0xfc, 0xa5}};

}  // namespace

void ListenForViewers(HWND window)
{
    // Each registration also sends the setting's present value at once.
    renderer.displayNotices[0] =
        RegisterPowerSettingNotification(window, &kConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
    renderer.displayNotices[1] =
        RegisterPowerSettingNotification(window, &kSessionDisplayStatus, DEVICE_NOTIFY_WINDOW_HANDLE);
    WTSRegisterSessionNotification(window, NOTIFY_FOR_THIS_SESSION);
}

void StopListeningForViewers(HWND window)
{
    for (HPOWERNOTIFY& notice : renderer.displayNotices)
        if (notice)
            UnregisterPowerSettingNotification(std::exchange(notice, nullptr));
    WTSUnRegisterSessionNotification(window);
}

void NoteViewers(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_WTSSESSION_CHANGE) {
        if (wParam == WTS_CONSOLE_DISCONNECT || wParam == WTS_REMOTE_DISCONNECT)
            renderer.visibility.SessionConnected(false);
        if (wParam == WTS_CONSOLE_CONNECT || wParam == WTS_REMOTE_CONNECT)
            renderer.visibility.SessionConnected(true);
        return;
    }
    if (message != WM_POWERBROADCAST || wParam != PBT_POWERSETTINGCHANGE || !lParam)
        return;
    const auto& setting = *reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
    if (setting.DataLength < sizeof(DWORD))
        return;
    DWORD state = 0;
    memcpy(&state, setting.Data, sizeof(state));
    if (IsEqualGUID(setting.PowerSetting, kConsoleDisplayState))
        renderer.visibility.ConsoleDisplay(state);
    if (IsEqualGUID(setting.PowerSetting, kSessionDisplayStatus))
        renderer.visibility.SessionDisplay(state);
}
