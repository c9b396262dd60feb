// A path's construction and steps, with scripted random draws.
#include <gtest/gtest.h>

#include "scene.h"
#include "scripted_random.h"
#include "top_path.h"

namespace {

constexpr int kMax = 32767;

SceneParams ParamsWithInnerPoints(int32_t n)
{
    SetSceneDefaults();
    SceneParams params = sceneParams;
    params.innerPointCount = n;
    return params;
}

void ExpectPoint(const Vec3& actual, float x, float y, float z, const char* what)
{
    EXPECT_NEAR(actual.x, x, 1e-3f) << what;
    EXPECT_NEAR(actual.y, y, 1e-3f) << what;
    EXPECT_NEAR(actual.z, z, 1e-3f) << what;
}

// Draws of 0 and 32767 give round values, and alternating them shows the order of the draws.
const std::vector<int> kConstructionDraws = {
    kMax, 0,        // top end x, z
    kMax,           // point below it: y
    0, kMax, kMax,  // point 1: x, y, z
    kMax, 0,        // bottom end: x, z
    0, kMax, 0, kMax,  // radii from the top end down
    kMax, 0,        // start colour: hue, saturation
    0, kMax,        // target colour: hue, saturation
};

TEST(TopPath, HangsFromItsTopEndAndDrawsInOrder)
{
    const SceneParams params = ParamsWithInnerPoints(1);
    ScriptedRandom random(kConstructionDraws);
    TopPath path(params, random);

    EXPECT_EQ(random.Draws(), kConstructionDraws.size());
    ExpectPoint(path.points[3], 200, 200, -200, "top end");
    ExpectPoint(path.points[2], 200, 116, -200, "straight below the top end");
    ExpectPoint(path.points[1], 150, -150, -150, "within 50 of that vertical");
    ExpectPoint(path.points[0], 163, -200, -162, "bottom end within 13 of point 1");
    const float radii[] = {20, 5, 75, 75};
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(path.radii[i], radii[i], 1e-3f) << "radius " << i;

    EXPECT_NEAR(path.startColour.hue, 1.0f, 1e-6f);
    EXPECT_EQ(path.startColour.saturation, 0.0f);
    EXPECT_EQ(path.startColour.value, 0.0f);  // black at first
    EXPECT_EQ(path.targetColour.hue, 0.0f);
    EXPECT_NEAR(path.targetColour.saturation, 1.0f, 1e-6f);
    EXPECT_EQ(path.targetColour.value, 1.0f);
    EXPECT_EQ(path.colour.value, 0.0f);
    EXPECT_EQ(path.colourFrames, 300);
}

TEST(TopPath, FirstStepDrawsEveryTargetTopDownAndMovesNothing)
{
    const SceneParams params = ParamsWithInnerPoints(1);
    ScriptedRandom random(kConstructionDraws);
    TopPath path(params, random);
    const TopPath built = path;

    random.Script({
        0, kMax, kMax,        // top end: x, z, cycle
        0, 0,                 // below it: y, cycle
        kMax, 0, 0, kMax,     // point 1: x, y, z, cycle
        0, kMax, 0,           // bottom end: x, z, cycle
        kMax, 0, 0, kMax,     // radii, top end down: value, cycle
        kMax, 0, 0, kMax,
    });
    const size_t before = random.Draws();
    path.Step(random);
    EXPECT_EQ(random.Draws() - before, 20u) << "no colour draw: the colour is not due";

    const Vec3* P = built.points;
    ExpectPoint(path.targetPoints[3], -200, 200, 200, "top end target");
    ExpectPoint(path.targetPoints[2], P[3].x, 50, P[3].z, "keeps below the top end");
    ExpectPoint(path.targetPoints[1], P[3].x + 50, -50, P[3].z - 50, "near the point above");
    ExpectPoint(path.targetPoints[0], P[1].x - 12, -200, P[1].z + 13, "near point 1");
    const int32_t pointCycles[] = {1500, 6000, 5000, 15000};
    const float radii[] = {5, 30, 15, 300};
    const int32_t radiusCycles[] = {7000, 3000, 10000, 5000};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(path.pointTimers[i].length, pointCycles[i]) << i;
        EXPECT_EQ(path.pointTimers[i].frame, 1) << i;
        EXPECT_NEAR(path.targetRadii[i], radii[i], 1e-3f) << i;
        EXPECT_EQ(path.radiusTimers[i].length, radiusCycles[i]) << i;

        // Easing and interpolation start at fraction 0.
        ExpectPoint(path.points[i], P[i].x, P[i].y, P[i].z, "unmoved");
        ExpectPoint(path.startPoints[i], P[i].x, P[i].y, P[i].z, "cycle starts where it stood");
        EXPECT_EQ(path.radii[i], built.radii[i]) << i;
    }
    EXPECT_EQ(path.colour.hue, path.startColour.hue);
    EXPECT_EQ(path.colour.value, 0.0f);
}

