// The settings dialog's layout at every scale, and its texts in both languages.
#include <gtest/gtest.h>

#include <algorithm>

#include "dialog_layout.h"
#include "ui_texts.h"

using namespace zirel;
using namespace zirel::dialog;

bool Inside(const Rect& a, const Rect& area)
{
    return a.x >= area.x && a.y >= area.y && a.Right() <= area.Right() &&
           a.Bottom() <= area.Bottom();
}

// At 100 %, 150 % and 200 %: every control inside its parent's client area, none over another.
TEST(DialogLayout, EachControlInItsParentAndNoneOverAnother)
{
    for (const int dpi : {96, 144, 192}) {
        const Rect panel = Scaled(PlaceOf(kIdPanel), dpi);
        const int border = 2 * kPanelBorder;
        const Rect areas[] = {Scaled(kClientArea, dpi),
                              {0, 0, panel.width - border, panel.height - border}};
        for (const Place& a : kLayout) {
            const Rect r = Scaled(a.rect, dpi);
            EXPECT_TRUE(Inside(r, areas[int(a.parent)])) << a.id << " at " << dpi;
            for (const Place& b : kLayout) {
                const Rect o = Scaled(b.rect, dpi);
                const bool apart = r.x >= o.Right() || o.x >= r.Right() || r.y >= o.Bottom() ||
                                   o.y >= r.Bottom();
                EXPECT_TRUE(a.id == b.id || a.parent != b.parent || apart) << a.id << " " << b.id;
            }
        }
        EXPECT_TRUE(Inside(Scaled(PlaceOf(kIdHeading), dpi), Scaled(kHeadingFrame, dpi)));
    }
    EXPECT_EQ(Scaled(PlaceOf(kIdPanel), 144), (Rect{18, 24, 704, 248}));
    EXPECT_EQ(Scaled(PlaceOf(kIdCancel), 96), (Rect{404, 200, 77, 25}));
}

// Japanese for a Japanese UI language of any region; every text in both, the English ones in
// ASCII; the title the instance guard looks for the same in both.
TEST(UiTexts, BothLanguagesAndTheChoice)
{
    const std::pair<uint16_t, Language> languages[] = {{0x0411, Language::Japanese},
                                                       {0x0011, Language::Japanese},
                                                       {0x0409, Language::English},
                                                       {0x0412, Language::English}};
    for (const auto& [id, language] : languages)
        EXPECT_EQ(LanguageFor(id), language) << id;
    for (const TextPair& text : kUiTexts) {
        const auto ascii = [](char c) { return c > 0; };
        EXPECT_TRUE(!text.japanese.empty() && !text.english.empty()) << text.english;
        EXPECT_TRUE(std::all_of(text.english.begin(), text.english.end(), ascii)) << text.english;
    }
    EXPECT_EQ(Say(UiText::DialogTitle, Language::English), "<Zirel>");
    EXPECT_EQ(Say(UiText::DialogTitle, Language::Japanese), "<Zirel>");
    EXPECT_EQ(Say(UiText::Heading, Language::English), "Music");
}
