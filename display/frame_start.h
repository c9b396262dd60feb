// What both platforms do once their OpenGL context is current, and when their window changes
// size: the random source seeded, the render states, the camera drawn at random, the scene.
#pragma once

#include <cstdint>

#include "random_source.h"

// Seeds the renderer's random source with `seed` (the clock at start-up); the first ten draws
// are thrown away.
void SeedRendererRandom(LcgRandom& random, uint32_t seed);

// For a window of width x height pixels: viewport, depth test, back faces culled, black clear,
// the camera from one draw of `random`, then the scene. Returns true for the view from above.
bool StartFrames(RandomSource& random, int width, int height);

// The window is now width x height pixels: its viewport and projection follow. A window with
// no height keeps the ones it has.
void FollowWindowSize(int width, int height, bool viewFromAbove);
