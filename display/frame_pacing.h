// Never more frames than the display shows: after a frame that came sooner than one refresh
// period, the loop waits out the rest. Where the driver already holds each swap to the
// display's refresh, frames take a whole period and no wait is added.
#pragma once

#include <cstdint>

// What a display that reports no rate (0 or 1 Hz, "the hardware's default") is taken to run at.
inline constexpr int kDefaultRefreshHz = 60;

class FramePacer {
public:
    // `refreshHz` as the display reports it; frames are also at least `leastPeriodUs` apart
    // (a slower pace asked for by the user), never closer than one refresh.
    explicit FramePacer(int refreshHz, int64_t leastPeriodUs = 0);

    // Microseconds between two frames.
    int64_t PeriodUs() const { return periodUs_; }

    // Called as a frame starts (after any wait), with a steady clock in microseconds.
    void FrameStarted(int64_t nowUs);

    // How long to wait, at `nowUs`, before the next frame may start: 0 when it is due, never
    // more than one period (a clock that stepped back cannot stall the saver).
    int64_t WaitBeforeNextUs(int64_t nowUs) const;

private:
    int64_t periodUs_;
    int64_t lastStartUs_ = 0;
    bool started_ = false;
};
