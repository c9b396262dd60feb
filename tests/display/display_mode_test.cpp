// zirel, the X11 display mode, draws as Zirel.dll does: for the same seed and window size, the
// same OpenGL calls from its start-up, its frames and a change of the window's size.
#include "display_mode_frames.h"
#include "frame_start.h"
#include "monitor_frame.h"
#include "scene_testing.h"

namespace {

// Zirel.dll starts in WM_CREATE (the scene's defaults, then InitGL), draws on its one monitor
// and follows a display change. This seed draws the rare view from above.
TEST_F(SceneTest, ZirelDrawsAsZirelDllForTheSameSeedAndSize)
{
    const uint32_t seed = 1700000270;
    SetSceneDefaults();
    LcgRandom dllRandom;
    SeedRendererRandom(dllRandom, seed);
    // The view from above: the seed, then ten draws thrown away, as both programs start.
    ASSERT_TRUE(StartFrames(dllRandom, 1024, 768));
    const ScreenRect screen{0, 0, 1024, 768};
    const MonitorLayout layout = LayOutMonitors(screen, std::span(&screen, 1));
    RenderFrameOnMonitors(layout, true);
    FollowWindowSize(640, 480, true);
    RenderFrameOnMonitors(layout, true);
    expected = glrec::calls;

    glrec::calls.clear();
    DisplayModeFrames zirel;
    zirel.Start(seed, 1024, 768);
    zirel.Frame();
    zirel.Follow(640, 480);
    zirel.Frame();
    seen = glrec::calls;
}

}  // namespace
