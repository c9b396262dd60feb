// The renderer's wait between frames on Windows: a steady clock and a wait that any message ends
// at once. The pace itself is the portable FramePacer's (the renderer's state holds it).
#pragma once

#include <windows.h>

#include <cstdint>

#include "frame_pacing.h"

// QueryPerformanceCounter in microseconds.
int64_t SteadyNowUs();

class Win32FramePacing {
public:
    Win32FramePacing();
    ~Win32FramePacing();
    Win32FramePacing(const Win32FramePacing&) = delete;
    Win32FramePacing& operator=(const Win32FramePacing&) = delete;

    // Waits until `pacer` lets the next frame start or a message arrives, whichever comes first.
    // Returns true when the frame may be drawn now (and counts it as started).
    bool WaitForFrame(FramePacer& pacer);

private:
    HANDLE timer_ = nullptr;
};
