// A top's runs and its pose on a path, with scripted draws.
#include <algorithm>

#include "scene_testing.h"

namespace {

class TopTest : public SceneTest {};

TEST_F(TopTest, ARunStartsAtTheBottomInThePathsColourAndRestartsOnlyPastTheTopEnd)
{
    TopPath path(sceneParams, random);
    path.colour = Hsv{0, 1, 0.5f};
    ScriptedRandom draws({0, kMax, kMax, 0});  // orbit scale, then spin, for two runs
    Top top(path, draws);
    EXPECT_TRUE(Near(Vec3{top.orbitScale, top.spin, top.colour.red}, Vec3{0.2f, 360, 0.5f}));
    top.pathPos = 1.0f;
    top.Step(draws);
    EXPECT_TRUE(Near(top.position, path.points[3], 0)) << "drawn at the top end, not restarted";
    top.Step(draws);
    EXPECT_TRUE(Near(Vec3{top.orbitScale, top.position.x, top.position.y}, Vec3{1, path.points[0].x, -200})) << "restarted";
}

TEST_F(TopTest, OneFramesPoseOnTheCurveTiltedOntoTheHeadingOutOnTheOrbitThenTheSameArcAndASlowerClimbOnWideOrbits)
{
    sceneParams.stretchTops = 1;
    // A straight path, the top's place on it, speed factor, orbit scale and the radius s read off the path's radii (5, 20,
    // 40, 200 at 0, 1/3, 2/3, 1); then the tilt and its axis's x and z (y is 0), and the frame's climb, turn and stretch.
    struct Row { Vec3 from, to; float pathPos; int32_t g; float scale, s; Vec3 tilt, motion; } rows[] = {
        {{0, -200, 0}, {0, 200, 0}, 0.5f, 1, 0.2f, 30, {0, 1, 0}, {0.0041667f, 6.66667f, 1}},
        {{0, 200, 0}, {0, -200, 0}, 5 / 6.0f, 5, 1, 120, {180, 1, 0}, {0.000208333f, 1.66667f, 2.4f}},
        {{-100, -200, -100}, {100, 200, 100}, 1, 2, 0.5f, 200, {-35.26439f, -0.408248f, 0.408248f}, {0.0002f, 0.8f, 1.6f}},
        {{0, -200, 0}, {300, 200, 0}, 0, 5, 0.2f, 5, {-36.8699f, 0, 0.6f}, {0.125f, 200, 1}},  // looks back below the bottom
        {{0, 0, 0}, {0, 0, 0}, 1 / 6.0f, 1, 1, 12.5f, {0, 1, 0}, {0.0004f, 3.2f, 1}}};
    for (const Row& row : rows) {
        sceneParams.speedFactor = row.g;
        TopPath path(sceneParams, random);
        const Vec3 d{row.to.x - row.from.x, row.to.y - row.from.y, row.to.z - row.from.z};
        for (int i = 0; i < 4; ++i)
            path.points[i] = Vec3{row.from.x + d.x * i / 3, row.from.y + d.y * i / 3, row.from.z + d.z * i / 3};
        const float radii[] = {5, 20, 40, 200, std::nanf("")};  // nothing past the top end is read
        std::copy(radii, radii + 5, path.radii);
        Top top(path, random);
        top.pathPos = row.pathPos;
        top.orbitScale = row.scale;
        const float spin = top.spin;
        top.Step(random);
        const Vec3 place{row.from.x + d.x * row.pathPos, row.from.y + d.y * row.pathPos, row.from.z + d.z * row.pathPos};
        EXPECT_TRUE(Near(top.position, place) && Near(Vec3{top.tilt, top.tiltAxis.x, top.tiltAxis.z}, row.tilt)) << row.pathPos;
        EXPECT_FLOAT_EQ(top.pathPos, row.pathPos + row.motion.x) << row.pathPos;
        EXPECT_TRUE(Near(Vec3{top.orbitRadius, top.spin - spin, top.stretch}, Vec3{row.s * row.scale, row.motion.y, row.motion.z}));
    }
}

}  // namespace
