// The frame pacing rule.
#include "frame_pacing.h"

#include <algorithm>

FramePacer::FramePacer(int refreshHz, int64_t leastPeriodUs)
    : periodUs_(std::max<int64_t>(1000000 / (refreshHz > 1 ? refreshHz : kDefaultRefreshHz),
                                  leastPeriodUs))
{
}

void FramePacer::FrameStarted(int64_t nowUs)
{
    // Frames keep to a grid of whole periods: a wait that ended a little late (timers wake up
    // after their time, never before) does not push every later frame back. A frame later than a
    // whole period starts a new grid.
    const int64_t due = lastStartUs_ + periodUs_;
    lastStartUs_ = started_ && nowUs >= due && nowUs < due + periodUs_ ? due : nowUs;
    started_ = true;
}

int64_t FramePacer::WaitBeforeNextUs(int64_t nowUs) const
{
    if (!started_)
        return 0;
    return std::clamp<int64_t>(lastStartUs_ + periodUs_ - nowUs, 0, periodUs_);
}
