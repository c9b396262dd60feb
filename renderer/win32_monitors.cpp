// The monitors as Windows reports them, and the saver window that follows them when the display
// changes while it runs.
#include <vector>

#include "frame_start.h"
#include "win32_renderer.h"

namespace {

// Collects each monitor's rectangle (virtual-screen coordinates).
BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM list)
{
    reinterpret_cast<std::vector<ScreenRect>*>(list)->push_back(
        ScreenRect{rect->left, rect->top, rect->right, rect->bottom});
    return TRUE;
}

}  // namespace

ScreenRect VirtualScreen()
{
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return ScreenRect{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                      top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

void LayOutDisplay()
{
    std::vector<ScreenRect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    renderer.monitors = LayOutMonitors(VirtualScreen(), monitors);
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
