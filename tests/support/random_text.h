// Seeded random inputs for the parsers' random passes: texts of 0 to 40 characters drawn mostly
// from the characters a parser cares about, each in a buffer of exactly its length, so that the
// sanitizer builds catch a read past its end.
#pragma once

#include <memory>
#include <random>
#include <string>
#include <string_view>

struct RandomText {
    std::unique_ptr<char[]> bytes;
    size_t size = 0;
    std::string_view View() const { return {bytes.get(), size}; }
};

// The `n`th text of the pass seeded `seed`: mostly `alphabet`, now and then any byte.
inline RandomText MakeRandomText(std::string_view alphabet, uint32_t seed, int n)
{
    std::mt19937 random(seed * 7919u + unsigned(n));
    const size_t size = random() % 41;
    RandomText text{std::make_unique<char[]>(size), size};
    for (size_t i = 0; i < size; ++i)
        text.bytes[i] = random() % 8 ? alphabet[random() % alphabet.size()] : char(random());
    return text;
}
