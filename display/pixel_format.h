// Choosing the saver window's pixel format, as a pure function over the formats a device
// describes, so the scoring can be tested without a display.
#pragma once

#include <cstdint>
#include <span>

// The descriptor fields the choice reads (a subset of PIXELFORMATDESCRIPTOR).
struct PixelFormatInfo {
    uint32_t flags;
    uint8_t pixelType;
    uint8_t colorBits;
    uint8_t depthBits;
};

inline constexpr uint32_t kPfdDoubleBuffer = 0x1;
inline constexpr uint32_t kPfdDrawToWindow = 0x4;
inline constexpr uint32_t kPfdSupportOpenGL = 0x20;
inline constexpr uint32_t kPfdGenericFormat = 0x40;
inline constexpr uint32_t kPfdGenericAccelerated = 0x1000;
inline constexpr uint8_t kPfdTypeRgba = 0;

// Score of a format, or -1 when it does not qualify (needs OpenGL, window, double buffer, RGBA).
// Hardware formats get 2000 extra, generic accelerated ones 1000; colour bits above 16 count half.
int PixelFormatScore(const PixelFormatInfo& format);

// 1-based index of the best format (strictly higher score wins, so ties keep the lowest index),
// or 0 when none qualifies and the fallback descriptor must be used.
int BestPixelFormatIndex(std::span<const PixelFormatInfo> formats);
