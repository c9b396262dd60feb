// The scene's OpenGL calls as recorded: the set-up and a frame with every drawing option on, and
// the frames of the fixed parameters. (That every record is freed at the end shows in the
// sanitizer build, whose leak checker runs these.)
#include <GL/gl.h>
#include <malloc.h>

#include "scene_testing.h"

namespace {

TEST_F(SceneTest, SetUpBuildsModelLightAndMaterialThenAFrameDrawsEachPathThenItsBlackTops)
{
    sceneParams = SceneParams{2, 2, 1, 100, 1, 1, 1};  // stretched tops, shown paths
    SetupScene(random);
    EXPECT_EQ(random.draws, 40u);  // 16 a path, 2 a top
    RenderFrame();
    seen = glrec::calls;
    auto vertex = [](const Vec3& v) { return Call{"glVertex3fv", {v.x, v.y, v.z}}; };
    expected = {
        {"glNewList", {1, GL_COMPILE}},
        {"gluSphere", {25, 3, 2}},
        {"gluDeleteQuadric", {}},
        {"glEndList", {}},
        {"glEnable", {GL_LIGHTING}},
        {"glEnable", {GL_LIGHT0}},
        {"glLightfv", {GL_LIGHT0, GL_AMBIENT, 0.25, 0.25, 0.25, 0}},
        {"glLightfv", {GL_LIGHT0, GL_DIFFUSE, 1, 1, 1, 0}},
        {"glLightfv", {GL_LIGHT0, GL_SPECULAR, 1, 1, 1, 0}},
        {"glLightfv", {GL_LIGHT0, GL_POSITION, 400, -200, 400, 0}},
        {"glEnable", {GL_COLOR_MATERIAL}},
        {"glMaterialf", {GL_FRONT, GL_SHININESS, 20}},
        {"glColorMaterial", {GL_FRONT, GL_SPECULAR}},
        {"glColor3f", {0.7, 0.7, 0.7}},
        {"glColorMaterial", {GL_FRONT, GL_AMBIENT_AND_DIFFUSE}},
        {"glClear", {GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT}},
    };
    for (int i = 0; i < 2; ++i) {
        // The path unlit: its curve in green, its control polygon in red.
        const Vec3* p = scene.paths[i]->points;
        expected.push_back({"glDisable", {GL_LIGHTING}});
        expected.push_back({"glColor3f", {0, 1, 0}});
        expected.push_back({"glBegin", {GL_LINE_STRIP}});
        for (int k = 0; k <= 50; ++k)
            expected.push_back(vertex(BezierPoint(p, 3, k / 50.0f)));
        expected.push_back({"glEnd", {}});
        expected.push_back({"glColor3f", {1, 0, 0}});
        expected.push_back({"glBegin", {GL_LINE_STRIP}});
        for (int k = 0; k < 4; ++k)
            expected.push_back(vertex(p[k]));
        expected.push_back({"glEnd", {}});
        expected.push_back({"glEnable", {GL_LIGHTING}});
        // Its two tops, black at the bottom end of the path, each under its own pose.
        for (const Top* t : {scene.tops[2 * i], scene.tops[2 * i + 1]}) {
            expected.push_back({"glColor3f", {0, 0, 0}});
            expected.push_back({"glPushMatrix", {}});
            expected.push_back({"glLoadIdentity", {}});
            expected.push_back({"glTranslatef", {p[0].x, -200, p[0].z}});
            expected.push_back(
                {"glRotatef", {t->tilt, t->tiltAxis.x, t->tiltAxis.y, t->tiltAxis.z}});
            expected.push_back({"glRotatef", {t->spin, 0, 1, 0}});
            expected.push_back({"glTranslatef", {t->orbitRadius, 0, 0}});
            expected.push_back({"glScalef", {1, 1, 1}});
            expected.push_back({"glCallList", {1}});
            expected.push_back({"glPopMatrix", {}});
        }
    }
    FreeSceneTables();  // and again in TearDown: the second finds nothing
}

// After the set-up's fifteen calls, a clear, nine calls for each of the twenty tops and none for
// the paths; a hundred thousand more frames, unrecorded, allocate nothing.
TEST_F(SceneTest, TheFixedParametersDrawTwentyBareTopsAFrameAndAllocateNothingPerFrame)
{
    LcgRandom lcg(1);
    // Bits 16 to 30 of state * 214013 + 2531011.
    for (int draw : {41, 18467, 6334, 26500, 19169})
        EXPECT_EQ(lcg.Next(), draw);
    SetupScene(lcg);
    RenderFrame();
    EXPECT_EQ(glrec::calls.size(), 15 + 1 + 20 * 9u);
    glrec::recording = false;
    const size_t allocated = mallinfo2().uordblks;
    for (int frame = 0; frame < 100000; ++frame)
        RenderFrame();
    EXPECT_EQ(mallinfo2().uordblks, allocated);
}

}  // namespace
