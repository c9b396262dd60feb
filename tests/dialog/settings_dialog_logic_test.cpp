// The settings dialog's portable decisions: what "設定" writes for the track box, the "##"
// format, the background's levels, the texture copies and the option look.
#include <gtest/gtest.h>

#include "settings_dialog_logic.h"

namespace {

using namespace zirel::dialog;

TEST(SettingsDialogLogic, TrackBoxSaveTexts)
{
    const struct {
        const char* typed;
        const char* saved;
    } rows[] = {
        {"", " 0"},        {"7", " 7"},        {" 7 ", " 7"},  {"2.5", " 2"},    {"3.5", " 4"},
        {"-2.5", "-2"},    {"-3", "-3"},       {"+12", " 12"}, {"1e1", " 10"},   {".5", " 0"},
        {"abc", " 0"},     {"7a", " 0"},       {"1.2.3", " 0"}, {"-", " 0"},     {"0x10", " 0"},
        {"inf", " 0"},     {"99999", " 0"},    {"32767", " 32767"}, {"32767.5", " 0"}, {"-32768", "-32768"},
        {"-32768.5", "-32768"}, {"-32769", " 0"}, {"1e400", " 0"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(RepeatSaveText(row.typed), row.saved) << "typed \"" << row.typed << "\"";
}

TEST(SettingsDialogLogic, HashFormatLeavesZeroEmpty)
{
    EXPECT_EQ(HashFormat(0), "");
    EXPECT_EQ(HashFormat(7), "7");
    EXPECT_EQ(HashFormat(30), "30");
    EXPECT_EQ(HashFormat(-3), "-3");
}

TEST(SettingsDialogLogic, BackgroundLevelsRunDarkLightDark)
{
    const std::vector<int> levels = BackgroundLevels(246);
    ASSERT_EQ(levels.size(), 247u);
    EXPECT_EQ(levels[0], 0);
    EXPECT_EQ(levels[1], 3);    // |sin(1 / 78.29)| x 220 = 2.81
    EXPECT_EQ(levels[40], 108);  // 107.54
    EXPECT_EQ(levels[123], 220);
    EXPECT_EQ(levels[200], 122);  // 122.01
    EXPECT_EQ(levels[246], 0);   // sin(3.142) x 220 = -0.09, taken absolutely
    int peak = 0;
    for (int level : levels)
        peak = std::max(peak, level);
    EXPECT_EQ(peak, 220);
    EXPECT_TRUE(BackgroundLevels(0).empty());
}

TEST(SettingsDialogLogic, TextureCopiesCoverThePanelInTwoColumnsOfTen)
{
    const std::vector<Point> copies = TextureCopyPositions(556, 20, 469, 165);
    ASSERT_EQ(copies.size(), 20u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(copies[i], (Point{0, 20 * i}));
        EXPECT_EQ(copies[10 + i], (Point{556, 20 * i}));
    }
    // A small texture takes more columns; the last copy lies beyond both edges.
    const std::vector<Point> small = TextureCopyPositions(100, 100, 150, 150);
    EXPECT_EQ(small.size(), 9u);
    EXPECT_EQ(small.back(), (Point{200, 200}));
}

TEST(SettingsDialogLogic, OptionLookFollowsTheKind)
{
    EXPECT_EQ(OptionLookFor(0), (OptionLook{0, false, false}));
    EXPECT_EQ(OptionLookFor(1), (OptionLook{1, true, false}));
    EXPECT_EQ(OptionLookFor(2), (OptionLook{2, false, true}));
    EXPECT_EQ(OptionLookFor(5), (OptionLook{-1, false, false}));
    EXPECT_EQ(OptionLookFor(-1), (OptionLook{-1, false, false}));
}

TEST(SettingsDialogLogic, DialogPlacedCentredAThirdDown)
{
    EXPECT_EQ(DialogPosition(1024, 768, 502, 275), (Point{261, 164}));
    EXPECT_EQ(DialogPosition(400, 200, 502, 275), (Point{-51, -25}));  // truncates toward zero
}

}  // namespace
