// The user's language and its texts. See win32_user_texts.h.
#include "win32_user_texts.h"

#include <windows.h>

#include <cmath>
#include <cstdlib>

#include "win32_font.h"
#include "win32_text.h"

namespace zirel {

Language UserLanguage()
{
    static const Language language = LanguageFor(GetUserDefaultUILanguage());
    return language;
}

std::wstring UserText(UiText text)
{
    return Utf16FromUtf8(std::string(Say(text, UserLanguage())));
}

// NOTE: the English dialog takes the font of the system's own dialogs and message boxes (Segoe UI
// 9 points from Windows Vista to 11), as its user has set it; the Japanese one keeps its gothic,
// which shows Latin text wide and foreign, and which a system without Japanese fonts lacks.
CaptionFont UserTextFont()
{
    if (UserLanguage() == Language::Japanese)
        return CaptionFont{};  // ＭＳ Ｐゴシック, 9.75 points, Shift-JIS
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        return {.faceName = "Segoe UI", .points = 9, .charset = DEFAULT_CHARSET};
    const LOGFONTW& font = metrics.lfMessageFont;
    // Its height is in pixels at the screen's scale; CreateUiFont takes points.
    const double points = std::round(std::abs(font.lfHeight) * 7200.0 / ScreenDpi()) / 100;
    return {.faceName = Utf8FromWide(font.lfFaceName),
            .points = points,
            .bold = font.lfWeight >= FW_BOLD,
            .italic = font.lfItalic != 0,
            .charset = font.lfCharSet};
}

}  // namespace zirel
