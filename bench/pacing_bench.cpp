// The paced loop of zirel on the host: the portable pacer over the monotonic clock and a poll
// that waits out the rest of the period, as zirel's loop does, each frame drawn into the
// recording OpenGL (which keeps nothing), so that the pace alone is measured. For SECONDS (the
// argument, 10 by default) at 60 Hz, then at 59.94 Hz.
#include <poll.h>
#include <time.h>

#include <cstdlib>

#include "frame_pacing.h"
#include "frame_start.h"
#include "gl_recorder.h"
#include "monitor_frame.h"
#include "pacing_figures.h"
#include "scene.h"

namespace {

int64_t NowUs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t{now.tv_sec} * 1000000 + now.tv_nsec / 1000;
}

}  // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    glrec::recording = false;
    LcgRandom random;
    SetSceneDefaults();
    SeedRendererRandom(random, 20261206);
    StartFrames(random, 1024, 768);
    const MonitorLayout oneMonitor;
    for (const auto& [name, rate] : {std::pair{"pacing_linux_60", RefreshRate{60, 1}},
                                     {"pacing_linux_59.94", RateFromWholeHz(59)}}) {
        FramePacer pacer(rate);
        std::vector<int64_t> starts;
        for (const int64_t end = NowUs() + int64_t(seconds * 1e6); NowUs() < end;) {
            const int64_t waitUs = pacer.WaitBeforeNextUs(NowUs());
            const timespec timeout{time_t(waitUs / 1000000), waitUs % 1000000 * 1000};
            if (waitUs > 0) {
                ppoll(nullptr, 0, &timeout, nullptr);
                continue;
            }
            starts.push_back(NowUs());
            pacer.FrameStarted(starts.back());
            RenderFrameOnMonitors(oneMonitor, false);
        }
        PrintPacing(name, rate, starts);
    }
    FreeSceneTables();
    return 0;
}
