// Frames as recorded: zirel's start-up, a frame shown and the view following the window; and
// Zirel.dll's frame on each monitor.
#include "display_mode_frames.h"
#include "monitor_frame.h"
#include "scene_testing.h"

namespace {

// The projection from above or along -z: what both programs load at start-up, on a resize and
// for each monitor. (GL_PROJECTION 5889, GL_MODELVIEW 5888.)
string View(string aspect, bool above = true)
{
    return "glMatrixMode 5889\nglLoadIdentity\ngluPerspective 80 " + aspect + " 50 3000\n" +
           (above ? "glRotatef 90 1 0 0\nglTranslatef 0 -400 0\n" : "glTranslatef 0 0 -400\n") +
           "glMatrixMode 5888\n";
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
    EXPECT_EQ(glrec::calls.size(), 12 + 15 + 1 + 20 * 9 + 1u);  // the 1: PresentFrame
    glrec::calls.resize(12);
    for (auto [width, height] : {std::pair{800, 400}, {800, 400}, {640, 0}, {640, 1}})
        zirel.Follow(width, height);
    EXPECT_EQ(Text(glrec::calls), R"(glViewport 0 0 1024 768
glEnable 2929
glFrontFace 2305
glEnable 2884
glClearColor 0 0 0 1
)" + View("1.3333") + "glLoadIdentity\nglViewport 0 0 800 400\n" + View("2") +
              "glViewport 0 0 640 1\n" + View("640"));
}

// A frame on one monitor: a clear, twenty tops of nine calls, shown. On two: one clear, then the
// same step of the tops drawn into each monitor's viewport under a projection of its own aspect
// (the view along -z, as chosen), shown once. (GL_PROJECTION 5889, GL_MODELVIEW 5888.)
TEST_F(SceneTest, EachMonitorDrawsTheSameStepUnderItsOwnView)
{
    MonitorLayout layout;
    layout.views[0] = MonitorView{0, 0, 1024, 768, 4.0 / 3.0};
    layout.views[1] = MonitorView{1024, 168, 1280, 1024, 1.25};
    string seen[2];
    for (int monitors : {1, 2}) {
        random = ScriptedRandom();
        SetupScene(random);
        glrec::calls.clear();
        layout.count = monitors;
        RenderFrameOnMonitors(layout, false);
        seen[monitors - 1] = Text(glrec::calls);
    }
    const string clear = "glClear 16640\n";
    const string tops = seen[0].substr(clear.size(), seen[0].find("Present") - clear.size());
    EXPECT_EQ(seen[0], clear + tops + "PresentFrame\n");
    EXPECT_EQ(seen[1], clear + "glViewport 0 0 1024 768\n" + View("1.3333", false) + tops +
                           "glViewport 1024 168 1280 1024\n" + View("1.25", false) + tops +
                           "PresentFrame\n");
}

}  // namespace
