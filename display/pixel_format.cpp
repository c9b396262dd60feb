#include "pixel_format.h"

int PixelFormatScore(const PixelFormatInfo& format)
{
    constexpr uint32_t required = kPfdSupportOpenGL | kPfdDrawToWindow | kPfdDoubleBuffer;
    if ((format.flags & required) != required || format.pixelType != kPfdTypeRgba)
        return -1;

    int score = format.colorBits + 2 * format.depthBits;
    if (format.colorBits > 16)
        score += (16 - format.colorBits) / 2;  // C++ division truncates toward zero
    if (!(format.flags & kPfdGenericFormat))
        score += 2000;
    else if (format.flags & kPfdGenericAccelerated)
        score += 1000;
    return score;
}

int BestPixelFormatIndex(std::span<const PixelFormatInfo> formats)
{
    int bestIndex = 0;
    int bestScore = 0;
    for (size_t i = 0; i < formats.size(); ++i) {
        const int score = PixelFormatScore(formats[i]);
        if (score > bestScore) {
            bestScore = score;
            bestIndex = static_cast<int>(i) + 1;
        }
    }
    return bestIndex;
}
