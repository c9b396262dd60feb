// What the scene's tests share: a random source that hands out a script of draws, the recorded
// calls as text, and the one fixture.
#pragma once

#include <gtest/gtest.h>

#include "curve.h"
#include "gl_recorder.h"
#include "random_source.h"
#include "scene.h"
#include "scene_state.h"
#include "top.h"
#include "top_path.h"
#include "words.h"

using glrec::Call;
using std::string;

// Hands out the script, then 16384 (R(A) a hair above A / 2) for ever. A script of the extremes
// is written "1001...": 1 for the largest draw, 32767 (R(A) gives A), 0 for 0.
struct ScriptedRandom final : RandomSource {
    explicit ScriptedRandom(string script = "") : script(script) {}
    int Next() override { return draws < script.size() ? 32767 * (script[draws++] == '1') : 16384; }
    string script;
    size_t draws = 0;
};

// A line per call: its name and its numbers (GL constants in decimal).
inline string Text(const std::vector<Call>& calls)
{
    string text;
    for (const Call& call : calls) {
        text += call.name;
        for (double x : call.args)
            text += " " + Word(x);
        text += "\n";
    }
    return text;
}

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
    void TearDown() override { FreeSceneTables(); }  // no scene is left behind
    ScriptedRandom random;
};
