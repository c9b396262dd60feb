// The command button's state machine driven step by step, with every paint and click recorded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_button.h"

namespace {

using zirel::ButtonFace;
using zirel::Command;
using zirel::MouseButton;

struct Paint {
    ButtonFace face;
    bool hoverGradient;
    bool operator==(const Paint&) const = default;
};

class RecordingView : public zirel::CommandButtonView {
public:
    void DrawState(ButtonFace face, bool hoverGradient) override { paints.push_back({face, hoverGradient}); }
    void StartMouseTimer() override { ++timerStarts; }
    void RaiseClick() override { ++clicks; }

    // The paints since the last call.
    std::vector<Paint> Take()
    {
        std::vector<Paint> out;
        out.swap(paints);
        return out;
    }

    std::vector<Paint> paints;
    int timerStarts = 0;
    int clicks = 0;
};

constexpr Paint kNormal{ButtonFace::Normal, false};
constexpr Paint kSelected{ButtonFace::Selected, false};

// A button as a host sets it up: restored, resized, initialised.
class CommandButton : public ::testing::Test {
protected:
    void SetUp() override
    {
        button.ReadProperties({{"Caption", std::string("設定")}}, zirel::CaptionFont{});
        button.Resized();
        button.Initialize();
        view.Take();
    }

