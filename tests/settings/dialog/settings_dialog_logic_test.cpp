// The settings dialog's portable decisions: what "設定" writes for the track box, the "##"
// format, the background's levels, the texture copies, the option look and the placement.
#include <gtest/gtest.h>

#include "settings_dialog_logic.h"

using namespace zirel::dialog;

TEST(SettingsDialogLogic, TrackTextLevelsTextureAndLook)
{
    // Halves round to even; what no 16-bit number holds is saved as 0.
    const std::pair<const char*, const char*> typed[] = {
        {" 2.5 ", " 2"}, {"3.5", " 4"}, {"7a", " 0"}, {"32767.5", " 0"}, {"-32768.5", "-32768"}};
    for (const auto& [text, saved] : typed)
        EXPECT_EQ(RepeatSaveText(text), saved) << "typed \"" << text << "\"";
    EXPECT_EQ(HashFormat(0) + HashFormat(-3), "-3");
    // |sin(i / 78.29)| x 220 for rows 0..246; a one-pixel background has two rows.
    const std::vector<int> levels = BackgroundLevels(246);
    EXPECT_EQ((std::array{levels[1], levels[123], levels[200], levels.back()}),
              (std::array{3, 220, 122, 0}));
    EXPECT_EQ(BackgroundLevels(1).size(), 2u);
    // A row below and a column beyond the panel are copied too.
    const std::vector<Point> copies = TextureCopyPositions(556, 20, 469, 165);
    EXPECT_EQ(std::tuple(copies.size(), copies[9], copies.back()),
              std::tuple(20u, Point{0, 180}, Point{556, 180}));
    // {option marked, track box enabled, file button enabled}; an unknown kind marks nothing.
    EXPECT_EQ(OptionLookFor(1), (OptionLook{1, true, false}));
    EXPECT_EQ(OptionLookFor(2), (OptionLook{2, false, true}));
    EXPECT_EQ(OptionLookFor(9), (OptionLook{-1, false, false}));
    // Centred, a third of the way down.
    EXPECT_EQ(DialogPosition(400, 200, 502, 275), (Point{-51, -25}));
}
