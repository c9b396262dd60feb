// Where each monitor lies inside the one window that covers the whole virtual screen: its
// OpenGL viewport (window pixels, origin at the bottom left, as glViewport takes them) and the
// aspect of its own projection. Free of Windows types so the layout is tested on the host.
#pragma once

#include <array>
#include <cstdint>
#include <span>

// A rectangle in screen pixels; right and bottom lie just outside it, as in a Windows RECT.
struct ScreenRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// The saver window's rectangle: the virtual screen, as its origin and size (which lies left of
// or above the primary monitor, at negative coordinates, where a monitor does); the primary
// screen, at the origin, where the virtual screen has no area.
ScreenRect SaverWindowRect(int32_t left, int32_t top, int32_t width, int32_t height,
                           int32_t primaryWidth, int32_t primaryHeight);

struct MonitorView {
    int32_t x;       // viewport origin, from the window's left edge
    int32_t y;       // viewport origin, from the window's bottom edge
    int32_t width;
    int32_t height;
    double aspect;   // width / height, the monitor's own
};

// Monitors beyond this many are not drawn on (they stay black).
inline constexpr int kMaxMonitors = 16;

struct MonitorLayout {
    std::array<MonitorView, kMaxMonitors> views{};
    int count = 0;
};

// One view per monitor with an area, in the order given, for a window at `window`. A monitor
// reaching outside the window is clipped to it.
MonitorLayout LayOutMonitors(const ScreenRect& window, std::span<const ScreenRect> monitors);