    RecordingView view;
    Command button{view};
};

TEST_F(CommandButton, UsualClickOnAnUnfocusedButton)
{
    EXPECT_EQ(view.timerStarts, 1);
    button.MouseMove();
    EXPECT_EQ(button.State(), 2);
    EXPECT_EQ(view.Take(), (std::vector<Paint>{{ButtonFace::HighLight, true}}));

    button.MouseDown(MouseButton::Left);
    button.FocusReceived();
    EXPECT_EQ(button.State(), 4);
    EXPECT_EQ(view.Take(), (std::vector<Paint>{{ButtonFace::Pressed, true}, {ButtonFace::Pressed, true}}));
    EXPECT_EQ(view.clicks, 0);

    button.MouseUp(MouseButton::Left);
    EXPECT_EQ(view.Take(), (std::vector<Paint>{{ButtonFace::HighLightSelect, true}}));
    EXPECT_EQ(view.clicks, 1);
    EXPECT_EQ(button.State(), 4);

    // The pointer goes; the timer notices and the focused button shows Selected.
    button.MouseTimerTick(true);
    EXPECT_TRUE(view.Take().empty());
    button.MouseTimerTick(false);
    EXPECT_EQ(button.State(), 3);
    EXPECT_EQ(view.Take(), std::vector<Paint>{kSelected});
}

TEST_F(CommandButton, PressDraggedOutUntilTheTimerAndBackInDoesNotClick)
{
    button.MouseMove();
    button.MouseDown(MouseButton::Left);
    button.FocusReceived();
    view.Take();

    button.MouseTimerTick(false);  // dragged outside
    EXPECT_EQ(button.State(), 3);
    EXPECT_EQ(view.Take(), std::vector<Paint>{kSelected});

    button.MouseMove();  // back in, left button still down: no HighLightSelect
    EXPECT_EQ(button.State(), 3);
    button.MouseUp(MouseButton::Left);
    EXPECT_EQ(view.clicks, 0);
    EXPECT_TRUE(view.Take().empty());
    EXPECT_EQ(button.State(), 3);
    EXPECT_FALSE(button.LeftButtonDown());
}

TEST_F(CommandButton, ReleaseOutsideBeforeTheTimerStillClicks)
{
    button.MouseMove();
    button.MouseDown(MouseButton::Left);
    button.FocusReceived();
    button.MouseUp(MouseButton::Left);  // the platform layer reports it with capture, wherever
    EXPECT_EQ(view.clicks, 1);
}

TEST_F(CommandButton, RightReleaseOverAFocusedButtonClicksWithoutARepaint)
{
    button.FocusReceived();
    button.MouseMove();
    ASSERT_EQ(button.State(), 4);
    view.Take();

    button.MouseDown(MouseButton::Right);
    button.MouseUp(MouseButton::Right);
    EXPECT_EQ(view.clicks, 1);
    EXPECT_TRUE(view.Take().empty());
    EXPECT_EQ(button.State(), 4);

    // Focused with the pointer away, no button release clicks.
    button.MouseTimerTick(false);
    button.MouseUp(MouseButton::Right);
    button.MouseUp(MouseButton::Left);
    EXPECT_EQ(view.clicks, 1);
}

TEST_F(CommandButton, HighLightSelectGradientDependsOnTheWayIn)
{
    // Focus first, then the pointer: light at the top.
    button.FocusReceived();
    button.MouseMove();
    EXPECT_EQ(view.Take(), (std::vector<Paint>{kSelected, {ButtonFace::HighLightSelect, false}}));

    // Pointer first, then a press that brings the focus: light at the bottom.
    button.FocusLost();
    view.Take();
    button.MouseMove();
    button.MouseDown(MouseButton::Left);
    button.FocusReceived();
    button.MouseUp(MouseButton::Left);
    EXPECT_EQ(view.Take().back(), (Paint{ButtonFace::HighLightSelect, true}));
}

TEST_F(CommandButton, LeftReleaseInHighLightPaintsNormalAndKeepsTheState)
{
    button.MouseMove();
    button.MouseDown(MouseButton::Left);  // focus never arrives (the host refused it)
    view.Take();
    button.MouseUp(MouseButton::Left);
    // Still state 2, so the Normal rim goes round a gradient that is light at the bottom.
    EXPECT_EQ(view.Take(), (std::vector<Paint>{{ButtonFace::Normal, true}}));
    EXPECT_EQ(button.State(), 2);
    EXPECT_EQ(view.clicks, 1);

    button.MouseMove();  // still inside: nothing new
    EXPECT_TRUE(view.Take().empty());
    button.MouseTimerTick(false);
    button.MouseMove();  // left and came back
    EXPECT_EQ(view.Take(), (std::vector<Paint>{kNormal, {ButtonFace::HighLight, true}}));
}

TEST(CommandButtonLifecycle, NoHighLightBeforeInitializeButFocusShowsSelected)
{
    RecordingView view;
    Command button(view);
    button.ReadProperties({}, zirel::CaptionFont{});
    view.Take();

    button.MouseMove();
    button.MouseTimerTick(false);
    EXPECT_TRUE(view.Take().empty());
    EXPECT_EQ(button.State(), 0);
    EXPECT_EQ(view.timerStarts, 0);

    button.FocusReceived();
    EXPECT_EQ(view.Take(), std::vector<Paint>{kSelected});
}

TEST(CommandButtonLifecycle, DisabledIgnoresMouseAndFocusButRepaintsOnResizeAndEnabledWrite)
{
    RecordingView view;
    Command button(view);
    button.ReadProperties({{"Enabled", false}}, zirel::CaptionFont{});
    button.Initialize();
    EXPECT_TRUE(view.Take().empty());  // restoring paints only an enabled control

    button.MouseMove();
    button.MouseDown(MouseButton::Left);
    button.MouseUp(MouseButton::Left);
    button.MouseUp(MouseButton::Right);
    button.FocusReceived();
    button.FocusLost();
    button.MouseTimerTick(false);
    EXPECT_TRUE(view.Take().empty());
    EXPECT_EQ(view.clicks, 0);
    EXPECT_EQ(button.State(), 1);

    const Paint disable{ButtonFace::Disable, false};
    button.Resized();
    EXPECT_EQ(view.Take(), std::vector<Paint>{disable});
    EXPECT_FALSE(button.CaptionEnabled());
    button.SetEnabled(false);
    EXPECT_EQ(view.Take(), std::vector<Paint>{disable});

    button.SetEnabled(true);
    EXPECT_EQ(view.Take(), std::vector<Paint>{kNormal});
    EXPECT_TRUE(button.CaptionEnabled());
    button.MouseMove();
    EXPECT_EQ(button.State(), 2);
}

TEST(CommandButtonProperties, ReadsRepaintAsTheyAlwaysDid)
{
    RecordingView view;
    Command button(view);  // new, never saved: FirstRun 0
    button.SetFontColour(0x0000FF);
    EXPECT_EQ(button.CaptionColour(), 0u) << "a never-saved control forces black";
    view.Take();

    EXPECT_TRUE(button.Enabled());  // first read: FirstRun becomes 1
    EXPECT_EQ(view.Take(), (std::vector<Paint>{kNormal, kNormal}));
    button.SetFontColour(0x0000FF);
    EXPECT_EQ(button.FontColour(), 0x0000FFu);
    EXPECT_EQ(button.Visible(), 255);
    view.Take();

    button.SetVisible(0);
    EXPECT_TRUE(view.Take().empty());
    EXPECT_FALSE(button.Opaque());
    EXPECT_EQ(button.Visible(), 0);
    EXPECT_TRUE(view.Take().empty());

    button.SetEnabled(false);
    view.Take();
    button.FontColour();  // a disabled control keeps its Disable face
    EXPECT_TRUE(view.Take().empty());
    EXPECT_FALSE(button.Enabled());
    EXPECT_EQ(view.Take(), (std::vector<Paint>{{ButtonFace::Disable, false}}));
    EXPECT_TRUE(button.PropertiesChanged());
}

TEST(CommandButtonProperties, SavesOnlyWhatDiffersAndCommandComesBackAsCommand1)
{
    RecordingView view;
    const zirel::CaptionFont ambient;
    zirel::PropertyBag bag;

    Command fresh(view);
    fresh.ReadProperties({}, ambient);
    EXPECT_EQ(fresh.Caption(), "Command1");

    Command button(view);
    button.ReadProperties({{"FirstRun", int64_t(1)}}, ambient);
    button.SetCaption("Command");
    button.WriteProperties(bag, ambient);
    EXPECT_TRUE(bag.empty());

    Command restored(view);
    restored.ReadProperties(bag, ambient);
    EXPECT_EQ(restored.Caption(), "Command1");

    zirel::CaptionFont tahoma{"Tahoma", 8.25};
    button.SetCaption("ｷｬﾝｾﾙ");
    button.SetFont(tahoma);
    button.SetFontColour(0x123456);
    button.SetVisible(0);
    button.SetEnabled(false);
    button.WriteProperties(bag, ambient);
    EXPECT_EQ(bag.size(), 5u);  // all but FirstRun

    Command copy(view);
    view.Take();
    copy.ReadProperties(bag, ambient);
    EXPECT_TRUE(view.Take().empty()) << "restored disabled: no Normal paint";
    EXPECT_EQ(copy.Caption(), "ｷｬﾝｾﾙ");
    EXPECT_EQ(copy.Font(), tahoma);
    EXPECT_EQ(copy.CaptionColour(), 0x123456u);
    EXPECT_FALSE(copy.Opaque());
    EXPECT_FALSE(copy.IsEnabled());
}

TEST(CommandButtonFace, RimPiecesFollowTheControlSize)
{
    // 77 x 25 pixels.
    const auto pieces = zirel::RimPieces(1155, 375);
    const zirel::TwipRect expected[8] = {
        {1, 1, 60, 60},      {60, 1, 1035, 60},  {1095, 1, 60, 60},   {1095, 60, 60, 255},
        {1095, 315, 60, 60}, {60, 315, 1035, 60}, {1, 315, 60, 60}, {1, 60, 60, 255},
    };
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(pieces[i].destination, expected[i]) << "piece " << i + 1;
    EXPECT_EQ(pieces[1].source, (zirel::TwipRect{60, 1, 840, 60}));
    EXPECT_EQ(pieces[3].source, (zirel::TwipRect{900, 60, 60, 255}));
    EXPECT_EQ(pieces[7].source, (zirel::TwipRect{1, 60, 60, 255}));

    EXPECT_DOUBLE_EQ(zirel::CaptionTop(375, 195), 80.0);
    EXPECT_DOUBLE_EQ(zirel::CaptionTop(315, 200), 47.5);
}

TEST(CommandButtonFace, GradientColoursAndTheUpsideDownRule)
{
    const zirel::GradientColour white{0xFF00, 0xFF00, 0xFF00};
    const zirel::GradientColour lavender{0xC600, 0xC500, 0xD700};
    EXPECT_EQ(zirel::GradientColourFromText("&HC6C5D7"), lavender);
    EXPECT_EQ(zirel::GradientColourFromText("&H0000FF"), (zirel::GradientColour{0, 0, 0xFF00}));

    EXPECT_EQ(zirel::FaceGradient(false).top, white);
    EXPECT_EQ(zirel::FaceGradient(false).bottom, lavender);
    EXPECT_EQ(zirel::FaceGradient(true).top, lavender);
    EXPECT_EQ(zirel::FaceGradient(true).bottom, white);
}

}  // namespace
