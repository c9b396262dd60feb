// What the scene's tests share: a random source that hands out a script of draws, and the one
// fixture. A test puts what it sees, as rows of numbers under a name (the recorder's calls are
// such rows), beside the rows it expects; the fixture compares them when the test ends and names
// the first row that differs.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "curve.h"
#include "gl_recorder.h"
#include "random_source.h"
#include "scene.h"
#include "scene_state.h"
#include "top.h"
#include "top_path.h"

using glrec::Call;

namespace glrec {

// Numbers match within 1e-5, relative above 1.
inline bool operator==(const Call& a, const Call& b)
{
    auto near = [](double x, double y) {
        return std::fabs(x - y) <= 1e-5 * std::max(1.0, std::fabs(y));
    };
    return a.name == b.name && std::ranges::equal(a.args, b.args, near);
}

inline void PrintTo(const Call& call, std::ostream* out)
{
    *out << call.name << ::testing::PrintToString(call.args);
}

}  // namespace glrec

constexpr int kMax = 32767;  // the largest draw: R(A) gives A

// Hands out the script, then 16384 (R(A) a hair above A / 2) for ever, and counts its draws.
struct ScriptedRandom final : RandomSource {
    explicit ScriptedRandom(std::vector<int> script = {}) : script(std::move(script)) {}
    int Next() override { return draws < script.size() ? script[draws++] : (++draws, 16384); }
    std::vector<int> script;
    size_t draws = 0;
};

class SceneTest : public ::testing::Test {
protected:
    // The default parameters, the factorials filled, the recording on and empty.
    void SetUp() override
    {
        SetSceneDefaults();
        FillFactorials();
        glrec::recording = true;
        glrec::calls.clear();
    }
    // No scene is left behind; the rows seen must be the rows expected.
    void TearDown() override
    {
        FreeSceneTables();
        for (size_t i = 0; i < std::min(seen.size(), expected.size()); ++i)
            ASSERT_EQ(seen[i], expected[i]) << "row " << i;
        EXPECT_EQ(seen.size(), expected.size());
    }
    ScriptedRandom random;
    std::vector<Call> seen;
    std::vector<Call> expected;
};
