// The display's refresh rate as an exact fraction, from what each platform reports: Windows'
// whole hertz or its rational rate, an X mode's pixel clock over its pixels. Free of platform
// types so the table is tested on the host.
#pragma once

#include <cstdint>
#include <span>

#include "monitor_layout.h"

// Frames per second as numerator / denominator, always reduced and above 1 Hz.
struct RefreshRate {
    int64_t numerator = 60;
    int64_t denominator = 1;
    bool operator==(const RefreshRate&) const = default;
};

// A rate as Windows gives it in whole hertz. NOTE: Windows truncates, so the broadcast rates of
// 1000/1001 come as 23, 29, 59, 119 and 143; those are read as their neighbours (59 as 59.94).
// 0 and 1 ("the hardware's default") are taken as 60.
RefreshRate RateFromWholeHz(int64_t hz);

// numerator / denominator hertz where that is a rate (both positive, above 1 Hz), else
// RateFromWholeHz(wholeHz).
RefreshRate RateFromFraction(int64_t numerator, int64_t denominator, int64_t wholeHz);

// An X mode's rate: its pixel clock over the pixels of a frame (total width x total height),
// an interlaced mode showing two fields per frame and a double-scanned one each line twice.
// Where the mode has no clock or size, 60.
RefreshRate RateOfMode(uint64_t dotClock, uint32_t hTotal, uint32_t vTotal, bool interlace,
                       bool doubleScan);

// The fastest of several monitors' rates (60 for none): the one window over all of them is paced
// by the fastest, so no monitor shows a frame twice.
RefreshRate FastestRate(std::span<const RefreshRate> rates);

// Index of the rectangle that shares the most area with `window`; -1 when none shares any.
int MostOverlapping(const ScreenRect& window, std::span<const ScreenRect> rectangles);
