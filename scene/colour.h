// Path and top colours: HSV with every channel nominally in 0..1 (hue 0 is red, rising through
// yellow, green, cyan, blue and magenta back to red at 1), and RGB as OpenGL takes it.
#pragma once

#include <cstdint>

struct Hsv {
    float hue;
    float saturation;
    float value;
};

struct Rgb {
    float red;
    float green;
    float blue;
};

// The sector bounds are the decimal constants 0.166667, 0.333333, ... rather than exact sixths,
// so a hue just below a bound can give a channel a few millionths outside 0..1.
void HsvToRgb(float hue, float saturation, float value, float& red, float& green, float& blue);

// Saturation and value move linearly by the fraction f; the hue moves upward, wrapping past 1,
// unless `downward` is 1, when it moves downward, wrapping past 0.
void BlendHsv(const Hsv& start, const Hsv& target, float f, int32_t downward, float& hue,
              float& saturation, float& value);
