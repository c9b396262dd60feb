// The two forms in which paths and tops draw from the random source; each takes one new value.
#pragma once

#include <cstdint>

#include "random_source.h"

// A value in [0, a]: draw * (a / 32767), the factor a single-precision constant.
inline float RandomUpTo(RandomSource& random, float a)
{
    return static_cast<float>(random.Next()) * (a / 32767.0f);
}

// A cycle length in frames, in [y / g, (x + y) / g]: (draw * (x / g)) / 32767 + y / g in 32-bit
// integers, each division truncating; g is the speed factor (at least 1).
inline int32_t RandomCycle(RandomSource& random, int32_t x, int32_t y, int32_t g)
{
    return (random.Next() * (x / g)) / 32767 + y / g;
}
