// The activity rules: which mouse movements end the saver.
#include <gtest/gtest.h>

#include "input_rules.h"

namespace {

struct Step {
    CursorPoint cursor;
    bool posts;
    int armed;
};

void RunMoves(InputState input, std::initializer_list<Step> steps)
{
    int n = 0;
    for (const Step& step : steps) {
        EXPECT_EQ(MouseMoveEndsSaver(input, step.cursor), step.posts) << "move " << n;
        EXPECT_EQ(input.closeRequested, step.armed) << "move " << n;
        ++n;
    }
}

InputState StartingAt(int x, int y)
{
    InputState input;
    input.savedCursorPos = {x, y};
    return input;
}

TEST(MouseMove, TheFirstMoveNeverArmsEvenFarAway)
{
    // The far first move does ask for a close, but nothing is armed, so WM_CLOSE is refused.
    RunMoves(StartingAt(100, 100), {{{900, 700}, true, 0}});
}

TEST(MouseMove, FourPixelsIsNotActivityFiveIs)
{
    RunMoves(StartingAt(100, 100), {
                                  {{100, 100}, false, 0},  // first move
                                  {{103, 101}, false, 1},  // 3 right + 1 down = 4
                                  {{108, 101}, true, 1},   // 5 from the new reference
                              });
}

TEST(MouseMove, CreepingOnePixelAtATimeArmsButNeverCloses)
{
    InputState input = StartingAt(0, 0);
    for (int x = 1; x <= 500; ++x)
        ASSERT_FALSE(MouseMoveEndsSaver(input, {x, 0})) << x;
    EXPECT_EQ(input.closeRequested, 1);
    EXPECT_EQ(input.savedCursorPos.x, 500);
}

TEST(MouseMove, AFarMoveKeepsTheReference)
{
    InputState input = StartingAt(10, 10);
    MouseMoveEndsSaver(input, {10, 10});
    EXPECT_TRUE(MouseMoveEndsSaver(input, {10, 20}));
    EXPECT_EQ(input.savedCursorPos.y, 10);
}

TEST(MouseMove, ExtremeCoordinatesDoNotOverflow)
{
    InputState input = StartingAt(INT32_MIN, INT32_MIN);
    input.firstMouseMoveSeen = 1;
    EXPECT_TRUE(MouseMoveEndsSaver(input, {INT32_MAX, INT32_MAX}));
}

}  // namespace
