// The command button's face: the rim's pieces, the caption's place and the gradient's colours.
// See command_button.h.
#include "command_button.h"

#include <cstdlib>

namespace zirel {

std::array<RimPiece, 8> RimPieces(int w, int h)
{
    // The face images are 960 x 375 twips (64 x 25 pixels); the rim is 60 twips thick. The
    // offsets of 1 twip fall on pixel 0.
    return {{
        {{0, 0, 60, 60}, {1, 1, 60, 60}},
        {{60, 1, 840, 60}, {60, 1, w - 120, 60}},
        {{900, 1, 60, 60}, {w - 60, 1, 60, 60}},
        {{900, 60, 60, 255}, {w - 60, 60, 60, h - 120}},
        {{900, 315, 60, 60}, {w - 60, h - 60, 60, 60}},
        {{60, 315, 840, 60}, {60, h - 60, w - 120, 60}},
        {{0, 315, 60, 60}, {1, h - 60, 60, 60}},
        {{1, 60, 60, 255}, {1, 60, 60, h - 120}},
    }};
}

double CaptionTop(double height, double captionHeight)
{
    return (height - captionHeight - 20.0) / 2.0;
}

GradientColour GradientColourFromText(const std::string& text)
{
    std::string digits = text;
    if (digits.size() >= 2 && digits[0] == '&' && (digits[1] == 'H' || digits[1] == 'h'))
        digits = digits.substr(2);
    const unsigned long value = std::strtoul(digits.c_str(), nullptr, 16) & 0xFFFFFFul;
    const auto channel = [value](int shift) { return uint16_t(((value >> shift) & 0xFF) << 8); };
    return {channel(16), channel(8), channel(0)};
}

GradientColours FaceGradient(bool hoverGradient)
{
    const GradientColour light = GradientColourFromText("&HFFFFFF");
    const GradientColour lavender = GradientColourFromText("&HC6C5D7");
    return hoverGradient ? GradientColours{lavender, light} : GradientColours{light, lavender};
}

}  // namespace zirel
