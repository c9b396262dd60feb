// The scene's pure maths as rows of {input, expected}: the colour conversion and the random source.
#include "colour.h"
#include "scene_testing.h"

namespace {

struct HsvRow { float hue, saturation, value; Vec3 rgb; };

class HsvToRgbRows : public ::testing::TestWithParam<HsvRow> {};

TEST_P(HsvToRgbRows, PureHueBySectorThenTowardWhiteBySaturationAndTowardBlackByValue)
{
    Vec3 rgb{};
    HsvToRgb(GetParam().hue, GetParam().saturation, GetParam().value, rgb.x, rgb.y, rgb.z);
    EXPECT_TRUE(Near(rgb, GetParam().rgb, 1e-5f));
}

// Off the sectors' middles, so that a moved bound changes the sector.
INSTANTIATE_TEST_SUITE_P(Scene, HsvToRgbRows, ::testing::Values(
    HsvRow{0.1f, 1, 1, {1, 0.6f, 0}}, HsvRow{0.2f, 1, 1, {0.800002f, 1, 0}}, HsvRow{0.4f, 1, 1, {0, 1, 0.400002f}},
    HsvRow{0.55f, 1, 1, {0, 0.7f, 1}}, HsvRow{0.7f, 1, 1, {0.199998f, 0, 1}}, HsvRow{0.9f, 1, 1, {1, 0, 0.599998f}},
    HsvRow{0.5f, 0.5f, 0.5f, {0.25f, 0.5f, 0.5f}}, HsvRow{0.3f, 0, 0.4f, {0.4f, 0.4f, 0.4f}}));

TEST(RandomSource, DrawsBitsSixteenToThirtyOfTheLinearCongruence)
{
    LcgRandom random(1);
    for (int draw : {41, 18467, 6334, 26500, 19169})
        EXPECT_EQ(random.Next(), draw);
}

}  // namespace
