// zirel's frames as recorded: its start-up, a frame shown, and the view following the window.
#include "display_mode_frames.h"
#include "scene_testing.h"

namespace {

// The projection from above: what both programs load at start-up and on a resize.
// (GL_PROJECTION 5889, GL_MODELVIEW 5888.)
std::string ViewFromAbove(const char* aspect)
{
    return "glMatrixMode 5889\nglLoadIdentity\ngluPerspective 80 " + std::string(aspect) +
           " 50 3000\nglRotatef 90 1 0 0\nglTranslatef 0 -400 0\nglMatrixMode 5888\n";
}

// Render states (GL_DEPTH_TEST 2929, GL_CCW 2305, GL_CULL_FACE 2884), then the camera from the
// eleventh draw after the seed (the ten before are thrown away, as Zirel.dll does; this seed's is
// the rare view from above), the scene's set-up, and a frame of twenty tops, shown. The view
// follows the window only when its size changed, and a window without height keeps the view it
// has (one pixel high is followed).
TEST_F(SceneTest, ZirelStartsDrawsAndFollowsItsWindow)
{
    DisplayModeFrames zirel;
    zirel.Start(1700000270, 1024, 768);
    zirel.Frame();
    EXPECT_EQ(glrec::calls.size(), 12 + 15 + 1 + 20 * 9 + 1u);
    EXPECT_EQ(glrec::calls.back().name, "PresentFrame");
    glrec::calls.resize(12);
    for (auto [width, height] : {std::pair{800, 400}, {800, 400}, {640, 0}, {640, 1}})
        zirel.Follow(width, height);
    EXPECT_EQ(Text(glrec::calls), R"(glViewport 0 0 1024 768
glEnable 2929
glFrontFace 2305
glEnable 2884
glClearColor 0 0 0 1
)" + ViewFromAbove("1.3333") + "glLoadIdentity\nglViewport 0 0 800 400\n" + ViewFromAbove("2") +
              "glViewport 0 0 640 1\n" + ViewFromAbove("640"));
}

}  // namespace
