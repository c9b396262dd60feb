// The renderer's start-up choices: pixel format, random source and camera view.
#include <gtest/gtest.h>

#include <vector>

#include "pixel_format.h"
#include "random_source.h"
#include "view.h"

namespace {

constexpr uint32_t kUsable = kPfdSupportOpenGL | kPfdDrawToWindow | kPfdDoubleBuffer;
constexpr uint32_t kGeneric = kUsable | kPfdGenericFormat;
constexpr uint32_t kGenericAccelerated = kGeneric | kPfdGenericAccelerated;

TEST(PixelFormatScore, MatchesTheDocumentedExamples)
{
    struct Row {
        PixelFormatInfo format;
        int score;
    } rows[] = {
        {{kUsable, kPfdTypeRgba, 32, 24}, 2072},
        {{kUsable, kPfdTypeRgba, 16, 16}, 2048},
        {{kGenericAccelerated, kPfdTypeRgba, 24, 24}, 1068},
        {{kGeneric, kPfdTypeRgba, 32, 32}, 88},
        {{kGeneric, kPfdTypeRgba, 17, 0}, 17},  // (16 - 17) / 2 truncates to 0
        {{kUsable & ~kPfdDoubleBuffer, kPfdTypeRgba, 32, 24}, -1},
        {{kUsable & ~kPfdSupportOpenGL, kPfdTypeRgba, 32, 24}, -1},
        {{kUsable & ~kPfdDrawToWindow, kPfdTypeRgba, 32, 24}, -1},
        {{kUsable, 1 /* colour index */, 32, 24}, -1},
    };
    for (const Row& row : rows)
        EXPECT_EQ(PixelFormatScore(row.format), row.score)
            << "flags " << row.format.flags << " colour " << int(row.format.colorBits);
}

TEST(BestPixelFormatIndex, HardwareBeatsGenericWhateverTheDepths)
{
    const std::vector<PixelFormatInfo> formats = {
        {kGeneric, kPfdTypeRgba, 32, 32},
        {kGenericAccelerated, kPfdTypeRgba, 32, 32},
        {kUsable, kPfdTypeRgba, 16, 0},
    };
    EXPECT_EQ(BestPixelFormatIndex(formats), 3);
}

TEST(BestPixelFormatIndex, EqualScoresKeepTheLowestIndex)
{
    const std::vector<PixelFormatInfo> formats = {
        {kUsable & ~kPfdDoubleBuffer, kPfdTypeRgba, 32, 24},
        {kUsable, kPfdTypeRgba, 24, 24},
        {kUsable | 0x2 /* stereo */, kPfdTypeRgba, 24, 24},
    };
    EXPECT_EQ(BestPixelFormatIndex(formats), 2);
}

TEST(BestPixelFormatIndex, NoQualifyingFormatAsksForTheFallback)
{
    const std::vector<PixelFormatInfo> singleBuffered = {
        {kUsable & ~kPfdDoubleBuffer, kPfdTypeRgba, 32, 24},
        {kGeneric & ~kPfdDoubleBuffer, kPfdTypeRgba, 24, 16},
    };
    EXPECT_EQ(BestPixelFormatIndex(singleBuffered), 0);
    EXPECT_EQ(BestPixelFormatIndex({}), 0);
    // A qualifying format that scores 0 is never better than "none yet".
    const std::vector<PixelFormatInfo> zeroScore = {{kGeneric, kPfdTypeRgba, 0, 0}};
    EXPECT_EQ(BestPixelFormatIndex(zeroScore), 0);
}

TEST(LcgRandom, ProducesTheKnownSequence)
{
    LcgRandom random(1);
    EXPECT_EQ(random.Next(), 41);
    EXPECT_EQ(random.Next(), 18467);
    EXPECT_EQ(random.Next(), 6334);
}

TEST(LcgRandom, StaysInRangeAndWrapsTheState)
{
    LcgRandom random(0xFFFFFFFFu);
    for (int i = 0; i < 100000; ++i) {
        const int v = random.Next();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 32767);
    }
}

TEST(ViewChoice, OnlyTheLowestDrawsLookFromAbove)
{
    EXPECT_TRUE(IsViewFromAbove(0));
    EXPECT_TRUE(IsViewFromAbove(65));
    EXPECT_FALSE(IsViewFromAbove(66));
    EXPECT_FALSE(IsViewFromAbove(32767));
}

}  // namespace
