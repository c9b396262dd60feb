// A top's runs and motion on a path, with scripted random draws. The drawing half of each step
// goes to the OpenGL recorder, switched off here.
#include <gtest/gtest.h>

#include <cmath>

#include "curve.h"
#include "gl_recorder.h"
#include "scene.h"
#include "scripted_random.h"
#include "top.h"
#include "top_path.h"

namespace {

constexpr int kMax = 32767;
constexpr float kPi = 3.14159265f;

// +y turned by `degrees` about `axis` (Rodrigues' formula).
Vec3 TurnUp(float degrees, Vec3 axis)
{
    Normalize3(axis);
    const float a = degrees * kPi / 180.0f;
    const Vec3 up{0, 1, 0};
    Vec3 cross{};
    Cross3(axis, up, cross);
    const float along = Dot3(axis, up) * (1 - std::cos(a));
    return Vec3{up.x * std::cos(a) + cross.x * std::sin(a) + axis.x * along,
                up.y * std::cos(a) + cross.y * std::sin(a) + axis.y * along,
                up.z * std::cos(a) + cross.z * std::sin(a) + axis.z * along};
}

class TopOnPath : public ::testing::Test {
protected:
    void SetUp() override
    {
        glrec::SetRecording(false);
        FillFactorials();
        SetSceneDefaults();
        params = sceneParams;
    }
    void TearDown() override { glrec::SetRecording(true); }

    SceneParams params{};
    ScriptedRandom random;
};

TEST_F(TopOnPath, ResetDrawsOrbitScaleBeforeSpinAndTakesThePathColour)
{
    TopPath path(params, random);
    path.colour = Hsv{0.0f, 1.0f, 0.5f};
    struct Row {
        int first, second;
        float orbitScale, spin;
    } rows[] = {{0, kMax, 0.2f, 360.0f}, {kMax, 0, 1.0f, 0.0f}};
    for (const Row& row : rows) {
        random.Script({row.first, row.second});
        const size_t before = random.Draws();
        Top top(path, random);
        EXPECT_EQ(random.Draws() - before, 2u);
        EXPECT_NEAR(top.orbitScale, row.orbitScale, 1e-5f);
        EXPECT_NEAR(top.spin, row.spin, 1e-3f);
        EXPECT_EQ(top.pathPos, 0.0f);
        EXPECT_FLOAT_EQ(top.colour.red, 0.5f);
        EXPECT_EQ(top.colour.green, 0.0f);
        EXPECT_EQ(top.colour.blue, 0.0f);
    }
}

TEST_F(TopOnPath, PathPosOfExactlyOneIsDrawnAtTheTopEndAndResetNextFrame)
{
    TopPath path(params, random);
    Top top(path, random);
    top.pathPos = 1.0f;
    size_t before = random.Draws();
    top.Step(random);
    EXPECT_EQ(random.Draws(), before) << "not reset at exactly 1";
    EXPECT_EQ(top.position.x, path.points[3].x);
    EXPECT_EQ(top.position.y, 200.0f);
    EXPECT_EQ(top.position.z, path.points[3].z);
    EXPECT_GT(top.pathPos, 1.0f);

    before = random.Draws();
    top.Step(random);
    EXPECT_EQ(random.Draws() - before, 2u) << "reset: orbit scale and spin";
    EXPECT_EQ(top.position.x, path.points[0].x);
    EXPECT_EQ(top.position.y, -200.0f);
    EXPECT_EQ(top.position.z, path.points[0].z);
    EXPECT_GT(top.pathPos, 0.0f);
    EXPECT_LT(top.pathPos, 0.1f);
}

TEST_F(TopOnPath, LookBehindBelowTheBottomStillPointsUpTheCurve)
{
    TopPath path(params, random);
    path.points[0] = Vec3{-20, -200, 10};
    path.points[1] = Vec3{30, -100, -40};
    Top top(path, random);
    top.Step(random);  // pathPos 0: looks behind at -0.01

    Vec3 tangent{path.points[1].x - path.points[0].x, path.points[1].y - path.points[0].y,
                 path.points[1].z - path.points[0].z};
    Normalize3(tangent);
    const Vec3 heading = TurnUp(top.tilt, top.tiltAxis);
    EXPECT_GT(heading.y, 0.0f);
    EXPECT_GT(Dot3(heading, tangent), 0.999f)
        << "heading " << heading.x << ", " << heading.y << ", " << heading.z;
}

TEST_F(TopOnPath, VerticalHeadingsHaveAFixedAxis)
{
    struct Row {
        const char* name;
        float bottom, top;  // heights of the end points, all on the y axis
        float tilt;
    } rows[] = {{"up", -200, 200, 0}, {"down", 200, -200, 180}};
    for (const Row& row : rows) {
        TopPath path(params, random);
        for (int i = 0; i < 4; ++i)
            path.points[i] = Vec3{0, row.bottom + (row.top - row.bottom) * i / 3.0f, 0};
        Top top(path, random);
        top.pathPos = 0.5f;
        top.Step(random);
        EXPECT_EQ(top.tilt, row.tilt) << row.name;
        EXPECT_EQ(top.tiltAxis.x, 1.0f) << row.name;
        EXPECT_EQ(top.tiltAxis.y, 0.0f) << row.name;
        EXPECT_EQ(top.tiltAxis.z, 0.0f) << row.name;
        const Vec3 heading = TurnUp(top.tilt, top.tiltAxis);
        EXPECT_NEAR(heading.y, row.top > row.bottom ? 1.0f : -1.0f, 1e-5f) << row.name;
    }
}

TEST_F(TopOnPath, EveryTopCoversTheSameArcPerFrameAndWideOrbitsClimbSlowly)
{
    TopPath path(params, random);
    const float radii[] = {5, 20, 40, 200};
    std::copy(radii, radii + 4, path.radii);
    // A draw for the orbit scale, one for the spin.
    random.Script({0, 0, kMax / 2, 0, kMax, 0});
    Top narrow(path, random), middle(path, random), wide(path, random);
    float lastClimb = 1.0f;
    for (Top* top : {&narrow, &middle, &wide}) {
        top->pathPos = 0.9f;
        const float spin = top->spin;
        const float pathPos = top->pathPos;
        top->Step(random);
        EXPECT_NEAR(top->orbitRadius, path.RadiusAt(0.9f) * top->orbitScale, 1e-3f);
        const float arc = (top->spin - spin) * kPi / 180.0f * top->orbitRadius;
        EXPECT_NEAR(arc, 40.0f * kPi / 180.0f, 1e-4f) << "orbit scale " << top->orbitScale;
        const float climb = top->pathPos - pathPos;
        EXPECT_LT(climb, lastClimb);
        lastClimb = climb;
    }
}

}  // namespace
