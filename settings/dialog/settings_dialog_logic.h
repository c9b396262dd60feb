// The settings dialog's decisions, free of any window system: the track box's text as a number,
// the "##" format, the background's line levels, where the panel texture is copied, and which
// option is marked and which controls are enabled for a music kind.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zirel::dialog {

// The "##" pattern: the number without leading zeros, and "" for 0.
std::string HashFormat(int value);

// The track box's text as bgmRepeat: a number text (blanks around it, a sign, a decimal point
// and an exponent allowed) rounded to a whole number with halves to even. A text that is no
// number, or whose rounded value lies outside -32768..32767, gives 0.
int16_t RepeatFromTrackText(std::string_view text);

// What "設定" writes for the track box's text (" 7", " 0", "-3").
std::string RepeatSaveText(std::string_view text);

// Grey-blue level of each background line, for rows 0..clientHeight inclusive: |sin(i / P)|
// x 220 with P = height / 3.142, halves rounded to even. Row i is drawn RGB(l, l, l + 30).
std::vector<int> BackgroundLevels(int clientHeight);

struct Point {
    int x, y;
    bool operator==(const Point&) const = default;
};

// Where the panel texture is copied, in order. The copy comes before the test, so one row
// below and one column beyond the panel are drawn too (and clipped).
std::vector<Point> TextureCopyPositions(int textureWidth, int textureHeight, int panelWidth, int panelHeight);

// The option images and the two dependent controls for a music kind.
struct OptionLook {
    int marked;  // 0..2, or -1 when the kind names no option (nothing marked)
    bool repeatEnabled;
    bool fileEnabled;
    bool operator==(const OptionLook&) const = default;
};
OptionLook OptionLookFor(int bgmKind);

// Top-left corner of a window centred across and placed a third of the way down the screen.
Point DialogPosition(int screenWidth, int screenHeight, int windowWidth, int windowHeight);

}  // namespace zirel::dialog
