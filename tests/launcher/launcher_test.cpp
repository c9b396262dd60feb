// The launcher's portable decisions: its command line, the preview's twips, which music a file
// plays and the renderer watch tick by tick.
#include <gtest/gtest.h>

#include "command_line.h"
#include "preview_geometry.h"
#include "random_text.h"
#include "saver_run_rules.h"

TEST(Launcher, CommandLine)
{
    // {command line, argument text, switch character}
    const std::tuple<const char*, std::string_view, char> lines[] = {
        {"x /z", "/z", 'Z'},
        {"\"C:\\Program Files\\Zirel.scr\" /p 1234", "/p 1234", 'P'},
        {" \"C:\\Program Files\\Zirel.scr\"", "", 0},
        {"Zirel.scr \t -c:5678", "-c:5678", 'C'},
        {"x -1", "-1", '1'},
        {"\"unclosed /s", "", 0}};
    for (const auto& [line, arguments, switchCharacter] : lines) {
        EXPECT_EQ(ArgumentText(line), arguments);
        EXPECT_EQ(SwitchCharacter(arguments), switchCharacter) << arguments;
    }
    // The preview parent: the number from the fourth character, rounded half to even; 0 unless it
    // fits 32 bits.
    const std::pair<const char*, uint32_t> parents[] = {{"/p:+8", 8},
                                                        {"/P\t 41.5x", 42},
                                                        {"/p 2.5", 2},
                                                        {"/p 2.51", 3},
                                                        {"/p", 0},
                                                        {"/p 4294967295", 4294967295u},
                                                        {"/p 4294967296", 0},
                                                        {"/p -2147483648", 1u << 31},
                                                        {"/p -2147483649", 0}};
    for (const auto& [arguments, parent] : parents)
        EXPECT_EQ(PreviewParentHandle(arguments), parent) << arguments;
}

TEST(Launcher, PreviewTwipsMusicTypeAndRendererWatch)
{
    EXPECT_EQ(std::tuple(TwipsPerPixel(120), TwipsPerPixel(0)), std::tuple(12, 15));
    // Twips are 0 past the form's 16 bits.
    EXPECT_EQ(std::tuple(PreviewTwips(32767, 1), PreviewTwips(32768, 1)), std::tuple(32767, 0));
    const PreviewLayout layout = LayoutPreview(2184, 2185, 15, 15);
    EXPECT_EQ(std::tuple(layout.widthTwips, layout.widthPixels, layout.heightPixels),
              std::tuple(32760, 2184, 0));
    EXPECT_EQ(MusicTypeOf("C:\\m\\A.Mp3"), MusicType::Mp3);
    EXPECT_EQ(MusicTypeOf("tune.mid"), MusicType::None);
    EXPECT_EQ(MusicTypeOf("a.wav"), MusicType::Wav);
    const PreviewLayout small = LayoutPreview(152, 112, 15, 15);
    EXPECT_EQ(std::tuple(small.heightTwips, small.heightPixels), std::tuple(1680, 112));
    // Watch ticks {window found, process ended, the run ends}: an ended process ends it at once;
    // a window ends it once it has been seen and is gone.
    const std::tuple<bool, bool, bool> ticks[] = {
        {0, 0, 0}, {0, 1, 1}, {1, 0, 0}, {1, 0, 0}, {0, 0, 1}};
    bool seen = false;
    for (const auto& [found, ended, ends] : ticks)
        EXPECT_EQ(RendererWatchStep(seen, found, ended) == WatchAction::EndRun, ends);
}

// Random command lines: the argument text lies inside the line, and a preview parent that was
// read reads the same from its own decimal text.
TEST(Launcher, RandomCommandLines)
{
    for (int n = 0; n < 3000; ++n) {
        const RandomText line = MakeRandomText(" \t\"/\\pPsSc:0123456789+-.eE", 1, n);
        const std::string_view arguments = ArgumentText(line.View());
        ASSERT_TRUE(arguments.empty() || (arguments.data() >= line.bytes.get() &&
                                          arguments.end() <= line.View().end()));
        SwitchCharacter(arguments);
        if (const uint32_t parent = PreviewParentHandle(arguments)) {
            EXPECT_EQ(PreviewParentHandle("/p " + std::to_string(parent)), parent) << n;
        }
    }
}
