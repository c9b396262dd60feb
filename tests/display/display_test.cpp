// The display's side of the renderer: each monitor's view inside the window over all of them,
// the frame drawn once per monitor, and the pace of frames.
#include <algorithm>

#include "frame_pacing.h"
#include "refresh_rate.h"
#include "scene_testing.h"

namespace {

// The primary right of one at negative x, in the window over both; with no virtual screen, the
// primary alone. Each viewport: x, y from the bottom, width, height.
TEST(Display, MonitorsLaidOutInTheWindow)
{
    const ScreenRect monitors[] = {{0, 0, 1920, 1080}, {-1280, -200, 0, 824}};
    string seen;
    for (const ScreenRect& window : {SaverWindowRect(-1280, -200, 3200, 1280, 1024, 768),
                                     SaverWindowRect(0, 0, 0, 0, 1024, 768)}) {
        const MonitorLayout layout = LayOutMonitors(window, monitors);
        for (const MonitorView& view : std::span(layout.views).first(layout.count)) {
            seen += Words(view.x, view.y, view.width, view.height) + ",";
            EXPECT_DOUBLE_EQ(view.aspect, double(view.width) / view.height);
        }
    }
    EXPECT_EQ(seen, "1280 0 1920 1080,0 256 1280 1024,0 0 1024 768,");
}

TEST(Display, RefreshRates)
{
    string seen;
    const auto rate = [&seen](RefreshRate r) { seen += Words(r.numerator, r.denominator) + ","; };
    // Whole hertz as Windows gives them (1 for the hardware's default), and a fraction
    // (numerator, denominator).
    for (int hz : {23, 29, 59, 119, 143, 1})
        rate(RateFromFraction(0, 0, hz));
    rate(RateFromFraction(59940, 1000, 59));
    rate(RateFromFraction(1, 2, 144));
    // An X mode: its pixel clock over its pixels; interlaced, two fields a frame.
    rate(RateOfMode(74250000, 2200, 1125, true, false));
    const RefreshRate rates[] = {{60, 1}, {144000, 1001}, {144, 1}, {75, 1}};
    rate(FastestRate(rates));
    EXPECT_EQ(seen, "24000 1001,30000 1001,60000 1001,120000 1001,144000 1001,60 1,2997 50,"
                    "144 1,60 1,144 1,");
    // The monitor under a window is the one it covers most.
    const ScreenRect monitors[] = {{-1280, 0, 0, 1024}, {0, 0, 1920, 1080}};
    EXPECT_EQ(MostOverlapping({-700, 100, 100, 500}, monitors), 0);
}

// A frame that starts a whole period after its time starts a new grid, so the next waits a whole
// period instead of catching up.
TEST(Display, AFrameAPeriodLateStartsANewGrid)
{
    FramePacer pacer;  // 60 Hz
    pacer.FrameStarted(5000);
    pacer.FrameStarted(38333);
    EXPECT_EQ(pacer.WaitBeforeNextUs(38333), 16666);
}

// Ten minutes of a display at `display` Hz fed by a loop paced at `reported`: a timer wakes up
// to 1 ms late, a frame draws for 3 ms, its swap returns at once or, from frame `heldFrom` on,
// when the driver shows it at the next refresh. Each refresh must bring one new frame: none
// shows the last twice, two lose one.
TEST(Display, EveryRefreshShowsOneNewFrame)
{
    const std::tuple<RefreshRate, RefreshRate, int> rows[] = {
        {{60000, 1001}, RateFromWholeHz(59), INT_MAX},
        {{60, 1}, RateFromWholeHz(60), INT_MAX},
        {{144, 1}, RateFromWholeHz(144), INT_MAX},
        {{60000, 1001}, {58, 1}, 1}};  // held swaps set the pace, whatever the rate says
    for (const auto& [display, reported, heldFrom] : rows) {
        const double period = 1e6 * double(display.denominator) / double(display.numerator);
        std::vector<int> shown(size_t(600e6 / period) + 3);
        size_t last = 0;
        FramePacer pacer(reported);
        for (int64_t t = 2000, late = 0, frames = 0; t < 600'000'000;) {
            if (const int64_t wait = pacer.WaitBeforeNextUs(t)) {
                ASSERT_GT(wait, 0);
                t += wait + (late = (late + 379) % 1000);
                continue;
            }
            pacer.FrameStarted(t);
            const int64_t swap = t + 3000;
            const bool held = ++frames > heldFrom;
            last = size_t(std::ceil((held ? swap : swap + 100) / period));
            t = held ? int64_t(std::ceil(double(last) * period)) : swap + 100;
            pacer.SwapEnded(swap, t);
            ++shown[last];
        }
        const auto wrong = std::find_if(&shown[1], &shown[last], [](int n) { return n != 1; });
        EXPECT_EQ(wrong - &shown[0], last);
    }
}

}  // namespace
