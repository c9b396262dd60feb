// zirel's OpenGL over GLX: the visual the renderer's pixel-format preference picks, the
// window's context, the buffer swap and their release.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <GL/glx.h>

#include <cstdint>
#include <optional>

// The best GLX visual of `screen` by the renderer's preference: among its TrueColor visuals, or
// only the visual `only` (that of a window made by someone else). None when none qualifies.
std::optional<XVisualInfo> ChooseGlxVisual(Display* display, int screen, VisualID only);

// A context for `window` made current, one buffer swap per display refresh asked for, and
// PresentFrame swapping the window's buffers. Null when there is no context.
GLXContext StartGlx(Display* display, const XVisualInfo& visual, Window window);

// No context current any more; `context` deleted.
void EndGlx(Display* display, GLXContext context);

// A steady clock, in microseconds.
int64_t SteadyNowUs();

// When the last PresentFrame's buffer swap began and ended (SteadyNowUs): the pacer learns from
// it whether the driver holds swaps to the display.
struct SwapTimes {
    int64_t startUs = 0;
    int64_t endUs = 0;
};
SwapTimes LastSwap();