TEST(TopPath, ColourFadesInOverThreeHundredFramesThenRenews)
{
    const SceneParams params = ParamsWithInnerPoints(1);
    ScriptedRandom random;
    TopPath path(params, random);
    float last = -1.0f;
    for (int frame = 1; frame <= 300; ++frame) {
        path.Step(random);
        EXPECT_NEAR(path.colour.value, (frame - 1) / 300.0f, 1e-5f) << frame;
        EXPECT_GT(path.colour.value, last);
        last = path.colour.value;
    }

    // Hue, saturation, value (0.5 to 1.5, kept at most 1), then the blend's length.
    struct Row {
        int valueDraw;
        float value;
        int lengthDraw;
        int32_t frames;
    } rows[] = {{kMax, 1.0f, kMax, 2000}, {6553, Scaled(6553, 1.0f) + 0.5f, 0, 100}};
    for (const Row& row : rows) {
        TopPath renewed = path;
        random.Script({1000, 2000, row.valueDraw, row.lengthDraw});
        const size_t before = random.Draws();
        renewed.Step(random);
        EXPECT_EQ(random.Draws() - before, 4u);
        EXPECT_NEAR(renewed.targetColour.value, row.value, 1e-6f);
        EXPECT_LE(renewed.targetColour.value, 1.0f);
        EXPECT_EQ(renewed.colourFrames, row.frames);
        EXPECT_EQ(renewed.startColour.value, path.colour.value) << "blends on from where it was";
    }
}

TEST(TopPath, InnerTargetHeightsAreLimitedTheEndsAreExact)
{
    const SceneParams params = ParamsWithInnerPoints(2);  // rows 0 to 4, inner row 2
    ScriptedRandom random;
    TopPath path(params, random);
    path.Step(random);
    EXPECT_EQ(path.targetPoints[4].y, 200.0f);
    EXPECT_EQ(path.targetPoints[0].y, -200.0f);
    // The inner row renews before row 1 has a target of its own: it reads the constructed
    // point, so its first target lies between its neighbours.
    EXPECT_GE(path.targetPoints[2].y, (50.0f - 150.0f) * 0.5f - 12.0f);
    EXPECT_LE(path.targetPoints[2].y, (116.0f - 50.0f) * 0.5f + 13.0f);

    // y = (T[3].y + T[1].y) / 2 + R(25) - 12, with R(25) = 0.
    struct Row {
        float above, below, limited;
    } rows[] = {{300, 184, 200}, {-248, -248, -200}, {100, -100, -12}};
    for (const Row& row : rows) {
        TopPath renewing = path;
        renewing.targetPoints[3].y = row.above;
        renewing.targetPoints[1].y = row.below;
        renewing.pointTimers[2].frame = renewing.pointTimers[2].length;  // only row 2 is due
        random.Script({16384, 0, 16384, 0});
        const size_t before = random.Draws();
        renewing.Step(random);
        EXPECT_EQ(random.Draws() - before, 4u);
        EXPECT_FLOAT_EQ(renewing.targetPoints[2].y, row.limited) << row.above << " " << row.below;
    }
}

TEST(TopPath, RadiusIsReadOffStraightSegments)
{
    const SceneParams params = ParamsWithInnerPoints(1);
    ScriptedRandom random;
    TopPath path(params, random);
    const float radii[] = {5, 20, 40, 200};
    std::copy(radii, radii + 4, path.radii);
    struct Row {
        float pathPos, radius;
    } rows[] = {{0, 5}, {1 / 6.0f, 12.5f}, {1 / 3.0f, 20}, {0.5f, 30}, {5 / 6.0f, 120}, {1, 200}};
    for (const Row& row : rows)
        EXPECT_NEAR(path.RadiusAt(row.pathPos), row.radius, 1e-3f) << row.pathPos;
}

}  // namespace
