// What the scene's tests share: a random source that hands out a script of draws, three floats
// compared within rounding, and the base of each unit's fixture.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "curve.h"
#include "gl_recorder.h"
#include "random_source.h"
#include "scene.h"
#include "scene_state.h"
#include "top.h"
#include "top_path.h"

constexpr int kMax = 32767;  // the largest draw: R(A) gives A

// Hands out the script, then 16384 (R(A) a hair above A / 2) for ever, and counts its draws.
struct ScriptedRandom final : RandomSource {
    explicit ScriptedRandom(std::vector<int> script = {}) : script(std::move(script)) {}
    int Next() override { return draws < script.size() ? script[draws++] : (++draws, 16384); }
    std::vector<int> script;
    size_t draws = 0;
};

inline ::testing::AssertionResult Near(const Vec3& a, const Vec3& b, float tolerance = 1e-3f)
{
    if (std::fabs(a.x - b.x) <= tolerance && std::fabs(a.y - b.y) <= tolerance && std::fabs(a.z - b.z) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << a.x << ", " << a.y << ", " << a.z << " against " << b.x << ", " << b.y << ", " << b.z;
}

// Default parameters and factorials filled; no scene left behind.
class SceneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetSceneDefaults();
        FillFactorials();
    }
    void TearDown() override { FreeSceneTables(); }
    ScriptedRandom random;
};
