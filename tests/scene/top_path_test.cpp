// A path as sequences of steps with scripted draws: its construction and first step, then its
// cycles midway and renewed, and its colour's way round the hues.
#include "scene_testing.h"

using std::ranges::fill;

namespace {

TEST_F(SceneTest, APathBuildsTopDownThenItsFirstStepDrawsEveryTargetTopDownAndMovesNothing)
{
    sceneParams.innerPointCount = 3;  // rows 0 to 5, the inner rows 2 and 3
    // The points from the top end down, the radii, then the hue and saturation of two colours.
    ScriptedRandom built("100011100011111010110110");
    TopPath path(sceneParams, built);
    // The targets from the top end down, each followed by its cycle; then the radii's.
    ScriptedRandom stepped("11111100101111001011111101110101");
    path.Step(stepped);
    // A row: the point, its target and cycle, then the radius, its target and cycle; last the
    // colour so far and the target, hue first.
    string seen;
    for (int i = 0; i < 6; ++i) {
        const Vec3& p = path.points[i];
        const Vec3& t = path.targetPoints[i];
        seen += Words(p.x, p.y, p.z, t.x, t.y, t.z, path.pointTimers[i].length, path.radii[i],
                      path.targetRadii[i], path.radiusTimers[i].length) + "\n";
    }
    const Hsv& c = path.colour;
    const Hsv& target = path.targetColour;
    seen += Words(c.hue, c.saturation, c.value, target.hue, target.saturation, target.value);
    EXPECT_EQ(seen, R"(163 -200 -137 138 -200 -137 4500 20 5 7000
150 -150 -150 275 -50 -575 6000 30 5 8000
200 -200 -200 225 -89 -525 8000 15 40 9000
100 200 -100 250 -54 -450 8000 40 15 9000
200 50 -200 200 116 -200 12000 15 95 10000
200 200 -200 200 200 200 15000 250 300 10000
0 1 0 1 0 1)");
}

// At speed 3 with every row a frame into a 4-frame cycle, its starts and targets alike; then, from
// a start to a target hue, the hue halfway while saturation goes 0.2 to 0.6 and value 0 to 1.
TEST_F(SceneTest, APathsPointsEaseOutAndBackItsRadiiMoveLinearlyItsHueTakesTheShorterWayRound)
{
    sceneParams.innerPointCount = kMaxInnerPoints;
    sceneParams.speedFactor = 3;
    TopPath path(sceneParams, random);
    fill(path.pointTimers, CycleTimer{1, 4});
    fill(path.radiusTimers, CycleTimer{1, 4});
    fill(path.startPoints, Vec3{10, 20, 30});
    fill(path.targetPoints, Vec3{110, 600, 70});
    fill(path.startRadii, 10);
    fill(path.targetRadii, 50);
    // Every point and radius: halfway out, at the target, halfway back, then renewed (the next
    // cycles start where the points and radii stand).
    for (const char* frame : {"60 310 50 20", "110 600 70 30", "60 310 50 40", "60 310 50 40"}) {
        path.Step(random);
        for (int i = 0; i < kMaxControlPoints; ++i) {
            const Vec3& p = path.points[i];
            EXPECT_EQ(Words(p.x, p.y, p.z, path.radii[i]), frame);
        }
    }
    // The renewed target below the top end at x and z as the top end stood; an inner row's
    // height, halfway to a target above the top end, kept within the ends; the top end's height
    // and cycle (both its terms slowed by 3).
    constexpr int top = kMaxControlPoints - 1;
    const Vec3* T = path.targetPoints;
    EXPECT_EQ(Words(T[top - 1].x, T[top - 1].z, T[5].y, T[top].y, path.pointTimers[top].length),
              "60 50 200 200 3332");
    // The hue halfway: up half a turn, down through 0, up through 1, still.
    const float blends[][2] = {{0.25, 0.75}, {0.1, 0.7}, {0.9, 0.2}, {0.4, 0.4}};
    string hues;
    for (const auto& [start, target] : blends) {
        path.startColour = Hsv{start, 0.2, 0};
        path.targetColour = Hsv{target, 0.6, 1};
        path.colourFrame = 150;
        path.Step(random);
        hues += Words(path.colour.hue) + " ";
    }
    // Asked to go down (the path never asks so from above its target): halfway, and still.
    float hue, saturation, value;
    for (float start : {0.6f, 0.4f}) {
        BlendHsv({start, 0, 0}, {0.4, 0, 0}, 0.5, 1, hue, saturation, value);
        hues += Words(hue) + " ";
    }
    EXPECT_EQ(hues + Words(path.colour.saturation, path.colour.value),
              "0.5 0.9 0.05 0.4 0.5 0.4 0.4 0.5");
    // A renewal draws the target's hue, saturation and value (from 0.5), then the length.
    path.colourFrame = path.colourFrames;
    ScriptedRandom renewal("1101");
    path.Step(renewal);
    const Hsv& target = path.targetColour;
    EXPECT_EQ(Words(target.hue, target.saturation, target.value, path.startColour.value,
                    path.colourFrames, path.colourFrame),
              "1 1 0.5 0.5 2000 1");
}

}  // namespace
