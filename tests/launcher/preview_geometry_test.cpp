// Twips sizing of the preview form.
#include <gtest/gtest.h>

#include "preview_geometry.h"

namespace {

TEST(PreviewGeometry, TwipsPerPixelFollowsTheResolution)
{
    EXPECT_EQ(TwipsPerPixel(96), 15);
    EXPECT_EQ(TwipsPerPixel(120), 12);
    EXPECT_EQ(TwipsPerPixel(144), 10);
    EXPECT_EQ(TwipsPerPixel(0), 15);  // a failed query falls back to 96 dots per inch
}

TEST(PreviewGeometry, FormCoversTheParentExactly)
{
    struct Row {
        int width, height, twipsPerPixel;
        int16_t widthTwips, heightTwips;
        int widthPixels, heightPixels;
    } rows[] = {
        {152, 112, 15, 2280, 1680, 152, 112},
        {152, 112, 12, 1824, 1344, 152, 112},
        {1024, 768, 15, 15360, 11520, 1024, 768},
        {2184, 100, 15, 32760, 1500, 2184, 100},
        {2185, 100, 15, 0, 1500, 0, 100},    // beyond 32767 twips: that side stays 0
        {100, 3000, 12, 1200, 0, 100, 0},
        {0, 0, 15, 0, 0, 0, 0},
    };
    for (const Row& row : rows) {
        const PreviewLayout layout = LayoutPreview(row.width, row.height, row.twipsPerPixel,
                                                   row.twipsPerPixel);
        EXPECT_EQ(layout.widthTwips, row.widthTwips) << row.width;
        EXPECT_EQ(layout.heightTwips, row.heightTwips) << row.height;
        EXPECT_EQ(layout.widthPixels, row.widthPixels) << row.width;
        EXPECT_EQ(layout.heightPixels, row.heightPixels) << row.height;
    }
}

}  // namespace
