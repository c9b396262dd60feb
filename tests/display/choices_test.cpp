// The renderer's decisions: which input ends the saver, the pixel format, when frames are drawn
// and zirel's options.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input_rules.h"
#include "display_mode_options.h"
#include "pixel_format.h"
#include "random_text.h"
#include "visibility.h"
#include "words.h"

using std::string;
using std::vector;
using std::tuple;

TEST(RendererChoices, InputAndPixelFormat)
{
    // {cursor, closes and armed}: the first move never arms, however far; 3 + 1 = 4 pixels is no
    // activity and the reference follows; 5 from there closes and leaves the reference behind.
    const std::pair<CursorPoint, const char*> moves[] = {
        {{900, 700}, "1 0"}, {{103, 101}, "0 1"}, {{108, 101}, "1 1"}, {{103, 105}, "0 1"}};
    InputState input{.savedCursorPos = {100, 100}};
    for (const auto& [cursor, outcome] : moves)
        EXPECT_EQ(Words(MouseMoveEndsSaver(input, cursor), input.closeRequested), outcome);
    // A display change that moved the cursor: measured from there, and its move message is the
    // first again.
    InputState moved{.firstMouseMoveSeen = 1, .savedCursorPos = {100, 100}};
    RetakeCursorReference(moved, {1500, 300});
    EXPECT_EQ(Words(MouseMoveEndsSaver(moved, {1503, 301}), moved.closeRequested), "0 0");

    // Only RGBA (type 0, not 1) formats for a window (4), double-buffered (1), with OpenGL:
    // hardware ones get 2000, generic (0x40) accelerated (0x1000) ones 1000; colour bits above 16
    // count half.
    constexpr uint32_t usable = kPfdSupportOpenGL | kPfdDrawToWindow | kPfdDoubleBuffer;
    constexpr uint32_t generic = usable | 0x40;
    string scores;
    for (const PixelFormatInfo& format : {PixelFormatInfo{usable, 0, 32, 24},
                                          {generic | 0x1000, 0, 24, 24},
                                          {generic, 0, 19, 0},
                                          {usable, 1, 32, 24},
                                          {usable & ~1u, 0, 32, 24}})
        scores += Words(PixelFormatScore(format)) + " ";
    EXPECT_EQ(scores, "2072 1068 18 -1 -1 ");
    // The best, from 1: a tie keeps the lower index; a format that scores 0 is not usable.
    const auto best = [](vector<PixelFormatInfo> formats) {
        return BestPixelFormatIndex(formats);
    };
    EXPECT_EQ(Words(best({{generic, 0, 32, 32}, {usable, 0, 16, 0}, {usable | 2, 0, 16, 0}}),
                    best({{generic, 0, 0, 0}, {generic, 0, 1, 0}})),
              "2 2");
}

// Frames are drawn while anybody can see them: the display on (dimmed too), the session's own
// display once it is reported, the session connected, the window mapped and not wholly covered.
TEST(RendererChoices, FramesOnlyWhileSeen)
{
    Visibility visibility;
    string seen;
    const auto report = [&](auto what, auto value) {
        (visibility.*what)(value);
        seen += visibility.Seen() ? "1" : "0";
    };
    report(&Visibility::ConsoleDisplay, 2u);
    report(&Visibility::ConsoleDisplay, 0u);
    report(&Visibility::SessionDisplay, 1u);
    report(&Visibility::SessionDisplay, 0u);
    report(&Visibility::SessionDisplay, 1u);
    report(&Visibility::SessionConnected, false);
    report(&Visibility::SessionConnected, true);
    report(&Visibility::Mapped, false);
    report(&Visibility::Mapped, true);
    report(&Visibility::FullyObscured, true);
    EXPECT_EQ(seen, "1010101010");
}

// zirel's options from these words and XSCREENSAVER_WINDOW.
DisplayModeOptions Read(vector<string> words, const char* window)
{
    vector<char*> args;
    for (string& word : words)
        args.push_back(word.data());
    return ReadDisplayModeOptions(args, window);
}

// -window-id first, then with -root the handed-over window standing in for the root, then the
// root, else a window of its own; a number too large, read first, spoils none read later.
// {the words, the variable, the target (own window 0, root 1, given 2), window, delay and the
// error's first word: what it is about}
TEST(RendererChoices, DisplayModeOptions)
{
    const tuple<vector<string>, const char*, string> rows[] = {
        {{"-delay", "18446744073709551616"}, "", "0 0 0 -delay"},
        {{"--help"}, "0x2a", "0 0 0 "},
        {{"--root", "--delay", "20000"}, "", "1 0 20000 "},
        {{"-root"}, "0x2a", "2 42 0 "},
        {{"-root", "-window-id", "4242"}, "42", "2 4242 0 "},
        {{"-root"}, "4x", "2 0 0 XSCREENSAVER_WINDOW"},
        {{"-window-id", "0"}, "", "0 0 0 -window-id"},
        {{"-fps"}, "", "0 0 0 unknown"}};
    for (const auto& [words, handed, read] : rows) {
        const DisplayModeOptions options = Read(words, handed);
        const string about = options.error.substr(0, options.error.find(' '));
        EXPECT_EQ(Words(int(options.target), options.windowId, options.delayUs, about), read);
    }
}

// Random command lines (options, and random texts as their values) and XSCREENSAVER_WINDOW
// values: a window or a delay that was read reads the same from its own decimal text.
TEST(RendererChoices, RandomDisplayModeOptions)
{
    const char* names[] = {"-root", "--window-id", "-delay"};
    for (int n = 0; n < 3000; ++n) {
        vector<string> words;
        for (int i = 0; i < n % 5; ++i)
            words.emplace_back(i % 2 ? MakeRandomText("0123456789abcdefxX-+", 4, n * 5 + i).View()
                                     : names[(n + i) % 3]);
        const string window(MakeRandomText("0123456789abcdefxX", 5, n).View());
        const DisplayModeOptions options = Read(words, window.c_str());
        if (!options.error.empty())
            continue;
        vector<string> again = {"-delay", std::to_string(options.delayUs)};
        if (options.target == DrawTarget::GivenWindow)
            again.insert(again.end(), {"-window-id", std::to_string(options.windowId)});
        const DisplayModeOptions read = Read(again, nullptr);
        EXPECT_EQ(tuple(read.error, read.windowId, read.delayUs),
                  tuple("", options.windowId, options.delayUs))
            << n;
    }
}
