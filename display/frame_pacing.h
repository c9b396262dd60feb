// Never more frames than the display shows, and never fewer: after a frame that came sooner
// than one refresh period, the loop waits out the rest. The period is the display's exact one
// (59.94 Hz is 1001/60000 s, not a whole number of microseconds), and frames keep to a grid of
// whole periods, so over minutes they neither drift ahead of the display (a frame that is never
// shown) nor behind it (a frame shown twice). Where the driver already holds each swap to the
// display's refresh, the swap sets the pace and no wait is added.
#pragma once

#include <cstdint>

#include "refresh_rate.h"

class FramePacer {
public:
    // Frames are also at least `leastPeriodUs` apart (a slower pace asked for by the user).
    explicit FramePacer(RefreshRate rate = {}, int64_t leastPeriodUs = 0);

    // The display changed: the new rate, the grid starting again with the next frame.
    void SetRate(RefreshRate rate);

    // Called as a frame starts (after any wait), with a steady clock in microseconds.
    void FrameStarted(int64_t nowUs);

    // The frame's buffer swap ran from `swapStartUs` to `nowUs`. One that took half a period or
    // more was held to the display by the driver, which then sets the pace: the next frame waits
    // only where it would come sooner than 7/8 of a period, which a held swap never lets it (and
    // a swap that is merely slow, copying a large picture in software, cannot run away). A pace
    // slower than the display's, asked for by the user, is always the pacer's own.
    void SwapEnded(int64_t swapStartUs, int64_t nowUs);

    // How long to wait, at `nowUs`, before the next frame may start: 0 when it is due, never
    // more than one period (a clock that stepped back cannot stall the saver).
    int64_t WaitBeforeNextUs(int64_t nowUs) const;

private:
    // `n` / `d` periods in microseconds, rounded down: a period is periodNumerator_ /
    // periodDenominator_ microseconds, so frame n of the grid, at n periods, never drifts.
    int64_t PeriodsUs(int64_t n, int64_t d = 1) const;

    int64_t leastPeriodUs_;
    bool userPaced_ = false;    // the user's least period is longer than the display's
    int64_t periodNumerator_ = 0;
    int64_t periodDenominator_ = 1;
    int64_t gridStartUs_ = 0;
    int64_t framesOnGrid_ = 0;  // frames started since the grid started, the first not counted
    bool started_ = false;
    bool swapHeld_ = false;     // the last swap waited for the display
};
