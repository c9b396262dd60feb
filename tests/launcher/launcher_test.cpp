// The launcher's portable decisions: its command line, the preview's twips, which music a file
// plays and the renderer watch tick by tick.
#include <gtest/gtest.h>

#include "command_line.h"
#include "preview_geometry.h"
#include "saver_run_rules.h"

namespace {

TEST(Launcher, CommandLine)
{
    // {command line, argument text, switch character}
    const std::tuple<const char*, std::string_view, char> lines[] = {{"Zirel.scr /s", "/s", 'S'}, {"x /z", "/z", 'Z'},
        {"\"C:\\Program Files\\Zirel.scr\" /p 1234", "/p 1234", 'P'}, {" \"C:\\Program Files\\Zirel.scr\"", "", 0},
        {"Zirel.scr \t -c:5678", "-c:5678", 'C'}, {"\"unclosed /s", "", 0}, {"Zirel.scr s", "s", 0}};
    for (const auto& [line, arguments, switchCharacter] : lines)
        EXPECT_EQ(std::pair(ArgumentText(line), SwitchCharacter(arguments)), std::pair(arguments, switchCharacter));
    // The preview parent: the number from the fourth character, rounded half to even; 0 unless it fits 32 bits.
    const std::pair<const char*, uint32_t> parents[] = {{"/p:+8", 8}, {"/P\t 42x", 42}, {"/p 1 2", 1}, {"/p 7.5", 8},
        {"/p 2.5", 2}, {"/p", 0}, {"/p 4294967295", 4294967295u}, {"/p 4294967296", 0}, {"/p -5", uint32_t(-5)},
        {"/p -2147483648", 2147483648u}, {"/p -2147483649", 0}, {"/p 1000000000000000000009", 0}};
    for (const auto& [arguments, parent] : parents)
        EXPECT_EQ(PreviewParentHandle(arguments), parent) << arguments;
}

TEST(Launcher, PreviewTwipsMusicTypeAndRendererWatch)
{
    EXPECT_EQ(std::tuple(TwipsPerPixel(120), TwipsPerPixel(1), TwipsPerPixel(0)), std::tuple(12, 1440, 15));
    // {parent width, height, twips per pixel} -> {width, height in twips (0 past 32767), the same in pixels}
    const std::pair<std::array<int, 3>, std::array<int, 4>> layouts[] = {{{2184, 2185, 15}, {32760, 0, 2184, 0}},
        {{32768, 32767, 1}, {0, 32767, 0, 32767}}, {{-32768, -32769, 1}, {-32768, 0, -32768, 0}}};
    for (const auto& [in, out] : layouts) {
        const PreviewLayout got = LayoutPreview(in[0], in[1], in[2], in[2]);
        EXPECT_EQ((std::array<int, 4>{got.widthTwips, got.heightTwips, got.widthPixels, got.heightPixels}), out);
    }
    for (const auto& [file, type] : {std::pair("C:\\m\\A.Mp3", MusicType::Mp3), {"loop.wav", MusicType::Wav},
             {"wav", MusicType::Wav}, {"tune.mid", MusicType::None}, {"av", MusicType::None}})
        EXPECT_EQ(MusicTypeOf(file), type) << file;
    // Each run: {window found, process ended} per tick; only the last tick ends it (a slow start, a
    // renderer that never shows its window, one killed while it shows).
    using Ticks = std::vector<std::pair<bool, bool>>;
    for (const Ticks& run : {Ticks{{0, 0}, {1, 0}, {1, 0}, {0, 0}}, Ticks{{0, 0}, {0, 1}}, Ticks{{1, 0}, {1, 1}}}) {
        bool seen = false;
        for (size_t i = 0; i < run.size(); ++i)
            EXPECT_EQ(RendererWatchStep(seen, run[i].first, run[i].second) == WatchAction::EndRun, i + 1 == run.size());
    }
}

}  // namespace
