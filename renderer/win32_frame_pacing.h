// The renderer's wait between frames on Windows: a steady clock, the primary display's refresh
// rate and a wait that any message ends at once.
#pragma once

#include <windows.h>

#include <cstdint>

#include "frame_pacing.h"

class Win32FramePacing {
public:
    Win32FramePacing();
    ~Win32FramePacing();
    Win32FramePacing(const Win32FramePacing&) = delete;
    Win32FramePacing& operator=(const Win32FramePacing&) = delete;

    // Waits until the next frame is due or a message arrives, whichever comes first. Returns
    // true when the frame may be drawn now (and counts it as started).
    bool WaitForFrame();

private:
    int64_t NowUs() const;

    FramePacer pacer_;
    LARGE_INTEGER frequency_{};
    HANDLE timer_ = nullptr;
};

// The primary display's refresh rate as Windows reports it (0 or 1: the hardware's default).
int PrimaryRefreshHz();
