// The frame pacing rule.
#include "frame_pacing.h"

#include <algorithm>

FramePacer::FramePacer(int refreshHz)
    : periodUs_(1000000 / (refreshHz > 1 ? refreshHz : kDefaultRefreshHz))
{
}

void FramePacer::FrameStarted(int64_t nowUs)
{
    lastStartUs_ = nowUs;
    started_ = true;
}

int64_t FramePacer::WaitBeforeNextUs(int64_t nowUs) const
{
    if (!started_)
        return 0;
    return std::clamp<int64_t>(lastStartUs_ + periodUs_ - nowUs, 0, periodUs_);
}
