// The display's side of the renderer: each monitor's view inside the window over all of them,
// the frame drawn once per monitor, and the pace of frames.
#include <GL/gl.h>

#include "frame_pacing.h"
#include "monitor_frame.h"
#include "scene_testing.h"

namespace {

struct LayoutRow {
    const char* name;
    ScreenRect window;
    std::vector<ScreenRect> monitors;
    std::vector<std::array<int, 4>> viewports;  // x, y from the bottom, width, height
};

TEST(Display, MonitorsLaidOutInTheWindow)
{
    const LayoutRow rows[] = {
        {"side by side, the second shorter",
         {0, 0, 1824, 768},
         {{0, 0, 1024, 768}, {1024, 0, 1824, 600}},
         {{0, 0, 1024, 768}, {1024, 168, 800, 600}}},
        {"stacked",
         {0, 0, 800, 1200},
         {{0, 0, 800, 600}, {0, 600, 800, 1200}},
         {{0, 600, 800, 600}, {0, 0, 800, 600}}},
        {"primary right of one at negative x",
         {-1280, -200, 1920, 1080},
         {{0, 0, 1920, 1080}, {-1280, -200, 0, 824}},
         {{1280, 0, 1920, 1080}, {0, 256, 1280, 1024}}},
        {"monitors of no width or height left out",
         {0, 0, 1024, 768},
         {{0, 0, 0, 768}, {0, 0, 1024, 768}, {0, 0, 1024, 0}},
         {{0, 0, 1024, 768}}},
    };
    for (const LayoutRow& row : rows) {
        const MonitorLayout layout = LayOutMonitors(row.window, row.monitors);
        ASSERT_EQ(layout.count, int(row.viewports.size())) << row.name;
        for (int i = 0; i < layout.count; ++i) {
            const MonitorView& view = layout.views[i];
            EXPECT_EQ((std::array{view.x, view.y, view.width, view.height}), row.viewports[i])
                << row.name;
            EXPECT_DOUBLE_EQ(view.aspect, double(view.width) / view.height) << row.name;
        }
    }
}

TEST(Display, FramesAtMostOnePerRefresh)
{
    // {reported rate, µs since the frame started, wait}: 0 and 1 Hz mean 60.
    const std::tuple<int, int64_t, int64_t> rows[] = {{60, 1000, 15666}, {0, 0, 16666},
                                                      {1, 16666, 0},     {75, 20000, 0},
                                                      {144, 2000, 4944}, {60, -99999, 16666}};
    for (const auto& [hz, elapsed, wait] : rows) {
        FramePacer pacer(hz);
        EXPECT_EQ(pacer.WaitBeforeNextUs(5000), 0);  // the first frame never waits
        pacer.FrameStarted(5000);
        EXPECT_EQ(pacer.WaitBeforeNextUs(5000 + elapsed), wait) << hz << " Hz after " << elapsed;
    }
    // A frame that starts late keeps the grid; one later than a whole period starts a new one.
    FramePacer pacer(60);
    for (const auto& [start, wait] : {std::pair{0, 16666}, {16966, 16366}, {50000, 16666}}) {
        pacer.FrameStarted(start);
        EXPECT_EQ(pacer.WaitBeforeNextUs(start), wait) << "started at " << start;
    }
}

// A frame on one monitor: a clear, twenty tops of nine calls, shown. On two: one clear, then the
// same step of the tops drawn into each monitor's viewport under a projection of its own aspect
// (the view along -z, as chosen), shown once.
TEST_F(SceneTest, EachMonitorDrawsTheSameStepUnderItsOwnView)
{
    MonitorLayout layout;
    layout.views[0] = MonitorView{0, 0, 1024, 768, 4.0 / 3.0};
    layout.views[1] = MonitorView{1024, 168, 1280, 1024, 1.25};
    for (int monitors : {1, 2}) {
        random = ScriptedRandom();
        SetupScene(random);
        glrec::calls.clear();
        layout.count = monitors;
        RenderFrameOnMonitors(layout, false);
        seen.insert(seen.end(), glrec::calls.begin(), glrec::calls.end());
    }
    ASSERT_EQ(seen.size(), 1 + 180 + 1 + 1 + 2 * (6 + 180) + 1u);
    const std::vector<Call> tops(seen.begin() + 1, seen.begin() + 181);
    EXPECT_EQ(tops[0], (Call{"glColor3f", {0, 0, 0}}));
    EXPECT_EQ(tops[8], (Call{"glPopMatrix", {}}));
    const Call clear{"glClear", {GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT}};
    expected = {clear};
    expected.insert(expected.end(), tops.begin(), tops.end());
    expected.push_back({"PresentFrame", {}});
    expected.push_back(clear);
    for (auto [x, y, width, height, aspect] :
         {std::tuple{0, 0, 1024, 768, 4 / 3.0}, {1024, 168, 1280, 1024, 1.25}}) {
        expected.push_back({"glViewport", {double(x), double(y), double(width), double(height)}});
        expected.push_back({"glMatrixMode", {GL_PROJECTION}});
        expected.push_back({"glLoadIdentity", {}});
        expected.push_back({"gluPerspective", {80, aspect, 50, 3000}});
        expected.push_back({"glTranslatef", {0, 0, -400}});
        expected.push_back({"glMatrixMode", {GL_MODELVIEW}});
        expected.insert(expected.end(), tops.begin(), tops.end());
    }
    expected.push_back({"PresentFrame", {}});
}

}  // namespace
