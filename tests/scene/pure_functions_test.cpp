// The scene's pure helpers, as tables: colour blend and conversion, vectors, factorials, curve.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "colour.h"
#include "curve.h"
#include "vec3.h"

namespace {

TEST(BlendHsv, HueTakesTheWayTheFlagAndTheOrderGive)
{
    struct Row {
        const char* name;
        float start, target;
        int downward;
        float quarter, half, whole;  // hue at f = 0.25, 0.5, 1
    } rows[] = {
        {"0.9 to 0.1 upward through 1", 0.9f, 0.1f, 0, 0.95f, 0.0f, 0.1f},
        {"0.1 to 0.9 downward through 0", 0.1f, 0.9f, 1, 0.05f, 0.0f, 0.9f},
        {"0.3 to 0.1 the long way up", 0.3f, 0.1f, 0, 0.5f, 0.7f, 0.1f},
        {"0.1 to 0.5 straight up", 0.1f, 0.5f, 0, 0.2f, 0.3f, 0.5f},
        {"0.5 to 0.1 straight down", 0.5f, 0.1f, 1, 0.4f, 0.3f, 0.1f},
    };
    for (const Row& row : rows) {
        const Hsv start{row.start, 0.2f, 0.0f};
        const Hsv target{row.target, 0.6f, 1.0f};
        const float fractions[] = {0.0f, 0.25f, 0.5f, 1.0f};
        const float hues[] = {row.start, row.quarter, row.half, row.whole};
        for (int k = 0; k < 4; ++k) {
            float h, s, v;
            BlendHsv(start, target, fractions[k], row.downward, h, s, v);
            // 0 and 1 are the same hue.
            EXPECT_NEAR(std::fmod(h + 1.0f, 1.0f), std::fmod(hues[k] + 1.0f, 1.0f), 1e-5f)
                << row.name << " at f = " << fractions[k];
            EXPECT_GE(h, 0.0f) << row.name;
            EXPECT_LE(h, 1.0f) << row.name;
            EXPECT_NEAR(s, 0.2f + 0.4f * fractions[k], 1e-6f) << row.name;
            EXPECT_NEAR(v, fractions[k], 1e-6f) << row.name;
        }
    }
}

TEST(HsvToRgb, PureHuesSectorBySector)
{
    struct Row {
        float hue, saturation, value;
        float red, green, blue;
    } rows[] = {
        {0.0f, 1, 1, 1, 0, 0},             // red
        {0.0833335f, 1, 1, 1, 0.500001f, 0},  // orange: green rising
        {0.25f, 1, 1, 0.500002f, 1, 0},    // chartreuse: red falling
        {0.4166665f, 1, 1, 0, 1, 0.5f},    // spring green: blue rising
        {0.5f, 1, 1, 0, 1, 1},             // cyan
        {0.5833335f, 1, 1, 0, 0.499999f, 1},  // azure: green falling
        {0.75f, 1, 1, 0.499998f, 0, 1},    // violet: red rising
        {0.9166665f, 1, 1, 1, 0, 0.5f},    // rose: blue falling
        {0.3f, 0, 0.4f, 0.4f, 0.4f, 0.4f},  // saturation 0: grey of the value
        {0.7f, 0, 1, 1, 1, 1},
        {0.1f, 1, 0, 0, 0, 0},             // value 0: black whatever the hue
        {0.6f, 0.5f, 0, 0, 0, 0},
        {0.5f, 0.5f, 1, 0.5f, 1, 1},       // half saturation: halfway to white
    };
    for (const Row& row : rows) {
        float r, g, b;
        HsvToRgb(row.hue, row.saturation, row.value, r, g, b);
        EXPECT_NEAR(r, row.red, 1e-5f) << "hue " << row.hue;
        EXPECT_NEAR(g, row.green, 1e-5f) << "hue " << row.hue;
        EXPECT_NEAR(b, row.blue, 1e-5f) << "hue " << row.hue;
    }
}

TEST(HsvToRgb, SectorBoundsAreTheDecimalConstants)
{
    // 0.1666669 lies above 1/6 but below the bound 0.166667: still the red sector, where green
    // rises a hair past 1.
    float r, g, b;
    HsvToRgb(0.1666669f, 1, 1, r, g, b);
    EXPECT_EQ(r, 1.0f);
    EXPECT_GT(g, 1.0f);
    EXPECT_NEAR(g, 1.0f, 1e-5f);
    HsvToRgb(0.166667f, 1, 1, r, g, b);
    EXPECT_EQ(g, 1.0f);
    EXPECT_NEAR(r, 1.0f, 1e-5f);
}

TEST(Vectors, NormalizeDotAndCross)
{
    Vec3 zero{0, 0, 0};
    EXPECT_EQ(Normalize3(zero), 0.0f);
    EXPECT_EQ(zero.x, 0.0f);
    EXPECT_EQ(zero.y, 0.0f);
    EXPECT_EQ(zero.z, 0.0f);

    Vec3 v{3, 0, 4};
    EXPECT_FLOAT_EQ(Normalize3(v), 5.0f);
    EXPECT_FLOAT_EQ(v.x, 0.6f);
    EXPECT_FLOAT_EQ(v.y, 0.0f);
    EXPECT_FLOAT_EQ(v.z, 0.8f);

    const float nan = std::numeric_limits<float>::quiet_NaN();
    Vec3 broken{nan, 1, 1};
    EXPECT_EQ(Normalize3(broken), 0.0f);
    EXPECT_EQ(broken.y, 1.0f);

    EXPECT_FLOAT_EQ(Dot3(Vec3{1, 2, 3}, Vec3{4, -5, 6}), 12.0f);
    Vec3 cross{};
    Cross3(Vec3{0.6f, 0, 0.8f}, Vec3{0, 1, 0}, cross);  // the tilt axis: (-z, 0, x)
    EXPECT_FLOAT_EQ(cross.x, -0.8f);
    EXPECT_FLOAT_EQ(cross.y, 0.0f);
    EXPECT_FLOAT_EQ(cross.z, 0.6f);
}

TEST(Factorials, TableHoldsZeroToTwelve)
{
    FillFactorials();
    EXPECT_EQ(Factorial(0), 1u);
    EXPECT_EQ(Factorial(5), 120u);
    EXPECT_EQ(factorials[0], 1.0f);
    EXPECT_EQ(factorials[1], 1.0f);
    EXPECT_EQ(factorials[3], 6.0f);
    EXPECT_EQ(factorials[12], 479001600.0f);
}

TEST(BezierPoint, EndsAreTheEndPointsAndTheMiddleIsBernstein)
{
    FillFactorials();
    const Vec3 points[] = {{-10, -200, 5}, {20, -100, 15}, {40, 80, -30}, {40, 200, -30}};
    const Vec3 bottom = BezierPoint(points, 3, 0.0f);
    const Vec3 top = BezierPoint(points, 3, 1.0f);
    EXPECT_EQ(bottom.x, -10.0f);
    EXPECT_EQ(bottom.y, -200.0f);
    EXPECT_EQ(bottom.z, 5.0f);
    EXPECT_EQ(top.x, 40.0f);
    EXPECT_EQ(top.y, 200.0f);
    EXPECT_EQ(top.z, -30.0f);

    // Cubic at 1/2: (P0 + 3 P1 + 3 P2 + P3) / 8.
    const Vec3 middle = BezierPoint(points, 3, 0.5f);
    EXPECT_FLOAT_EQ(middle.x, (-10 + 60 + 120 + 40) / 8.0f);
    EXPECT_FLOAT_EQ(middle.y, (-200 - 300 + 240 + 200) / 8.0f);

    // Just below 0 the curve extends past the bottom end, against its direction there.
    const Vec3 below = BezierPoint(points, 3, -0.01f);
    EXPECT_LT(below.y, -200.0f);
    EXPECT_LT(below.x, -10.0f);
}

}  // namespace
