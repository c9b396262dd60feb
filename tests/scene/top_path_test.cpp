// A path as sequences of steps with scripted draws: construction and first step, then its cycles
// midway and renewed.
#include <algorithm>

#include "scene_testing.h"

namespace {

class PathTest : public SceneTest {};

TEST_F(PathTest, BuildsTopDownThenTheFirstStepDrawsEveryTargetTopDownAndMovesNothing)
{
    sceneParams.innerPointCount = 3;  // rows 0 to 5, the inner rows 2 and 3
    ScriptedRandom built({kMax, 0, 0, 0, kMax, kMax, kMax, 0, 0, 0, kMax, kMax, kMax, 0,  // points, top end down
                          kMax, 0, kMax, 0, kMax, kMax, 16384, kMax, kMax, 0});          // radii, colours
    TopPath path(sceneParams, built);
    ScriptedRandom stepped({kMax, kMax, kMax, kMax, kMax, kMax, 0, 0, kMax, 0, kMax, kMax, kMax, kMax, 0, 0, kMax, 0,
                            kMax, kMax, 0, kMax, kMax, kMax, 0, kMax, kMax, kMax, 0, kMax, 0, kMax});
    path.Step(stepped);
    // Point, its target and cycle; radius, its target and cycle.
    struct Row { Vec3 point, target; int32_t cycle; Vec3 radius; } rows[] = {
        {{163, -200, -162}, {138, -200, -137}, 4500, {20, 5, 7000}}, {{150, -150, -150}, {275, -50, -575}, 6000, {30, 5, 8000}},
        {{200, -200, -200}, {225, -89, -525}, 8000, {15, 40, 9000}}, {{100, 200, -100}, {250, -54, -450}, 8000, {40, 15, 9000}},
        {{200, 50, -200}, {200, 116, -200}, 12000, {15, 95, 10000}}, {{200, 200, -200}, {200, 200, 200}, 15000, {250, 75, 10000}}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(Near(path.points[i], rows[i].point) && Near(path.targetPoints[i], rows[i].target)) << "row " << i;
        EXPECT_TRUE(Near(Vec3{path.radii[i], path.targetRadii[i], float(path.radiusTimers[i].length)}, rows[i].radius)) << i;
        EXPECT_EQ(path.pointTimers[i].length, rows[i].cycle) << "row " << i;
    }
    EXPECT_TRUE(Near(Vec3{path.colour.saturation, path.targetColour.hue, path.targetColour.value}, Vec3{1, 1, 1})) << "hue first";
}

TEST_F(PathTest, MidCyclePointsEaseOutAndBackRadiiMoveLinearlyTheHueTakesItsWayAndRenewalsStartWhereTheyStand)
{
    sceneParams.innerPointCount = kMaxInnerPoints;
    sceneParams.speedFactor = 3;
    TopPath path(sceneParams, random);
    // Frames done of 8; x and y of every point, and every radius, after that frame's step. At 8 the cycles renew from
    // where the points and radii stand, the row before.
    struct Row { int32_t frame; Vec3 expected; } rows[] = {
        {1, {24.64466f, 104.9390f, 15}}, {2, {60, 310, 20}}, {4, {110, 600, 30}}, {6, {60, 310, 40}}, {8, {60, 310, 40}}};
    for (const Row& row : rows) {
        std::fill(path.pointTimers, path.pointTimers + kMaxControlPoints, CycleTimer{row.frame, 8});
        std::fill(path.radiusTimers, path.radiusTimers + kMaxControlPoints, CycleTimer{row.frame, 8});
        std::fill(path.startPoints, path.startPoints + kMaxControlPoints, Vec3{10, 20, 30});
        std::fill(path.targetPoints, path.targetPoints + kMaxControlPoints, Vec3{110, 600, 70});
        std::fill(path.startRadii, path.startRadii + kMaxControlPoints, 10);
        std::fill(path.targetRadii, path.targetRadii + kMaxControlPoints, 50);
        path.Step(random);
        for (int i = 0; i < kMaxControlPoints; ++i)
            EXPECT_TRUE(Near(Vec3{path.points[i].x, path.points[i].y, path.radii[i]}, row.expected)) << row.frame << ", row " << i;
    }
    EXPECT_TRUE(Near(path.targetPoints[kMaxControlPoints - 2], Vec3{60, 83, 50}, 0.01f)) << "below the top end as it stands";
    EXPECT_EQ(path.targetPoints[5].y, 200) << "an inner row's height, halfway to a target above the top end, kept within the ends";
    EXPECT_EQ(path.pointTimers[kMaxControlPoints - 1].length, 1666 + 1666) << "both terms of the top end's 5000 to 15000 slowed by 3";
    // Start and target hue, and the hue halfway, while saturation goes 0.2 to 0.6 and value 0 to 1.
    struct Blend { float start, target, halfway; } blends[] = {{0.2f, 0.9f, 0.05f}, {0.25f, 0.75f, 0.5f}, {0.9f, 0.2f, 0.05f},
                                                               {0.4f, 0.4f, 0.4f}, {0.2f, 0.6f, 0.4f}};
    for (const Blend& row : blends) {
        path.startColour = Hsv{row.start, 0.2f, 0};
        path.targetColour = Hsv{row.target, 0.6f, 1};
        path.colourFrame = 150;
        path.Step(random);
        EXPECT_TRUE(Near(Vec3{path.colour.hue, path.colour.saturation, path.colour.value}, Vec3{row.halfway, 0.4f, 0.5f}, 1e-5f)) << row.start;
    }
    path.colourFrame = path.colourFrames;
    ScriptedRandom renewal({8192, 24576, 6553, kMax});  // hue, saturation, value (from 0.5), length
    path.Step(renewal);
    EXPECT_TRUE(Near(Vec3{path.targetColour.hue, path.targetColour.saturation, path.targetColour.value}, Vec3{0.25f, 0.75f, 0.7f}));
    EXPECT_TRUE(Near(Vec3{path.startColour.hue, path.startColour.value, float(path.colourFrames)}, Vec3{0.4f, 0.5f, 2000}));
}

}  // namespace
