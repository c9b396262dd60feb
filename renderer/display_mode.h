// The decisions of zirel, the native X11 display mode, free of X11 types: where it draws and how
// often, read from its command line and XSCREENSAVER_WINDOW, and its frames, which start and
// draw as Zirel.dll's do.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "random_source.h"

enum class DrawTarget { OwnWindow, RootWindow, GivenWindow };

struct DisplayModeOptions {
    DrawTarget target = DrawTarget::OwnWindow;
    uint64_t windowId = 0;  // the X window of GivenWindow
    int64_t delayUs = 0;    // least time from one frame to the next; 0: the display's pace
    std::string error;      // why the command line cannot be followed; empty when it can
};

inline constexpr char kDisplayModeUsage[] =
    "usage: zirel [-root | -window-id ID] [-delay MICROSECONDS]";

// `args` without the program's name; `screensaverWindow` is XSCREENSAVER_WINDOW (null or empty
// when unset). Options take one dash or two, as XScreenSaver writes them. A window given by
// -window-id comes first, then the one XScreenSaver hands over, then the root window.
DisplayModeOptions ReadDisplayModeOptions(std::span<char* const> args,
                                          const char* screensaverWindow);

// The frames of one window: seeded, started and drawn as Zirel.dll's are on one monitor.
class DisplayModeFrames {
public:
    // With the window's OpenGL context current, `seed` the clock at start-up.
    void Start(uint32_t seed, int width, int height);
    // The window's size as it is now: the view follows when it changed.
    void Follow(int width, int height);
    void Frame();

private:
    LcgRandom random_;  // the scene draws from it while it runs
    bool viewFromAbove_ = false;
    int width_ = 0;
    int height_ = 0;
};
