// The scene's OpenGL calls, recorded: the set-up's model, light and material, and one frame in
// order for the fixed parameters and for the stretch and path-drawing options.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <string>
#include <vector>

#include "gl_recorder.h"
#include "random_source.h"
#include "scene.h"
#include "scene_state.h"
#include "top.h"
#include "top_path.h"

namespace {

using glrec::Call;

class SceneFrame : public ::testing::Test {
protected:
    void SetUp() override
    {
        glrec::SetRecording(true);
        glrec::Clear();
        SetSceneDefaults();
    }
    void TearDown() override
    {
        FreeSceneTables();
        glrec::Clear();
    }

    // Sets up the scene and records one frame; returns that frame's calls.
    std::vector<Call> OneFrame()
    {
        SetupScene(random);
        glrec::Clear();
        RenderFrame();
        return glrec::Calls();
    }

    LcgRandom random{12345};
};

void ExpectCall(const Call& call, const char* name, std::vector<double> args, double tolerance = 0)
{
    ASSERT_EQ(std::string(call.name), name) << glrec::Describe(call);
    ASSERT_EQ(call.args.size(), args.size()) << glrec::Describe(call);
    for (size_t i = 0; i < args.size(); ++i)
        EXPECT_NEAR(call.args[i], args[i], tolerance) << glrec::Describe(call) << " argument " << i;
}

TEST_F(SceneFrame, SetUpBuildsTheModelLightAndMaterialAndDrawsNothing)
{
    SetupScene(random);
    const std::vector<Call>& calls = glrec::Calls();
    ASSERT_EQ(calls.size(), 16u);
    ExpectCall(calls[0], "glNewList", {1, GL_COMPILE});
    ExpectCall(calls[1], "gluNewQuadric", {});
    ExpectCall(calls[2], "gluSphere", {25.0, 3, 2});
    ExpectCall(calls[3], "gluDeleteQuadric", {});
    ExpectCall(calls[4], "glEndList", {});
    ExpectCall(calls[5], "glEnable", {GL_LIGHTING});
    ExpectCall(calls[6], "glEnable", {GL_LIGHT0});
    ExpectCall(calls[7], "glLightfv", {GL_LIGHT0, GL_AMBIENT, 0.25, 0.25, 0.25, 0}, 1e-7);
    ExpectCall(calls[8], "glLightfv", {GL_LIGHT0, GL_DIFFUSE, 1, 1, 1, 0});
    ExpectCall(calls[9], "glLightfv", {GL_LIGHT0, GL_SPECULAR, 1, 1, 1, 0});
    ExpectCall(calls[10], "glLightfv", {GL_LIGHT0, GL_POSITION, 400, -200, 400, 0});
    ExpectCall(calls[11], "glEnable", {GL_COLOR_MATERIAL});
    ExpectCall(calls[12], "glMaterialf", {GL_FRONT, GL_SHININESS, 20});
    ExpectCall(calls[13], "glColorMaterial", {GL_FRONT, GL_SPECULAR});
    ExpectCall(calls[14], "glColor3f", {0.7, 0.7, 0.7}, 1e-6);
    ExpectCall(calls[15], "glColorMaterial", {GL_FRONT, GL_AMBIENT_AND_DIFFUSE});

    // Ten paths with two tops each; top j rides path j / 2.
    ASSERT_EQ(scene.pathCount, 10);
    ASSERT_EQ(scene.topsPerPath, 2);
    for (int j = 0; j < 20; ++j) {
        ASSERT_NE(scene.tops[j], nullptr);
        EXPECT_EQ(&scene.tops[j]->path, scene.paths[j / 2]) << j;
    }
}

const std::vector<std::string> kTopCalls = {"glColor3f",   "glPushMatrix", "glLoadIdentity",
                                            "glTranslatef", "glRotatef",    "glRotatef",
                                            "glTranslatef", "glCallList",   "glPopMatrix"};

TEST_F(SceneFrame, OneFrameClearsDrawsEachTopAndSwaps)
{
    const std::vector<Call> calls = OneFrame();
    std::vector<std::string> expected = {"glClear"};
    for (int j = 0; j < 20; ++j)
        expected.insert(expected.end(), kTopCalls.begin(), kTopCalls.end());
    expected.push_back("PresentFrame");
    ASSERT_EQ(glrec::Names(calls), expected);
    ExpectCall(calls[0], "glClear", {GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT});

    for (int j = 0; j < 20; ++j) {
        const Call* top = &calls[1 + 9 * j];
        const TopPath& path = *scene.paths[j / 2];
        const Top& record = *scene.tops[j];
        // The first run is black, at the bottom end of its path.
        ExpectCall(top[0], "glColor3f", {0, 0, 0});
        ExpectCall(top[3], "glTranslatef", {path.points[0].x, -200, path.points[0].z});
        // The heading rotation turns +y up the curve: its axis lies in the x-z plane.
        EXPECT_EQ(top[4].args[2], 0.0) << glrec::Describe(top[4]);
        EXPECT_LT(std::fabs(top[4].args[0]), 90.0) << glrec::Describe(top[4]);
        ExpectCall(top[5], "glRotatef", {record.spin, 0, 1, 0});
        // Out to the orbit: the bottom end's radius times the top's orbit scale.
        ExpectCall(top[6], "glTranslatef", {path.radii[0] * record.orbitScale, 0, 0}, 1e-4);
        ExpectCall(top[7], "glCallList", {1});
    }
}

TEST_F(SceneFrame, StretchedTopsScaleByOneAtSpeedFactorOne)
{
    sceneParams.stretchTops = 1;
    const std::vector<Call> calls = OneFrame();
    ASSERT_EQ(calls.size(), 1 + 20 * 10 + 1u);
    for (int j = 0; j < 20; ++j) {
        const Call* top = &calls[1 + 10 * j];
        EXPECT_EQ(std::string(top[6].name), "glTranslatef");
        ExpectCall(top[7], "glScalef", {1, 1, 1});
        EXPECT_EQ(std::string(top[8].name), "glCallList");
    }
}

TEST_F(SceneFrame, ShownPathsAreAGreenCurveAndARedPolygonDrawnUnlit)
{
    sceneParams.showPaths = 1;
    const std::vector<Call> calls = OneFrame();
    const size_t pathCalls = 1 + 1 + 1 + 51 + 1 + 1 + 1 + 4 + 1 + 1;
    ASSERT_EQ(calls.size(), 1 + 10 * (pathCalls + 2 * 9) + 1);
    for (int i = 0; i < 10; ++i) {
        const Call* c = &calls[1 + i * (pathCalls + 18)];
        const TopPath& path = *scene.paths[i];
        ExpectCall(c[0], "glDisable", {GL_LIGHTING});
        ExpectCall(c[1], "glColor3f", {0, 1, 0});
        ExpectCall(c[2], "glBegin", {GL_LINE_STRIP});
        const Vec3& bottom = path.points[0];
        const Vec3& top = path.points[3];
        ExpectCall(c[3], "glVertex3fv", {bottom.x, bottom.y, bottom.z});
        for (int v = 0; v < 51; ++v)
            EXPECT_EQ(std::string(c[3 + v].name), "glVertex3fv") << v;
        ExpectCall(c[53], "glVertex3fv", {top.x, top.y, top.z}, 0.01);
        ExpectCall(c[54], "glEnd", {});
        ExpectCall(c[55], "glColor3f", {1, 0, 0});
        ExpectCall(c[56], "glBegin", {GL_LINE_STRIP});
        for (int p = 0; p < 4; ++p)
            ExpectCall(c[57 + p], "glVertex3fv", {path.points[p].x, path.points[p].y, path.points[p].z});
        ExpectCall(c[61], "glEnd", {});
        ExpectCall(c[62], "glEnable", {GL_LIGHTING});
        // Then the path's own two tops.
        EXPECT_EQ(std::string(c[63].name), "glColor3f");
        EXPECT_EQ(std::string(c[63 + 9].name), "glColor3f");
    }
}

TEST_F(SceneFrame, AFrameBeforeSetUpOnlyClearsAndSwaps)
{
    RenderFrame();
    EXPECT_EQ(glrec::Names(glrec::Calls()), (std::vector<std::string>{"glClear", "PresentFrame"}));
}

}  // namespace
