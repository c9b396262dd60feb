// How steady a paced loop's frames are: from the moments frames started, the 99th percentile of
// how far an interval lies from the display's period, as one line the bench script collects.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "refresh_rate.h"

// Prints "<name> <p99> us (<frames> frames, mean interval <mean> us)".
inline void PrintPacing(const char* name, RefreshRate rate, const std::vector<int64_t>& startsUs)
{
    const double period = 1e6 * double(rate.denominator) / double(rate.numerator);
    std::vector<double> deviations;
    for (size_t i = 1; i < startsUs.size(); ++i)
        deviations.push_back(std::fabs(double(startsUs[i] - startsUs[i - 1]) - period));
    if (deviations.empty()) {
        std::printf("%s n/a\n", name);
        return;
    }
    std::sort(deviations.begin(), deviations.end());
    const double mean = double(startsUs.back() - startsUs.front()) / double(deviations.size());
    std::printf("%s %.0f us (%zu frames, mean interval %.1f us of %.1f)\n", name,
                deviations[deviations.size() * 99 / 100], startsUs.size(), mean, period);
}
