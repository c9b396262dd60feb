// The spinning tops on screen: the real renderer under Wine shows coloured, lit tops that move.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "wine_test_support.h"

namespace {


// Hue sixths (0..5) of the clearly coloured pixels, each with enough pixels to be a top rather
// than an edge; also counts every pixel that is not black.
struct ColourCensus {
    int lit = 0;
    std::set<int> hues;
};

ColourCensus Census(const zt::Screenshot& shot)
{
    int perHue[6] = {};
    ColourCensus census;
    for (uint32_t pixel : shot.pixels) {
        const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
        const int high = std::max({r, g, b}), low = std::min({r, g, b});
        if (high > 16)
            ++census.lit;
        // Bright enough and saturated enough to have a hue; grey highlights do not count.
        if (high < 48 || (high - low) * 3 < high)
            continue;
        const float d = float(high - low);
        float hue;  // degrees
        if (high == r)
            hue = 60.0f * float(g - b) / d;
        else if (high == g)
            hue = 60.0f * (float(b - r) / d + 2.0f);
        else
            hue = 60.0f * (float(r - g) / d + 4.0f);
        if (hue < 0.0f)
            hue += 360.0f;
        const int sixth = std::min(int(hue / 60.0f), 5);
        ++perHue[sixth];
    }
    for (int sixth = 0; sixth < 6; ++sixth) {
        if (perHue[sixth] >= 40)
            census.hues.insert(sixth);
    }
    return census;
}

// Pixels that differ between two shots of the same size.
int Changed(const zt::Screenshot& a, const zt::Screenshot& b)
{
    int changed = 0;
    for (size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i)
        changed += a.pixels[i] != b.pixels[i];
    return changed;
}

TEST(SceneOnScreen, ColouredLitTopsMoveOverTheBlack)
{
    zt::ScratchDir dir;
    ASSERT_TRUE(dir.Copy(zt::DistDir() + "\\Zirel.dll", "Zirel.dll"));
    SetCursorPos(200, 200);
    const std::string exe = dir.File("Zirel.dll");
    zt::Process process = zt::Process::Start(exe, exe, dir.Path());
    ASSERT_TRUE(process.Started());
    HWND window = zt::WaitForWindow(zt::kRendererTitle, 10000);
    ASSERT_NE(window, nullptr);

    // Every top's first run is black but for its grey highlight, and the paths' colours fade in
    // over 300 frames: wait until tops of more than one colour show (or 60 s have passed).
    zt::Screenshot first;
    ColourCensus census;
    for (int second = 0; second < 60; ++second) {
        zt::Pump(1000);
        first = zt::CaptureScreen();
        census = Census(first);
        if (census.hues.size() >= 2)
            break;
    }
    zt::SaveArtifact(first, "scene-1.bmp");
    zt::Pump(2000);
    const zt::Screenshot second = zt::CaptureScreen();
    zt::SaveArtifact(second, "scene-2.bmp");
    const ColourCensus later = Census(second);

    EXPECT_GE(census.hues.size(), 2u) << "lit pixels: " << census.lit;
    EXPECT_GE(later.hues.size(), 2u) << "lit pixels: " << later.lit;
    // Small tops on black: most of the screen stays black.
    EXPECT_GT(census.lit, 0);
    EXPECT_LT(census.lit, first.width * first.height / 4);
    EXPECT_GT(Changed(first, second), 100) << "the tops have moved";

    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(process.WaitExit(5000));
    EXPECT_EQ(FindWindowA(nullptr, zt::kRendererTitle), nullptr);
}

}  // namespace
