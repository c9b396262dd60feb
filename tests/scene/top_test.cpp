// A top's runs and its pose on a path, with scripted draws.
#include <algorithm>

#include "scene_testing.h"

namespace {

class TopTest : public SceneTest {};

TEST_F(TopTest, ARunDrawsOrbitScaleThenSpinTakesThePathsColourInRgbAndRestartsOncePastTheTopEnd)
{
    TopPath path(sceneParams, random);
    // The path's colour, off the hue sectors' middles so that a moved bound changes the sector, and the top's.
    struct Row { Hsv hsv; Vec3 rgb; } rows[] = {{{0.1f, 1, 1}, {1, 0.6f, 0}}, {{0.2f, 1, 1}, {0.800002f, 1, 0}},
        {{0.4f, 1, 1}, {0, 1, 0.400002f}}, {{0.55f, 1, 1}, {0, 0.7f, 1}}, {{0.7f, 1, 1}, {0.199998f, 0, 1}},
        {{0.9f, 1, 1}, {1, 0, 0.599998f}}, {{0.5f, 0.5f, 0.5f}, {0.25f, 0.5f, 0.5f}}, {{0.3f, 0, 0.4f}, {0.4f, 0.4f, 0.4f}}};
    for (const Row& row : rows) {
        path.colour = row.hsv;
        Top top(path, random);
        EXPECT_TRUE(Near(Vec3{top.colour.red, top.colour.green, top.colour.blue}, row.rgb, 1e-5f)) << "hue " << row.hsv.hue;
    }
    ScriptedRandom draws({0, kMax});
    Top top(path, draws);
    EXPECT_TRUE(Near(Vec3{top.orbitScale, top.spin, top.pathPos}, Vec3{0.2f, 360, 0}));
    top.pathPos = 1.0001f;
    top.Step(random);
    EXPECT_TRUE(Near(top.position, path.points[0], 0)) << "restarted at the bottom";
}

// A straight path, the top's place on it, speed factor, orbit scale and the radius s read off the path's radii (5, 20, 40,
// 200 at 0, 1/3, 2/3, 1); then the tilt and its axis's x and z (y is 0), and the frame's climb, turn and stretch.
struct PoseRow { const char* name; Vec3 from, to; float pathPos; int32_t g; float scale, s; Vec3 tilt, motion; };

void PrintTo(const PoseRow& row, std::ostream* out) { *out << row.name; }

class TopPoseRows : public TopTest, public ::testing::WithParamInterface<PoseRow> {};

TEST_P(TopPoseRows, OnTheCurveTiltedOntoTheHeadingOutOnTheOrbitThenTheSameArcEveryFrameAndASlowerClimbOnWideOrbits)
{
    const PoseRow& row = GetParam();
    sceneParams = SceneParams{10, 2, 1, 100, row.g, 1, 0};
    TopPath path(sceneParams, random);
    const Vec3 d{row.to.x - row.from.x, row.to.y - row.from.y, row.to.z - row.from.z};
    for (int i = 0; i < 4; ++i)
        path.points[i] = Vec3{row.from.x + d.x * i / 3, row.from.y + d.y * i / 3, row.from.z + d.z * i / 3};
    // Nothing past the top end is read.
    std::ranges::copy(std::initializer_list<float>{5, 20, 40, 200, std::nanf("")}, path.radii);
    Top top(path, random);
    top.pathPos = row.pathPos;
    top.orbitScale = row.scale;
    top.spin = 0;
    top.Step(random);
    EXPECT_TRUE(Near(top.position, Vec3{row.from.x + d.x * row.pathPos, row.from.y + d.y * row.pathPos, row.from.z + d.z * row.pathPos}));
    EXPECT_TRUE(Near(Vec3{top.tilt, top.tiltAxis.x, top.tiltAxis.z}, row.tilt));
    EXPECT_FLOAT_EQ(top.pathPos, row.pathPos + row.motion.x);
    EXPECT_TRUE(Near(Vec3{top.orbitRadius, top.spin, top.stretch}, Vec3{row.s * row.scale, row.motion.y, row.motion.z}));
}

INSTANTIATE_TEST_SUITE_P(Scene, TopPoseRows, ::testing::Values(
    PoseRow{"straight up", {0, -200, 0}, {0, 200, 0}, 0.5f, 1, 0.2f, 30, {0, 1, 0}, {0.0041667f, 6.66667f, 1}},
    PoseRow{"straight down", {0, 200, 0}, {0, -200, 0}, 5 / 6.0f, 5, 1, 120, {180, 1, 0}, {0.000208333f, 1.66667f, 2.4f}},
    PoseRow{"slant, top end", {-100, -200, -100}, {100, 200, 100}, 1, 2, 0.5f, 200, {-35.26439f, -0.408248f, 0.408248f}, {0.0002f, 0.8f, 1.6f}},
    PoseRow{"looking back below the bottom", {0, -200, 0}, {300, 200, 0}, 0, 5, 0.2f, 5, {-36.8699f, 0, 0.6f}, {0.125f, 200, 1}},
    PoseRow{"standing still", {0, 0, 0}, {0, 0, 0}, 1 / 6.0f, 1, 1, 12.5f, {0, 1, 0}, {0.0004f, 3.2f, 1}}));

}  // namespace
