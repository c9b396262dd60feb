// Where the settings dialog's controls lie: one table of rectangles in dialog pixels at 100 %
// (96 dots per inch), each in its parent's client area, and what a larger scale makes of them.
#pragma once

#include <array>
#include <cstdint>

#include "settings_dialog_ids.h"

namespace zirel::dialog {

struct Rect {
    int x, y, width, height;
    int Right() const { return x + width; }
    int Bottom() const { return y + height; }
    bool operator==(const Rect&) const = default;
};

enum class Parent : uint8_t { Dialog, Panel };

// A label sized to its text starts at its rectangle's corner and may take the whole rectangle;
// every other control fills its rectangle.
struct Place {
    int id;
    Parent parent;
    Rect rect;
};

inline constexpr Rect kClientArea{0, 0, 496, 246};
// Shape3, the heading's black frame, painted on the panel's texture around the heading.
inline constexpr Rect kHeadingFrame{20, 20, 113, 21};
// The track box's item height: with its frame, a closed box 20 pixels high.
inline constexpr int kRepeatItemHeight = 14;

inline constexpr std::array<Place, 16> kLayout{{
    {kIdPanel, Parent::Dialog, {12, 16, 469, 165}},
    {kIdHeading, Parent::Panel, {20, 24, 111, 13}},
    {kIdOptionImage + 1, Parent::Panel, {28, 56, 13, 13}},
    {kIdOptionLabel + 1, Parent::Panel, {44, 56, 64, 13}},  // up to the track box
    {kIdRepeat, Parent::Panel, {112, 52, 41, 20}},
    {kIdRepeatLabel, Parent::Panel, {156, 56, 289, 13}},
    {kIdOptionImage + 0, Parent::Panel, {28, 76, 13, 13}},
    {kIdOptionLabel + 0, Parent::Panel, {44, 76, 401, 13}},
    {kIdOptionImage + 2, Parent::Panel, {28, 96, 13, 13}},
    {kIdOptionLabel + 2, Parent::Panel, {44, 96, 401, 13}},
    {kIdFileButton, Parent::Panel, {28, 116, 41, 21}},
    {kIdFileName, Parent::Panel, {72, 116, 373, 33}},
    {kIdCredit, Parent::Dialog, {12, 192, 308, 13}},  // up to the buttons
    {kIdLink, Parent::Dialog, {12, 208, 308, 13}},
    {kIdSet, Parent::Dialog, {324, 200, 77, 25}},
    {kIdCancel, Parent::Dialog, {404, 200, 77, 25}},
}};

// The rectangle of control `id` at 100 %; an empty one for an id the dialog does not have.
Rect PlaceOf(int id);

// `pixels` at `dpi` dots per inch, to the nearest pixel.
int Scaled(int pixels, int dpi);

// `rect` at `dpi` dots per inch: each edge scaled on its own, so that rectangles that do not
// overlap at 100 % never overlap at any scale.
Rect Scaled(const Rect& rect, int dpi);

}  // namespace zirel::dialog
