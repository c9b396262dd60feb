// The renderer's decisions: which input ends the saver, the pixel format and the view.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input_rules.h"
#include "display_mode_options.h"
#include "pixel_format.h"
#include "random_text.h"
#include "view.h"

TEST(RendererChoices, InputPixelFormatAndView)
{
    // {cursor, closes, armed}: the first move never arms, however far; 3 + 1 = 4 pixels is no
    // activity and the reference follows; 5 from there closes and leaves the reference behind.
    const std::tuple<CursorPoint, bool, int> moves[] = {{{900, 700}, true, 0},
                                                        {{103, 101}, false, 1},
                                                        {{108, 101}, true, 1},
                                                        {{103, 105}, false, 1}};
    InputState input{.savedCursorPos = {100, 100}};
    for (const auto& [cursor, closes, armed] : moves)
        EXPECT_EQ((std::pair{MouseMoveEndsSaver(input, cursor), input.closeRequested}),
                  std::pair(closes, armed));
    InputState key;
    ArmClose(key);  // a key, a button or losing the focus
    EXPECT_EQ(key.closeRequested, 1);

    // Only RGBA (type 0, not 1) formats for a window (4), double-buffered (1), with OpenGL:
    // hardware ones get 2000, generic (0x40) accelerated (0x1000) ones 1000; colour bits above 16
    // count half.
    constexpr uint32_t usable = kPfdSupportOpenGL | kPfdDrawToWindow | kPfdDoubleBuffer;
    constexpr uint32_t generic = usable | 0x40;
    const std::pair<PixelFormatInfo, int> rows[] = {{{usable, 0, 32, 24}, 2072},
                                                    {{generic | 0x1000, 0, 24, 24}, 1068},
                                                    {{generic, 0, 19, 0}, 18},
                                                    {{usable, 1, 32, 24}, -1},
                                                    {{usable & ~1u, 0, 32, 24}, -1}};
    for (const auto& [format, score] : rows)
        EXPECT_EQ(PixelFormatScore(format), score) << format.flags << " " << int(format.colorBits);
    const PixelFormatInfo choices[] = {
        {generic, 0, 0, 0}, {generic, 0, 32, 32}, {usable, 0, 16, 0}, {usable | 2, 0, 16, 0}};
    EXPECT_EQ(BestPixelFormatIndex(choices), 3);
    const PixelFormatInfo firstBest[] = {{usable, 0, 32, 24}, {generic, 0, 32, 32}};
    EXPECT_EQ(BestPixelFormatIndex(firstBest), 1);  // hardware first; a tie keeps the lower index
    // From above for draws 0..65 of 0..32767.
    EXPECT_EQ(std::pair(IsViewFromAbove(65), IsViewFromAbove(66)), std::pair(true, false));
}

// zirel's command line and XSCREENSAVER_WINDOW: -window-id first, then with -root the handed-over
// window standing in for the root, then the root, else a window of its own.
TEST(RendererChoices, DisplayModeOptions)
{
    struct Row {
        std::vector<std::string> words;
        const char* handed;
        DrawTarget target;
        uint64_t window;
        int64_t delay;
        std::string error;
    };
    const Row rows[] = {
        {{}, "0x2a", DrawTarget::OwnWindow, 0, 0, ""},
        {{"--root", "--delay", "20000"}, "", DrawTarget::RootWindow, 0, 20000, ""},
        {{"-root"}, "0x2a", DrawTarget::GivenWindow, 42, 0, ""},
        {{"-root", "-window-id", "4242"}, "42", DrawTarget::GivenWindow, 4242, 0, ""},
        {{"-root"}, "4x", DrawTarget::GivenWindow, 0, 0,
         "XSCREENSAVER_WINDOW is not a window id: 4x"},
        {{"-window-id", "0"}, "", DrawTarget::OwnWindow, 0, 0,
         "-window-id needs a window id, hexadecimal (0x...) or decimal"},
        {{"-delay", "-1"}, "", DrawTarget::OwnWindow, 0, 0,
         "-delay needs a number of microseconds, 0 or more"},
        {{"-fps"}, "", DrawTarget::OwnWindow, 0, 0, "unknown option -fps"}};
    for (Row row : rows) {
        std::vector<char*> args;
        for (std::string& word : row.words)
            args.push_back(word.data());
        const DisplayModeOptions options = ReadDisplayModeOptions(args, row.handed);
        EXPECT_EQ(std::tuple(options.target, options.windowId, options.delayUs, options.error),
                  std::tuple(row.target, row.window, row.delay, row.error));
    }
}

// Random command lines (options, and random texts as their values) and XSCREENSAVER_WINDOW
// values for zirel: a window or a delay that was read reads the same from its own decimal text.
TEST(RendererChoices, RandomDisplayModeOptions)
{
    const char* names[] = {"-root", "--root", "-window-id", "--window-id", "-delay", "--delay"};
    for (int n = 0; n < 3000; ++n) {
        std::vector<std::string> words;
        for (int i = 0; i < n % 5; ++i)
            words.emplace_back(i % 2 ? MakeRandomText("0123456789abcdefxX-+", 4, n * 5 + i).View()
                                     : names[(n + i) % 6]);
        std::vector<char*> args;
        for (std::string& word : words)
            args.push_back(word.data());
        const std::string window(MakeRandomText("0123456789abcdefxX", 5, n).View());
        const DisplayModeOptions options = ReadDisplayModeOptions(args, window.c_str());
        if (!options.error.empty())
            continue;
        std::string given = "-window-id", id = std::to_string(options.windowId);
        std::string delay = "-delay", us = std::to_string(options.delayUs);
        char* again[] = {delay.data(), us.data(), given.data(), id.data()};
        const size_t count = options.target == DrawTarget::GivenWindow ? 4 : 2;
        const DisplayModeOptions read = ReadDisplayModeOptions({again, count}, nullptr);
        EXPECT_EQ(std::tuple(read.error, read.windowId, read.delayUs),
                  std::tuple("", options.windowId, options.delayUs))
            << n;
    }
}
