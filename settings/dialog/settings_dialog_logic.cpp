// The settings dialog's portable decisions. See settings_dialog_logic.h.
#include "settings_dialog_logic.h"

#include <cmath>
#include <optional>

#include "settings_file.h"

namespace zirel::dialog {

std::string HashFormat(int value)
{
    return value == 0 ? std::string() : std::to_string(value);
}

int16_t RepeatFromTrackText(std::string_view text)
{
    const std::optional<double> value = ParseDecimalText(text);
    if (!value)
        return 0;
    // nearbyint in the default rounding mode rounds halves to even, as the format always did.
    const double whole = std::nearbyint(*value);
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
