// The options of zirel, the native X11 display mode, free of X11 types: where it draws and how
// often, read from its command line and XSCREENSAVER_WINDOW.
#pragma once

#include <cstdint>
#include <span>
#include <string>

enum class DrawTarget { OwnWindow, RootWindow, GivenWindow };

struct DisplayModeOptions {
    DrawTarget target = DrawTarget::OwnWindow;
    uint64_t windowId = 0;  // the X window of GivenWindow
    int64_t delayUs = 0;    // least time from one frame to the next; 0: the display's pace
    std::string error;      // why the command line cannot be followed; empty when it can
    bool help = false;      // -help: the usage asked for, nothing drawn
};

inline constexpr char kDisplayModeUsage[] =
    "usage: zirel [-root | -window-id ID] [-delay MICROSECONDS]";

// `args` without the program's name; `screensaverWindow` is XSCREENSAVER_WINDOW (null or empty
// when unset). Options take one dash or two, as XScreenSaver writes them. As XScreenSaver's own
// display modes do: a window given by -window-id comes first; with -root, the window
// XScreenSaver hands over stands in for the root window where it is set; else a window of its
// own.
DisplayModeOptions ReadDisplayModeOptions(std::span<char* const> args,
                                          const char* screensaverWindow);
