// What the launcher, the tests and the benchmark need of Zirel.dll, the only things that cross
// between the two programs: the renderer's file, how it is started, and its window.
#pragma once

// Beside Zirel.scr. Started as a new process whose command line is its path alone.
inline constexpr char kRendererFileName[] = "Zirel.dll";

// Its one window's class, and the window's title while it is created: a second renderer that
// finds such a window ends at once.
inline constexpr char kRendererClassName[] = "WindowsScreenSaverClass";
inline constexpr char kRendererStartingTitle[] = "Screensaver";

// The title the window takes as it is created; the launcher's run lasts while a window of this
// title exists.
inline constexpr char kRendererTitle[] = "Vant_VC";
