// The settings dialog's portable decisions: what "設定" writes for the track box, the texture
// copies, the option look and the placement; its layout at each scale (its texts are read in both
// languages, and its pictures compared, by the Wine rows, which show the "##" format and the
// background's levels).
#include <gtest/gtest.h>

#include "dialog_layout.h"
#include "settings_dialog_logic.h"
#include "words.h"

using namespace zirel::dialog;

TEST(SettingsDialogLogic, TrackTextTextureAndLook)
{
    // Halves round to even; what no 16-bit number holds is saved as 0.
    const std::pair<const char*, const char*> typed[] = {
        {" 2.5 ", " 2"}, {"3.5", " 4"}, {"7a", " 0"}, {"32767.5", " 0"}, {"-32768.5", "-32768"}};
    for (const auto& [text, saved] : typed)
        EXPECT_EQ(RepeatSaveText(text), saved);
    // A row below and a column beyond the panel are copied too; a texture of no width or no
    // height, no copies.
    const std::vector<Point> copies = TextureCopyPositions(556, 20, 469, 165);
    EXPECT_EQ(Words(copies.size(), copies[9].x, copies[9].y, copies.back().x, copies.back().y,
                    TextureCopyPositions(0, 20, 469, 165).size(),
                    TextureCopyPositions(20, 0, 469, 165).size()),
              "20 0 180 556 180 0 0");
    // {option marked, track box enabled, file button enabled}: an unknown kind marks nothing (the
    // Wine rows mark each known one).
    EXPECT_EQ(OptionLookFor(9), (OptionLook{-1, false, false}));
    // Pixels at 150 %, halves away from 0.
    EXPECT_EQ(Words(Scaled(3, 144), Scaled(-3, 144)), "5 -5");
    // Centred, a third of the way down.
    EXPECT_EQ(DialogPosition(400, 200, 502, 275), (Point{-51, -25}));
}

// Each control's id and place at 150 % (the Wine rows' pictures show each in its place at 100 %),
// each edge to the nearest pixel; no control lies over another of its parent's.
TEST(DialogLayout, PlacesAt150)
{
    std::string at150;
    for (const Place& place : kLayout) {
        const Rect r = Scaled(place.rect, 144);
        at150 += Words(place.id, r.x, r.y, r.width, r.height) + "\n";
    }
    EXPECT_EQ(at150, R"(1000 18 24 704 248
1001 30 36 167 20
1011 42 84 20 20
1021 66 84 96 20
1030 168 78 62 30
1031 234 84 434 20
1010 42 114 20 20
1020 66 114 602 20
1012 42 144 20 20
1022 66 144 602 20
1040 42 174 62 32
1041 108 174 560 50
1050 18 288 462 20
1051 18 312 462 20
1060 486 300 116 38
1061 606 300 116 38
)");
}
