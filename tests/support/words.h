// What the host tests compare: values as words, whole numbers in full, others to five significant
// digits and within 1e-5 of 0 as 0 (float noise), so that a whole expected result is one literal
// text.
#pragma once

#include <cmath>
#include <cstdio>
#include <string>

inline std::string Word(const std::string& text) { return text; }
inline std::string Word(double x)
{
    char text[32];
    x = std::fabs(x) < 1e-5 ? 0.0 : x;
    std::snprintf(text, sizeof text, x == std::trunc(x) ? "%.0f" : "%.5g", x);
    return text;
}

// The values separated by blanks.
template <typename... Values>
std::string Words(const Values&... values)
{
    std::string text;
    ((text += " " + Word(values)), ...);
    return text.substr(1);
}
