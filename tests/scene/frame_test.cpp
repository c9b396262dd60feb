// The scene's OpenGL calls as recorded: the set-up and a frame with every drawing option on, and
// frames that allocate nothing and leave nothing behind.
#include <malloc.h>

#include "scene_testing.h"

namespace {

// GL constants in the calls: GL_COMPILE 4864; GL_LIGHTING 2896, GL_LIGHT0 16384; GL_AMBIENT,
// GL_DIFFUSE, GL_SPECULAR, GL_POSITION 4608 to 4611; GL_COLOR_MATERIAL 2903, GL_FRONT 1028,
// GL_SHININESS 5633, GL_AMBIENT_AND_DIFFUSE 5634; the colour and depth bits 16640; GL_LINE_STRIP 3.
TEST_F(SceneTest, SetUpBuildsModelLightAndMaterialThenAFrameDrawsEachPathThenItsBlackTops)
{
    sceneParams = SceneParams{2, 2, 1, 100, 1, 1, 1};  // stretched tops, shown paths
    SetupScene(random);
    RenderFrame();
    EXPECT_EQ(glrec::calls.size(), 16 + 2 * (3 + 51 + 9 + 2 * 10));
    // Of each green curve's 51 vertices, the two ends and the middle.
    bool curve = false;
    int k = 0;
    std::vector<Call> seen;
    for (const Call& call : glrec::calls) {
        curve = call.name == "glColor3f" ? call.args[1] == 1 && call.args[0] == 0 : curve;
        k = call.name == "glVertex3fv" ? k + 1 : 0;
        if (!curve || k == 0 || k % 25 == 1)
            seen.push_back(call);
    }
    string expected = R"(glNewList 1 4864
gluSphere 25 3 2
gluDeleteQuadric
glEndList
glEnable 2896
glEnable 16384
glLightfv 16384 4608 0.25 0.25 0.25 0
glLightfv 16384 4609 1 1 1 0
glLightfv 16384 4610 1 1 1 0
glLightfv 16384 4611 400 -200 400 0
glEnable 2903
glMaterialf 1028 5633 20
glColorMaterial 1028 4610
glColor3f 0.7 0.7 0.7
glColorMaterial 1028 5634
glClear 16640
)";
    // Every draw 16384 makes both paths alike. The path unlit: its curve in green (the middle
    // is (p0 + 3 p1 + 3 p2 + p3) / 8), its control polygon in red; then its two tops, black at
    // the path's bottom end, each under its own pose.
    const string path = R"(glDisable 2896
glColor3f 0 1 0
glBegin 3
glVertex3fv 0.50801 -200 0.50801
glVertex3fv 0.069414 -6.3752 0.069414
glVertex3fv 0.0061035 200 0.0061035
glEnd
glColor3f 1 0 0
glBegin 3
glVertex3fv 0.50801 -200 0.50801
glVertex3fv 0.0076294 -100 0.0076294
glVertex3fv 0.0061035 83.001 0.0061035
glVertex3fv 0.0061035 200 0.0061035
glEnd
glEnable 2896
)";
    const string top = R"(glColor3f 0 0 0
glPushMatrix
glLoadIdentity
glTranslatef 0.50801 -200 0.50801
glRotatef -0.41307 0.0050964 0 -0.0050964
glRotatef 185.34 0 1 0
glTranslatef 7.5003 0 0
glScalef 1 1 1
glCallList 1
glPopMatrix
)";
    for (int i = 0; i < 2; ++i)
        expected += path + top + top;
    EXPECT_EQ(Text(seen), expected);
}

// Without paths, the set-up's fifteen calls and a clear (zirel's frames show the fixed
// parameters' twenty bare tops); with them, a hundred thousand frames, unrecorded, allocate
// nothing, a second scene takes the first one's place, and freeing the tables returns all they
// took.
TEST_F(SceneTest, FramesAllocateNothingAndTheTablesAreFreed)
{
    sceneParams.pathCount = -1;  // none: the set-up and a clear
    SetupScene(random);
    RenderFrame();
    EXPECT_EQ(glrec::calls.size(), 15 + 1u);
    SetSceneDefaults();
    glrec::recording = false;
    SetupScene(random);  // once first, so that the allocator already caches these sizes
    FreeSceneTables();
    const size_t empty = mallinfo2().uordblks;
    SetupScene(random);
    const size_t allocated = mallinfo2().uordblks;
    for (int frame = 0; frame < 100000; ++frame)
        RenderFrame();
    EXPECT_EQ(mallinfo2().uordblks, allocated);
    SetupScene(random);
    EXPECT_EQ(mallinfo2().uordblks, allocated);
    FreeSceneTables();
    EXPECT_EQ(mallinfo2().uordblks, empty);
}

}  // namespace
