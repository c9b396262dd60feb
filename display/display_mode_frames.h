// The frames of zirel's one window, free of X11 types: seeded, started and drawn as Zirel.dll's
// are on one monitor.
#pragma once

#include <cstdint>

#include "random_source.h"

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
