// Frame pacing over Win32: QueryPerformanceCounter for the clock, a waitable timer for the wait
// and MsgWaitForMultipleObjectsEx so that input never waits behind it.
#include "win32_frame_pacing.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

int64_t SteadyNowUs()
{
    static const int64_t frequency = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart / frequency * 1000000 + now.QuadPart % frequency * 1000000 / frequency;
}

Win32FramePacing::Win32FramePacing()
{
    // NOTE: a plain timer (and Sleep) rounds to the system tick, 15.6 ms unless some program
    // asked for more; the high-resolution kind (Windows 10 1803 and later) keeps the period
    // exact. Older systems get the plain one.
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                    TIMER_ALL_ACCESS);
    if (!timer_)
        timer_ = CreateWaitableTimerW(nullptr, TRUE, nullptr);
}

Win32FramePacing::~Win32FramePacing()
{
    if (timer_)
        CloseHandle(timer_);
}

bool Win32FramePacing::WaitForFrame(FramePacer& pacer)
{
    const int64_t waitUs = pacer.WaitBeforeNextUs(SteadyNowUs());
    if (waitUs == 0) {
        pacer.FrameStarted(SteadyNowUs());
        return true;
    }
    const DWORD waitMs = static_cast<DWORD>((waitUs + 999) / 1000);
    LARGE_INTEGER due{};
    due.QuadPart = -waitUs * 10;  // relative, in 100 ns units
    if (timer_ && SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE))
        MsgWaitForMultipleObjectsEx(1, &timer_, waitMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    else
        MsgWaitForMultipleObjectsEx(0, nullptr, waitMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    return false;
}
