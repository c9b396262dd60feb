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
    // Of each green curve's 51 vertices, the two ends and the middle.
    bool curve = false;
    int k = 0;
    for (const Call& call : glrec::calls) {
        curve = call.name == "glColor3f" ? call.args[1] == 1 && call.args[0] == 0 : curve;
        k = call.name == "glVertex3fv" ? k + 1 : 0;
        if (!curve || k == 0 || k % 25 == 1)
            seen.push_back(call);
    }
    EXPECT_EQ(glrec::calls.size(), 16 + 2 * (3 + 51 + 9 + 2 * 10));
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
    // Every draw 16384 makes both paths alike. The path unlit: its curve in green (the middle
    // is (p0 + 3 p1 + 3 p2 + p3) / 8), its control polygon in red; then its two tops, black at
    // the path's bottom end, each under its own pose.
    const std::vector<Call> path = {
        {"glDisable", {GL_LIGHTING}},
        {"glColor3f", {0, 1, 0}},
        {"glBegin", {GL_LINE_STRIP}},
        {"glVertex3fv", {0.508011, -200, 0.508011}},
        {"glVertex3fv", {0.0694141, -6.37519, 0.0694141}},
        {"glVertex3fv", {0.00610352, 200, 0.00610352}},
        {"glEnd", {}},
        {"glColor3f", {1, 0, 0}},
        {"glBegin", {GL_LINE_STRIP}},
        {"glVertex3fv", {0.508011, -200, 0.508011}},
        {"glVertex3fv", {0.00762939, -100.002, 0.00762939}},
        {"glVertex3fv", {0.00610352, 83.001, 0.00610352}},
        {"glVertex3fv", {0.00610352, 200, 0.00610352}},
        {"glEnd", {}},
        {"glEnable", {GL_LIGHTING}},
    };
    const std::vector<Call> top = {
        {"glColor3f", {0, 0, 0}},
        {"glPushMatrix", {}},
        {"glLoadIdentity", {}},
        {"glTranslatef", {0.508011, -200, 0.508011}},
        {"glRotatef", {-0.413068, 0.00509637, 0, -0.00509637}},
        {"glRotatef", {185.339, 0, 1, 0}},
        {"glTranslatef", {7.50029, 0, 0}},
        {"glScalef", {1, 1, 1}},
        {"glCallList", {1}},
        {"glPopMatrix", {}},
    };
    for (int i = 0; i < 2; ++i) {
        expected.insert(expected.end(), path.begin(), path.end());
        expected.insert(expected.end(), top.begin(), top.end());
        expected.insert(expected.end(), top.begin(), top.end());
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
    SetupScene(lcg);  // a second scene takes the first one's place
    EXPECT_EQ(mallinfo2().uordblks, allocated);
}

}  // namespace
