// The settings dialog's portable decisions. See settings_dialog_logic.h.
#include "settings_dialog_logic.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "settings_file.h"

namespace zirel::dialog {

std::string HashFormat(int value)
{
    return value == 0 ? std::string() : std::to_string(value);
}

namespace {

// True for [blanks][+|-]digits[.digits][(e|E)[+|-]digits][blanks] with at least one digit
// before the exponent. Hexadecimal, "inf" and "nan" are not numbers here.
bool IsNumberText(std::string_view text)
{
    size_t i = 0;
    const auto blank = [&](size_t at) { return at < text.size() && (text[at] == ' ' || text[at] == '\t'); };
    const auto digit = [&](size_t at) { return at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); };
    while (blank(i))
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    int digits = 0;
    while (digit(i))
        ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (digit(i))
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        if (!digit(i))
            return false;
        while (digit(i))
            ++i;
    }
    while (blank(i))
        ++i;
    return i == text.size();
}

}  // namespace

int16_t RepeatFromTrackText(std::string_view text)
{
    if (!IsNumberText(text))
        return 0;
    const double value = std::strtod(std::string(text).c_str(), nullptr);
    // nearbyint in the default rounding mode rounds halves to even, as the format always did.
    const double whole = std::nearbyint(value);
    if (!(whole >= -32768.0 && whole <= 32767.0))
        return 0;  // cannot be held as a track number: saved as 0 rather than failing the save
    return int16_t(whole);
}

std::string RepeatSaveText(std::string_view text)
{
    return SettingNumberText(RepeatFromTrackText(text));
}

std::vector<int> BackgroundLevels(int clientHeight)
{
    std::vector<int> levels;
    if (clientHeight <= 0)
        return levels;
    const double period = clientHeight / 3.142;
    for (int i = 0; i <= clientHeight; ++i)
        levels.push_back(int(std::nearbyint(std::fabs(std::sin(i / period)) * 220.0)));
    return levels;
}

std::vector<Point> TextureCopyPositions(int textureWidth, int textureHeight, int panelWidth, int panelHeight)
{
    std::vector<Point> positions;
    if (textureWidth <= 0 || textureHeight <= 0)
        return positions;
    int x = 0, y = 0;
    for (;;) {
        positions.push_back({x, y});
        if (y > panelHeight) {
            if (x > panelWidth)
                break;
            x += textureWidth;
            y = 0;
        } else {
            y += textureHeight;
        }
    }
    return positions;
}

OptionLook OptionLookFor(int bgmKind)
{
    const bool known = bgmKind >= 0 && bgmKind <= 2;
    return {known ? bgmKind : -1, bgmKind == 1, bgmKind == 2};
}

Point DialogPosition(int screenWidth, int screenHeight, int windowWidth, int windowHeight)
{
    return {(screenWidth - windowWidth) / 2, (screenHeight - windowHeight) / 3};
}

}  // namespace zirel::dialog
