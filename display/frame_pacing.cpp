// The frame pacing rule.
#include "frame_pacing.h"

#include <algorithm>

FramePacer::FramePacer(RefreshRate rate, int64_t leastPeriodUs) : leastPeriodUs_(leastPeriodUs)
{
    SetRate(rate);
}

void FramePacer::SetRate(RefreshRate rate)
{
    // One period is denominator / numerator seconds.
    periodNumerator_ = rate.denominator * 1000000;
    periodDenominator_ = rate.numerator;
    userPaced_ = leastPeriodUs_ > periodNumerator_ / periodDenominator_;
    if (userPaced_) {
        periodNumerator_ = leastPeriodUs_;
        periodDenominator_ = 1;
    }
    started_ = false;
}

int64_t FramePacer::PeriodsUs(int64_t n, int64_t d) const
{
    // In 128 bits: a rational rate's numerator and denominator may both be large.
    return static_cast<int64_t>(static_cast<__int128>(n) * periodNumerator_ /
                                (static_cast<__int128>(d) * periodDenominator_));
}

void FramePacer::FrameStarted(int64_t nowUs)
{
    // Frames keep to the grid: a wait that ended a little late (timers wake up after their time,
    // never before) does not push every later frame back. A frame later than a whole period, or
    // one whose swap the driver held (the display's own pace), starts a new grid.
    if (started_ && !swapHeld_ && nowUs >= gridStartUs_ + PeriodsUs(framesOnGrid_ + 1) &&
        nowUs < gridStartUs_ + PeriodsUs(framesOnGrid_ + 2)) {
        ++framesOnGrid_;
        return;
    }
    gridStartUs_ = nowUs;
    framesOnGrid_ = 0;
    started_ = true;
}

void FramePacer::SwapEnded(int64_t swapStartUs, int64_t nowUs)
{
    swapHeld_ = !userPaced_ && nowUs - swapStartUs >= PeriodsUs(1, 2);
}

int64_t FramePacer::WaitBeforeNextUs(int64_t nowUs) const
{
    if (!started_)
        return 0;
    const int64_t lastStartUs = gridStartUs_ + PeriodsUs(framesOnGrid_);
    const int64_t dueUs =
        swapHeld_ ? lastStartUs + PeriodsUs(7, 8) : gridStartUs_ + PeriodsUs(framesOnGrid_ + 1);
    return std::clamp<int64_t>(dueUs - nowUs, 0, dueUs - lastStartUs);
}
