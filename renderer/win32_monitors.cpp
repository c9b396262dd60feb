// The monitors as Windows reports them, with the refresh of each, and the saver window that
// follows them when the display changes while it runs.
#include <string>
#include <vector>

#include "frame_start.h"
#include "win32_renderer.h"

namespace {

// What the monitors show: each one's rectangle (virtual-screen coordinates) and refresh, and the
// exact refresh of each active display path by the GDI name of its source (\\.\DISPLAY1).
struct MonitorsSeen {
    std::vector<std::pair<std::wstring, DISPLAYCONFIG_RATIONAL>> pathRates;
    std::vector<ScreenRect> rectangles;
    std::vector<RefreshRate> rates;
};

// NOTE: EnumDisplaySettings gives whole hertz, truncated (59 for 59.94); the display
// configuration gives the fraction itself, where the driver reports one.
void ReadPathRates(MonitorsSeen& seen)
{
    UINT32 pathCount = 0;
    UINT32 modeCount = 0;
    if (GetDisplayConfigBufferSizes(QDC_ONLY_ACTIVE_PATHS, &pathCount, &modeCount) != ERROR_SUCCESS)
        return;
    std::vector<DISPLAYCONFIG_PATH_INFO> paths(pathCount);
    std::vector<DISPLAYCONFIG_MODE_INFO> modes(modeCount);
    if (QueryDisplayConfig(QDC_ONLY_ACTIVE_PATHS, &pathCount, paths.data(), &modeCount,
                           modes.data(), nullptr) != ERROR_SUCCESS)
        return;
    for (UINT32 i = 0; i < pathCount; ++i) {
        DISPLAYCONFIG_SOURCE_DEVICE_NAME source{};
        source.header.type = DISPLAYCONFIG_DEVICE_INFO_GET_SOURCE_NAME;
        source.header.size = sizeof(source);
        source.header.adapterId = paths[i].sourceInfo.adapterId;
        source.header.id = paths[i].sourceInfo.id;
        if (DisplayConfigGetDeviceInfo(&source.header) == ERROR_SUCCESS)
            seen.pathRates.emplace_back(source.viewGdiDeviceName, paths[i].targetInfo.refreshRate);
    }
}

// Notes a monitor's rectangle and its refresh: the display configuration's fraction for its
// source, else the whole hertz of its current mode.
BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT rect, LPARAM data)
{
    auto& seen = *reinterpret_cast<MonitorsSeen*>(data);
    seen.rectangles.push_back(ScreenRect{rect->left, rect->top, rect->right, rect->bottom});
    MONITORINFOEXW info{};
    info.cbSize = sizeof(info);
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    GetMonitorInfoW(monitor, &info);
    const bool known = EnumDisplaySettingsW(info.szDevice, ENUM_CURRENT_SETTINGS, &mode);
    DISPLAYCONFIG_RATIONAL fraction{};
    for (const auto& [source, rate] : seen.pathRates)
        if (source == info.szDevice)
            fraction = rate;
    seen.rates.push_back(RateFromFraction(fraction.Numerator, fraction.Denominator,
                                          known ? mode.dmDisplayFrequency : 0));
    return TRUE;
}

}  // namespace

ScreenRect VirtualScreen()
{
    return SaverWindowRect(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                           GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN),
                           GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

void LayOutDisplay()
{
    MonitorsSeen seen;
    ReadPathRates(seen);
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&seen));
    renderer.monitors = LayOutMonitors(VirtualScreen(), seen.rectangles);
    renderer.pacer.SetRate(FastestRate(seen.rates));
}

void FollowDisplay(HWND window)
{
    const ScreenRect screen = VirtualScreen();
    SetWindowPos(window, HWND_TOPMOST, screen.left, screen.top, screen.right - screen.left,
                 screen.bottom - screen.top, SWP_NOACTIVATE);
    LayOutDisplay();
    if (!renderer.glReady || renderer.monitors.count > 1)
        return;  // several monitors: every frame sets each one's view
    // One monitor: the frame draws with the window's own view, as set at start-up.
    RECT client{};
    GetClientRect(window, &client);
    FollowWindowSize(client.right, client.bottom, renderer.viewFromAbove);
}
