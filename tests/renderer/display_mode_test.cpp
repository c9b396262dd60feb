// zirel, the X11 display mode: where it draws and at what pace, from its command line and
// XSCREENSAVER_WINDOW; and its frames beside Zirel.dll's for the same seed and window size.
#include "display_mode.h"
#include "frame_start.h"
#include "monitor_frame.h"
#include "scene_testing.h"

namespace {

TEST(DisplayMode, WhereAndHowOften)
{
    using enum DrawTarget;
    // {arguments, XSCREENSAVER_WINDOW, target, window, delay, refused}
    const std::tuple<std::vector<const char*>, const char*, DrawTarget, uint64_t, int64_t, bool>
        rows[] = {
            {{}, nullptr, OwnWindow, 0, 0, false},
            {{}, "", OwnWindow, 0, 0, false},
            {{"--root", "--delay", "20000"}, nullptr, RootWindow, 0, 20000, false},
            {{"--root"}, "0x1A00007", GivenWindow, 0x1a00007, 0, false},
            {{"-window-id", "4242"}, "0x1a00007", GivenWindow, 4242, 0, false},
            {{"-delay", "0"}, "27262983", GivenWindow, 27262983, 0, false},
            {{"-window-id", "0x"}, nullptr, OwnWindow, 0, 0, true},
            {{"-window-id", "0"}, nullptr, OwnWindow, 0, 0, true},
            {{"-window-id"}, nullptr, OwnWindow, 0, 0, true},
            {{"-delay", "-5"}, nullptr, OwnWindow, 0, 0, true},
            {{"-delay", " 5"}, nullptr, OwnWindow, 0, 0, true},
            {{}, "0x1g", GivenWindow, 0, 0, true},
            {{"-fps"}, nullptr, OwnWindow, 0, 0, true},
        };
    for (const auto& [args, variable, target, window, delay, refused] : rows) {
        std::vector<char*> argv;
        for (const char* arg : args)
            argv.push_back(const_cast<char*>(arg));
        const DisplayModeOptions options = ReadDisplayModeOptions(argv, variable);
        EXPECT_EQ(std::tuple(options.target, options.windowId, options.delayUs, !options.error.empty()),
                  std::tuple(target, window, delay, refused))
            << (args.empty() ? "" : args[0]) << " " << (variable ? variable : "unset");
    }
}

// Zirel.dll starts in WM_CREATE (the scene's defaults, then InitGL), draws on its one monitor
// and follows a display change; zirel starts, draws and follows its window's size.
TEST_F(SceneTest, ZirelDrawsAsZirelDllForTheSameSeedAndSize)
{
    for (const auto& [seed, width, height] : {std::tuple{1700000469u, 800, 600}, {1700000270u, 1024, 768}}) {
        glrec::calls.clear();
        SetSceneDefaults();
        LcgRandom dllRandom;
        SeedRendererRandom(dllRandom, seed);
        const bool fromAbove = StartFrames(dllRandom, width, height);
        const ScreenRect screen{0, 0, width, height};
        const MonitorLayout layout = LayOutMonitors(screen, std::span(&screen, 1));
        RenderFrameOnMonitors(layout, fromAbove);
        FollowWindowSize(640, 480, fromAbove);
        RenderFrameOnMonitors(layout, fromAbove);
        expected.insert(expected.end(), glrec::calls.begin(), glrec::calls.end());

        glrec::calls.clear();
        DisplayModeFrames zirel;
        zirel.Start(seed, width, height);
        zirel.Frame();
        zirel.Follow(640, 480);
        zirel.Follow(640, 480);
        zirel.Frame();
        seen.insert(seen.end(), glrec::calls.begin(), glrec::calls.end());
    }
}

}  // namespace
