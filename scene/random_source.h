// The scene's random source: an abstract draw of 0..32767 so tests can script the values,
// and the renderer's linear congruential generator behind it.
#pragma once

#include <cstdint>

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Next value, 0..32767.
    virtual int Next() = 0;
};

// 32-bit state; state = state * 214013 + 2531011 (mod 2^32); the draw is bits 16 to 30.
class LcgRandom final : public RandomSource {
public:
    explicit LcgRandom(uint32_t seed = 0) : state_(seed) {}
    void Seed(uint32_t seed) { state_ = seed; }
    int Next() override
    {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }

private:
    uint32_t state_;
};
