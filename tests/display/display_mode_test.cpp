// zirel's frames as recorded: its start-up, a frame shown, and the view following the window.
#include <GL/gl.h>

#include "display_mode_frames.h"
#include "scene_testing.h"

namespace {

// The projection of `aspect` from above: what both programs load at start-up and on a resize.
std::vector<Call> ViewFromAbove(double aspect)
{
    return {{"glMatrixMode", {GL_PROJECTION}}, {"glLoadIdentity", {}},
            {"gluPerspective", {80, aspect, 50, 3000}}, {"glRotatef", {90, 1, 0, 0}},
            {"glTranslatef", {0, -400, 0}}, {"glMatrixMode", {GL_MODELVIEW}}};
}

// Render states, then the camera from the eleventh draw after the seed (the ten before are thrown
// away, as Zirel.dll does; this seed's is the rare view from above), the scene's set-up, and a
// frame of twenty tops, shown. The view follows the window only when its size changed, and a
// window without height keeps the view it has.
TEST_F(SceneTest, ZirelStartsDrawsAndFollowsItsWindow)
{
    DisplayModeFrames zirel;
    zirel.Start(1700000270, 1024, 768);
    zirel.Frame();
    EXPECT_EQ(glrec::calls.size(), 12 + 15 + 1 + 20 * 9 + 1u);
    EXPECT_EQ(glrec::calls.back().name, "PresentFrame");
    seen.assign(glrec::calls.begin(), glrec::calls.begin() + 12);
    glrec::calls.clear();
    for (auto [width, height] : {std::pair{800, 400}, {800, 400}, {640, 0}})
        zirel.Follow(width, height);
    seen.insert(seen.end(), glrec::calls.begin(), glrec::calls.end());
    expected = {{"glViewport", {0, 0, 1024, 768}}, {"glEnable", {GL_DEPTH_TEST}},
                {"glFrontFace", {GL_CCW}},         {"glEnable", {GL_CULL_FACE}},
                {"glClearColor", {0, 0, 0, 1}}};
    for (const Call& call : ViewFromAbove(4 / 3.0))
        expected.push_back(call);
    expected.push_back({"glLoadIdentity", {}});
    expected.push_back({"glViewport", {0, 0, 800, 400}});
    for (const Call& call : ViewFromAbove(2))
        expected.push_back(call);
}

}  // namespace
