// HSV to RGB conversion and the hue-aware blend of the paths' colour cycle.
#include "colour.h"

void HsvToRgb(float hue, float saturation, float value, float& red, float& green, float& blue)
{
    const float h = hue;
    float r;
    float g;
    float b;
    if (h < 0.166667f) {
        r = 1.0f, g = 6.0f * h, b = 0.0f;
    } else if (h < 0.333333f) {
        r = 1.0f - 6.0f * (h - 0.166667f), g = 1.0f, b = 0.0f;
    } else if (h < 0.5f) {
        r = 0.0f, g = 1.0f, b = 6.0f * (h - 0.333333f);
    } else if (h < 0.666667f) {
        r = 0.0f, g = 1.0f - 6.0f * (h - 0.5f), b = 1.0f;
    } else if (h < 0.833333f) {
        r = 6.0f * (h - 0.666667f), g = 0.0f, b = 1.0f;
    } else {
        r = 1.0f, g = 0.0f, b = 1.0f - 6.0f * (h - 0.833333f);
    }
    // Saturation pulls each channel toward white, then value scales toward black.
    red = (1.0f - (1.0f - r) * saturation) * value;
    green = (1.0f - (1.0f - g) * saturation) * value;
    blue = (1.0f - (1.0f - b) * saturation) * value;
}

void BlendHsv(const Hsv& start, const Hsv& target, float f, int32_t downward, float& hue,
              float& saturation, float& value)
{
    saturation = start.saturation + (target.saturation - start.saturation) * f;
    value = start.value + (target.value - start.value) * f;

    if (!downward) {
        if (target.hue >= start.hue) {
            hue = start.hue + (target.hue - start.hue) * f;
        } else {
            hue = start.hue + (1.0f - (start.hue - target.hue)) * f;
            if (hue > 1.0f)
                hue -= 1.0f;
        }
    } else {
        if (start.hue >= target.hue) {
            hue = start.hue - (start.hue - target.hue) * f;
        } else {
            hue = start.hue - (1.0f - (target.hue - start.hue)) * f;
            if (hue < 0.0f)
                hue += 1.0f;
        }
    }
}
