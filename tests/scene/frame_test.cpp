// The scene's OpenGL calls as recorded: the set-up and a first frame with each drawing option;
// and a long run that stays in range and allocates nothing per frame. (That every record is
// freed at the end shows in the sanitizer build, whose leak checker runs these tests.)
#include <GL/gl.h>
#include <malloc.h>

#include "scene_testing.h"

namespace {

glrec::Call Vertex(const Vec3& v)
{
    return {"glVertex3fv", {v.x, v.y, v.z}};
}

class FrameTest : public SceneTest {};

TEST_F(FrameTest, SetUpBuildsModelLightAndMaterialThenAFrameStepsAndDrawsEachPathAndItsBlackTopsInOrder)
{
    struct Row { int32_t paths, stretch, show; } rows[] = {{10, 0, 0}, {10, 1, 1}, {0, 0, 0}};  // the defaults first
    for (const Row& row : rows) {
        if (&row != rows)
            sceneParams = SceneParams{row.paths, 2, 1, 100, 1, row.stretch, row.show};
        glrec::calls.clear();
        random.draws = 0;
        SetupScene(random);
        EXPECT_EQ(random.draws, row.paths * (16 + 2 * 2u)) << "each path draws, then its two tops";
        RenderFrame();
        std::vector<glrec::Call> expected = {{"glNewList", {1, GL_COMPILE}}, {"gluSphere", {25, 3, 2}}, {"gluDeleteQuadric", {}},
            {"glEndList", {}}, {"glEnable", {GL_LIGHTING}}, {"glEnable", {GL_LIGHT0}}, {"glLightfv", {GL_LIGHT0, GL_AMBIENT, 0.25, 0.25, 0.25, 0}},
            {"glLightfv", {GL_LIGHT0, GL_DIFFUSE, 1, 1, 1, 0}}, {"glLightfv", {GL_LIGHT0, GL_SPECULAR, 1, 1, 1, 0}},
            {"glLightfv", {GL_LIGHT0, GL_POSITION, 400, -200, 400, 0}}, {"glEnable", {GL_COLOR_MATERIAL}},
            {"glMaterialf", {GL_FRONT, GL_SHININESS, 20}}, {"glColorMaterial", {GL_FRONT, GL_SPECULAR}}, {"glColor3f", {0.7, 0.7, 0.7}},
            {"glColorMaterial", {GL_FRONT, GL_AMBIENT_AND_DIFFUSE}}, {"glClear", {GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT}}};
        for (int i = 0; i < row.paths; ++i) {
            const Vec3* p = scene.paths[i]->points;
            if (row.show)
                expected.insert(expected.end(), {{"glDisable", {GL_LIGHTING}}, {"glColor3f", {0, 1, 0}}, {"glBegin", {GL_LINE_STRIP}}});
            for (int k = 0; row.show && k <= 50; ++k)
                expected.push_back(Vertex(BezierPoint(p, 3, k / 50.0f)));
            if (row.show)
                expected.insert(expected.end(), {{"glEnd", {}}, {"glColor3f", {1, 0, 0}}, {"glBegin", {GL_LINE_STRIP}}, Vertex(p[0]),
                                                 Vertex(p[1]), Vertex(p[2]), Vertex(p[3]), {"glEnd", {}}, {"glEnable", {GL_LIGHTING}}});
            for (const Top* t : {scene.tops[2 * i], scene.tops[2 * i + 1]}) {
                EXPECT_EQ(&t->path, scene.paths[i]);
                expected.insert(expected.end(), {{"glColor3f", {0, 0, 0}}, {"glPushMatrix", {}}, {"glLoadIdentity", {}},
                                                 {"glTranslatef", {p[0].x, -200, p[0].z}},
                                                 {"glRotatef", {t->tilt, t->tiltAxis.x, t->tiltAxis.y, t->tiltAxis.z}},
                                                 {"glRotatef", {t->spin, 0, 1, 0}}, {"glTranslatef", {t->orbitRadius, 0, 0}}});
                if (row.stretch)
                    expected.push_back({"glScalef", {1, 1, 1}});
                expected.insert(expected.end(), {{"glCallList", {1}}, {"glPopMatrix", {}}});
            }
        }
        expected.push_back({"PresentFrame", {}});
        EXPECT_EQ(glrec::FirstDifference(glrec::calls, expected), "") << row.paths << " paths, " << row.stretch << row.show;
    }
}

TEST_F(FrameTest, LongRunStaysInRangeAndAllocatesNothingPerFrame)
{
    glrec::recording = false;
    LcgRandom lcg(20240601);
    SetupScene(lcg);
    const size_t allocated = mallinfo2().uordblks;
    int bad = 0;
    for (int frame = 0; frame < 100000; ++frame) {
        RenderFrame();
        for (int j = 0; j < 20; ++j) {
            const Top& t = *scene.tops[j];
            // Within the reach of the control points, in colour, and every value a number.
            bad += !(Near(t.position, Vec3{0, 0, 0}, 264) && Near(Vec3{t.colour.red, t.colour.green, t.colour.blue}, Vec3{0.5f, 0.5f, 0.5f}, 0.50001f) &&
                     t.orbitRadius >= 1 && t.orbitRadius <= 300 && std::isfinite(t.tilt + t.spin + t.stretch));
        }
    }
    EXPECT_EQ(bad, 0);
    EXPECT_EQ(mallinfo2().uordblks, allocated);
    glrec::recording = true;
}

}  // namespace
