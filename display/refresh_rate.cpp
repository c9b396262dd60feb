// Refresh rates as exact fractions.
#include "refresh_rate.h"

#include <algorithm>
#include <numeric>

namespace {

RefreshRate Reduced(int64_t numerator, int64_t denominator)
{
    const int64_t divisor = std::gcd(numerator, denominator);
    return RefreshRate{numerator / divisor, denominator / divisor};
}

}  // namespace

RefreshRate RateFromWholeHz(int64_t hz)
{
    switch (hz) {
    case 23:
    case 29:
    case 59:
    case 119:
    case 143:
        return Reduced((hz + 1) * 1000, 1001);
    }
    return hz > 1 ? RefreshRate{hz, 1} : RefreshRate{};
}

RefreshRate RateFromFraction(int64_t numerator, int64_t denominator, int64_t wholeHz)
{
    if (numerator <= 0 || denominator <= 0 || numerator <= denominator)
        return RateFromWholeHz(wholeHz);
    return Reduced(numerator, denominator);
}

RefreshRate RateOfMode(uint64_t dotClock, uint32_t hTotal, uint32_t vTotal, bool interlace,
                       bool doubleScan)
{
    const int64_t pixels = int64_t{hTotal} * vTotal * (doubleScan ? 2 : 1);
    const int64_t clock = static_cast<int64_t>(std::min<uint64_t>(dotClock, INT64_MAX / 2));
    return RateFromFraction(clock * (interlace ? 2 : 1), pixels, 0);
}

RefreshRate FastestRate(std::span<const RefreshRate> rates)
{
    RefreshRate fastest = rates.empty() ? RefreshRate{} : rates.front();
    for (const RefreshRate& rate : rates) {
        // a/b > c/d without a division, in 128 bits: a pixel clock times a frame's pixels.
        if (static_cast<__int128>(rate.numerator) * fastest.denominator >
            static_cast<__int128>(fastest.numerator) * rate.denominator)
            fastest = rate;
    }
    return fastest;
}

int MostOverlapping(const ScreenRect& window, std::span<const ScreenRect> rectangles)
{
    int best = -1;
    int64_t bestArea = 0;
    for (size_t i = 0; i < rectangles.size(); ++i) {
        const ScreenRect& r = rectangles[i];
        const int64_t width = int64_t{std::min(r.right, window.right)} - std::max(r.left, window.left);
        const int64_t height = int64_t{std::min(r.bottom, window.bottom)} - std::max(r.top, window.top);
        if (width > 0 && height > 0 && width * height > bestArea) {
            bestArea = width * height;
            best = static_cast<int>(i);
        }
    }
    return best;
}
