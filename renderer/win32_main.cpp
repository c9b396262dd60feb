// Zirel.dll entry: single-instance check, the full-screen window and the message loop that
// draws whenever no message waits. The command line is ignored: it always runs full screen.
#include "win32_renderer.h"
#include "monitor_frame.h"
#include "scene.h"
#include "win32_frame_pacing.h"

namespace {

// Draws a frame whenever no message waits, at most one per display refresh; returns the quit
// message's value.
int RunMessageLoop()
{
    Win32FramePacing pacing;
    MSG msg{};
    for (;;) {
        while (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            // Nobody can see the frames: none till a message (sent ones too) may change that.
            if (!renderer.visibility.Seen()) {
                MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
                continue;
            }
            if (!pacing.WaitForFrame(renderer.pacer))
                continue;  // waited, or woken by a message: look at the queue again
            IdleFrame();
            Sleep(0);
        }
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0)
            return static_cast<int>(msg.wParam);
        if (got == -1)
            return 1;  // an error here repeats for ever: end rather than spin, and say it failed
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace

void IdleFrame()
{
    if (renderer.glReady && !renderer.passwordDialogActive)
        RenderFrameOnMonitors(renderer.monitors, renderer.viewFromAbove);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    renderer.appInstance = instance;
    // One window over every monitor: the virtual screen (with one monitor, the screen).
    const ScreenRect screen = VirtualScreen();

    // A window of ours that has not yet renamed itself is a saver still starting: hand over.
    HWND other = FindWindowA(kRendererClassName, kRendererStartingTitle);
    if (other && IsWindow(other)) {
        SetForegroundWindow(other);
        return 0;
    }

    WNDCLASSA windowClass{};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = SaverFrameProc;
    windowClass.hInstance = instance;
    // NOTE: the program icon has resource id 1; 7002 does not exist, so the class gets none.
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(7002));
    windowClass.hCursor = nullptr;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kRendererClassName;
    if (!RegisterClassA(&windowClass))
        return 1;

    HWND window = CreateWindowExA(WS_EX_TOPMOST, kRendererClassName, kRendererStartingTitle,
                                  WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                  screen.left, screen.top, screen.right - screen.left,
                                  screen.bottom - screen.top, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    renderer.saverWindow = window;
    SetForegroundWindow(window);
    return RunMessageLoop();
}
