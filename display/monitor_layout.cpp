// The monitors' viewports inside the window that spans them all.
#include "monitor_layout.h"

#include <algorithm>

ScreenRect SaverWindowRect(int32_t left, int32_t top, int32_t width, int32_t height,
                           int32_t primaryWidth, int32_t primaryHeight)
{
    if (width <= 0 || height <= 0)
        return ScreenRect{0, 0, primaryWidth, primaryHeight};
    return ScreenRect{left, top, left + width, top + height};
}

MonitorLayout LayOutMonitors(const ScreenRect& window, std::span<const ScreenRect> monitors)
{
    MonitorLayout layout;
    for (const ScreenRect& monitor : monitors) {
        const int32_t left = std::max(monitor.left, window.left);
        const int32_t top = std::max(monitor.top, window.top);
        const int32_t right = std::min(monitor.right, window.right);
        const int32_t bottom = std::min(monitor.bottom, window.bottom);
        if (right <= left || bottom <= top || layout.count == kMaxMonitors)
            continue;
        // OpenGL counts rows from the bottom of the window, Windows from the top.
        layout.views[layout.count++] =
            MonitorView{left - window.left, window.bottom - bottom, right - left, bottom - top,
                        static_cast<double>(right - left) / static_cast<double>(bottom - top)};
    }
    return layout;
}
