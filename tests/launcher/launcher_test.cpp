// The launcher's portable decisions: its command line, the preview's twips, which music a file
// plays and the renderer watch tick by tick.
#include <gtest/gtest.h>

#include "command_line.h"
#include "preview_geometry.h"
#include "random_text.h"
#include "saver_run_rules.h"
#include "words.h"

TEST(Launcher, CommandLine)
{
    // {command line, argument text, switch character}
    const std::tuple<const char*, std::string_view, char> lines[] = {
        {"\"a b\" /p 1234", "/p 1234", 'P'},
        {" \"a b\"", "", 0},
        {"Zirel.scr \t -c:5678", "-c:5678", 'C'},
        {"\"unclosed /s", "", 0},
        // As Windows starts a saver: unquoted, the long path with its blanks, with or without
        // arguments; the name ends at the last ".scr" (any case) a blank or the end follows.
        {"a.scr b.SCR c.scrx /p 2.scr", "c.scrx /p 2.scr", '.'},
        {"a b.scr", "", 0}};
    for (const auto& [line, arguments, switchCharacter] : lines) {
        EXPECT_EQ(ArgumentText(line), arguments);
        EXPECT_EQ(SwitchCharacter(arguments), switchCharacter);
    }
    // The preview parent: the number from the fourth character, rounded half to even; 0 unless it
    // fits 32 bits.
    std::string parents;
    for (const char* arguments : {"/p:+8", "/P\t 42.5x", "/p 2.51", "/p", "/p 4294967295",
                                  "/p 4294967296", "/p -2147483649"})
        parents += Words(PreviewParentHandle(arguments)) + ",";
    EXPECT_EQ(parents, "8,42,3,0,4294967295,0,0,");
}

TEST(Launcher, PreviewTwipsAndMusicType)
{
    // Twips per pixel at 120 dpi and unknown; twips are 0 past the form's 16 bits.
    EXPECT_EQ(Words(TwipsPerPixel(120), TwipsPerPixel(0), PreviewTwips(32767, 1),
                    PreviewTwips(32768, 1)),
              "12 15 32767 0");
    const PreviewLayout layout = LayoutPreview(2184, 2185, 15, 15);
    const PreviewLayout small = LayoutPreview(152, 112, 15, 15);
    EXPECT_EQ(Words(layout.widthTwips, layout.widthPixels, layout.heightPixels, small.heightTwips,
                    small.heightPixels),
              "32760 2184 0 1680 112");
    // None 0, Wav 1, Mp3 2.
    EXPECT_EQ(Words(int(MusicTypeOf("A.Mp3")), int(MusicTypeOf("tune.mid")),
                    int(MusicTypeOf(".wav"))),
              "2 0 1");
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
