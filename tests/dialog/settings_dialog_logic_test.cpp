// The settings dialog's portable decisions: what "設定" writes for the track box, the "##"
// format, the background's levels, the texture copies, the option look and the placement.
#include <gtest/gtest.h>

#include "settings_dialog_logic.h"

namespace {

using namespace zirel::dialog;

TEST(SettingsDialogLogic, TrackTextLevelsTextureAndLook)
{
    // Halves round to even; what no 16-bit number holds is saved as 0.
    const std::pair<const char*, const char*> typed[] = {{"", " 0"}, {" 2.5 ", " 2"}, {"3.5", " 4"}, {"+1e1", " 10"},
        {"7a", " 0"}, {"inf", " 0"}, {"32767.5", " 0"}, {"-32768.5", "-32768"}, {"-32769", " 0"}};
    for (const auto& [text, saved] : typed)
        EXPECT_EQ(RepeatSaveText(text), saved) << "typed \"" << text << "\"";
    EXPECT_EQ(HashFormat(0) + HashFormat(-3), "-3");

    const std::vector<int> levels = BackgroundLevels(246);  // |sin(i / 78.29)| x 220, rows 0..246
    EXPECT_EQ(std::vector<int>({int(levels.size()), int(BackgroundLevels(1).size()), levels[1], levels[123],
                                levels[200], levels[246]}), std::vector<int>({247, 2, 3, 220, 122, 0}));
    const std::vector<Point> copies = TextureCopyPositions(556, 20, 469, 165);  // a row and column beyond
    EXPECT_EQ(std::tuple(copies.size(), copies[9], copies.back()), std::tuple(20u, Point{0, 180}, Point{556, 180}));
    // {option marked, track box enabled, file button enabled}; an unknown kind marks nothing.
    EXPECT_EQ((std::pair{OptionLookFor(2), OptionLookFor(9)}), std::pair(OptionLook{2, 0, 1}, OptionLook{-1, 0, 0}));
    EXPECT_EQ(DialogPosition(400, 200, 502, 275), (Point{-51, -25}));  // centred, a third of the way down
}

}  // namespace
