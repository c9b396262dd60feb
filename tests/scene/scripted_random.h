// A random source for tests that hands out a script of values, then a fixed value, and counts
// its draws.
#pragma once

#include <cstddef>
#include <vector>

#include "random_draws.h"
#include "random_source.h"

class ScriptedRandom final : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<int> script = {}, int afterwards = 16384)
        : script_(std::move(script)), afterwards_(afterwards)
    {
    }

    int Next() override
    {
        const int value = draws_ < script_.size() ? script_[draws_] : afterwards_;
        ++draws_;
        return value;
    }

    // Replaces the script; the values are handed out from the next draw on.
    void Script(std::vector<int> script)
    {
        script_.assign(draws_, 0);
        script_.insert(script_.end(), script.begin(), script.end());
    }

    size_t Draws() const { return draws_; }

private:
    std::vector<int> script_;
    int afterwards_;
    size_t draws_ = 0;
};

// What RandomUpTo(a) gives for that draw, for expected values.
inline float Scaled(int draw, float a)
{
    ScriptedRandom one({draw});
    return RandomUpTo(one, a);
}
