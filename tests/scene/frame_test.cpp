// The scene's OpenGL calls as recorded: the set-up and a frame with every drawing option on; and
// a long run with the fixed parameters that stays in range and allocates nothing per frame. (That
// every record is freed at the end shows in the sanitizer build, whose leak checker runs these.)
#include <GL/gl.h>
#include <malloc.h>

#include <span>

#include "scene_testing.h"

namespace {

class FrameTest : public SceneTest {};

TEST_F(FrameTest, SetUpBuildsModelLightAndMaterialThenAFrameStepsAndDrawsEachPathAndItsBlackTopsInOrder)
{
    sceneParams = SceneParams{10, 2, 1, 100, 1, 1, 1};  // with stretched tops and shown paths
    SetupScene(random);
    EXPECT_EQ(random.draws, 10 * (16 + 2 * 2u)) << "each path draws, then its two tops";
    RenderFrame();
    auto vertex = [](const Vec3& v) { return glrec::Call{"glVertex3fv", {v.x, v.y, v.z}}; };
    std::vector<glrec::Call> expected = {{"glNewList", {1, GL_COMPILE}}, {"gluSphere", {25, 3, 2}}, {"gluDeleteQuadric", {}},
        {"glEndList", {}}, {"glEnable", {GL_LIGHTING}}, {"glEnable", {GL_LIGHT0}}, {"glLightfv", {GL_LIGHT0, GL_AMBIENT, .25, .25, .25, 0}},
        {"glLightfv", {GL_LIGHT0, GL_DIFFUSE, 1, 1, 1, 0}}, {"glLightfv", {GL_LIGHT0, GL_SPECULAR, 1, 1, 1, 0}},
        {"glLightfv", {GL_LIGHT0, GL_POSITION, 400, -200, 400, 0}}, {"glEnable", {GL_COLOR_MATERIAL}},
        {"glMaterialf", {GL_FRONT, GL_SHININESS, 20}}, {"glColorMaterial", {GL_FRONT, GL_SPECULAR}}, {"glColor3f", {0.7, 0.7, 0.7}},
        {"glColorMaterial", {GL_FRONT, GL_AMBIENT_AND_DIFFUSE}}, {"glClear", {GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT}}};
    for (int i = 0; i < 10; ++i) {
        const Vec3* p = scene.paths[i]->points;
        expected.insert(expected.end(), {{"glDisable", {GL_LIGHTING}}, {"glColor3f", {0, 1, 0}}, {"glBegin", {GL_LINE_STRIP}}});
        for (int k = 0; k <= 50; ++k)
            expected.push_back(vertex(BezierPoint(p, 3, k / 50.0f)));
        expected.insert(expected.end(), {{"glEnd", {}}, {"glColor3f", {1, 0, 0}}, {"glBegin", {GL_LINE_STRIP}},
            vertex(p[0]), vertex(p[1]), vertex(p[2]), vertex(p[3]), {"glEnd", {}}, {"glEnable", {GL_LIGHTING}}});
        // Its two tops, black at the bottom end of path i: theirs.
        for (const Top* t : {scene.tops[2 * i], scene.tops[2 * i + 1]})
            expected.insert(expected.end(), {{"glColor3f", {0, 0, 0}}, {"glPushMatrix", {}}, {"glLoadIdentity", {}},
                {"glTranslatef", {p[0].x, -200, p[0].z}}, {"glRotatef", {t->tilt, t->tiltAxis.x, t->tiltAxis.y, t->tiltAxis.z}},
                {"glRotatef", {t->spin, 0, 1, 0}}, {"glTranslatef", {t->orbitRadius, 0, 0}}, {"glScalef", {1, 1, 1}},
                {"glCallList", {1}}, {"glPopMatrix", {}}});
    }
    expected.push_back({"PresentFrame", {}});
    EXPECT_EQ(glrec::FirstDifference(glrec::calls, expected), "");
}

TEST_F(FrameTest, AHundredThousandFramesFromTheLinearCongruenceWithTheFixedParametersStayInRangeAndAllocateNothing)
{
    LcgRandom lcg(1);
    // Bits 16 to 30 of state * 214013 + 2531011.
    for (int draw : {41, 18467, 6334, 26500, 19169})
        EXPECT_EQ(lcg.Next(), draw);
    SetupScene(lcg);
    glrec::calls.clear();
    RenderFrame();
    EXPECT_EQ(glrec::calls.size(), 1 + 20 * 9 + 1u) << "a clear, nine calls a top and no path, the swap";
    glrec::recording = false;
    const size_t allocated = mallinfo2().uordblks;
    int bad = 0;
    for (int frame = 0; frame < 100000; ++frame) {
        RenderFrame();
        // Every top within reach of the control points, in colour, and every value a number.
        for (const Top* t : std::span(scene.tops, 20))
            bad += !(Near(t->position, Vec3{0, 0, 0}, 264) && t->orbitRadius >= 1 && t->orbitRadius <= 300 && std::isfinite(t->tilt + t->spin) &&
                Near(Vec3{t->colour.red, t->colour.green, t->colour.blue}, Vec3{0.5f, 0.5f, 0.5f}, 0.50001f));
    }
    EXPECT_EQ(bad, 0);
    EXPECT_EQ(mallinfo2().uordblks, allocated);
    glrec::recording = true;
}

}  // namespace
