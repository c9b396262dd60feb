// The command button driven step by step (each step: an event, the paints it makes, the state
// after it, the clicks so far), its saved properties, and its face geometry.
#include <gtest/gtest.h>

#include "command_button.h"

namespace {

using namespace zirel;

struct Paint {
    ButtonFace face;
    bool hoverGradient;  // printed as "v": light at the bottom
    bool operator==(const Paint&) const = default;
};

void PrintTo(const Paint& paint, std::ostream* out)
{
    *out << "face " << int(paint.face) << (paint.hoverGradient ? "v" : "");
}

struct RecordingView : CommandButtonView {
    void DrawState(ButtonFace face, bool hoverGradient) override { paints.push_back({face, hoverGradient}); }
    void StartMouseTimer(unsigned intervalMs) override { timers.push_back(intervalMs); }
    void RaiseClick() override { ++clicks; }
    std::vector<Paint> paints;
    std::vector<unsigned> timers;
    int clicks = 0;
};

const Paint N{ButtonFace::Normal, false};
const Paint Nv{ButtonFace::Normal, true};
const Paint H{ButtonFace::HighLight, true};
const Paint S{ButtonFace::Selected, false};
const Paint HS{ButtonFace::HighLightSelect, false};
const Paint HSv{ButtonFace::HighLightSelect, true};
const Paint Pv{ButtonFace::Pressed, true};
const Paint D{ButtonFace::Disable, false};

using Event = void (*)(Command&);
const Event Init = [](Command& b) { b.Initialize(); };
const Event Move = [](Command& b) { b.MouseMove(); };
const Event LeftDown = [](Command& b) { b.MouseDown(MouseButton::Left); };
const Event LeftUp = [](Command& b) { b.MouseUp(MouseButton::Left); };
const Event RightDown = [](Command& b) { b.MouseDown(MouseButton::Right); };
const Event RightUp = [](Command& b) { b.MouseUp(MouseButton::Right); };
const Event Focus = [](Command& b) { b.FocusReceived(); };
const Event Blur = [](Command& b) { b.FocusLost(); };
const Event Over = [](Command& b) { b.MouseTimerTick(true); };
const Event Away = [](Command& b) { b.MouseTimerTick(false); };
const Event Resize = [](Command& b) { b.Resized(); };
const Event Enable = [](Command& b) { b.SetEnabled(true); };
const Event Disable = [](Command& b) { b.SetEnabled(false); };
const Event Caption = [](Command& b) { b.SetCaption("ｷｬﾝｾﾙ"); };
const Event Font = [](Command& b) { b.SetFont({"Tahoma", 8.25}); };
const Event Colour = [](Command& b) { b.SetFontColour(0xFF); };
const Event ReadEnabled = [](Command& b) { b.Enabled(); };
const Event ReadColour = [](Command& b) { b.FontColour(); };
const Event ReadVisible = [](Command& b) { b.Visible(); };
const Event Hide = [](Command& b) { b.SetVisible(0); };
const Event Show = [](Command& b) { b.SetVisible(1); };
const Event Write = [](Command& b) {
    PropertyBag bag;
    b.WriteProperties(bag, {});
};

struct Step {
    Event event;
    std::vector<Paint> paints;
    int state;
    int clicks;
};

struct Scenario {
    const char* name;
    PropertyBag saved;
    std::vector<Paint> restored;  // what the restore with its resize paints
    std::vector<Step> steps;
};

class CommandButton : public ::testing::TestWithParam<Scenario> {};

TEST_P(CommandButton, StepByStep)
{
    RecordingView view;
    Command button(view);
    button.Restore(GetParam().saved, {});
    EXPECT_EQ(view.paints, GetParam().restored);
    for (size_t i = 0; i < GetParam().steps.size(); ++i) {
        const Step& step = GetParam().steps[i];
        view.paints.clear();
        step.event(button);
        EXPECT_EQ(view.paints, step.paints) << "step " << i + 1;
        EXPECT_EQ(button.State(), step.state) << "step " << i + 1;
        EXPECT_EQ(view.clicks, step.clicks) << "step " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Steps, CommandButton, ::testing::Values(
    Scenario{"UsualClick", {}, {N, N}, {{Init, {}, 1, 0}, {Move, {H}, 2, 0}, {LeftDown, {Pv}, 2, 0},
        {Focus, {Pv}, 4, 0}, {LeftUp, {HSv}, 4, 1}, {Over, {}, 4, 1}, {Away, {S}, 3, 1}}},
    Scenario{"DraggedOutUntilTheTimerAndBackInDoesNotClick", {}, {N, N}, {{Init, {}, 1, 0}, {Move, {H}, 2, 0},
        {LeftDown, {Pv}, 2, 0}, {Focus, {Pv}, 4, 0}, {Away, {S}, 3, 0}, {Move, {}, 3, 0}, {LeftUp, {}, 3, 0},
        {Move, {HS}, 4, 0}, {Blur, {N}, 1, 0}}},
    Scenario{"RightReleaseOverAFocusedButtonClicksWithoutARepaint", {}, {N, N}, {{Init, {}, 1, 0},
        {Focus, {S}, 3, 0}, {Move, {HS}, 4, 0}, {RightDown, {}, 4, 0}, {RightUp, {}, 4, 1},
        {Away, {S}, 3, 1}, {RightUp, {}, 3, 1}, {LeftUp, {}, 3, 1}}},
    Scenario{"LeftReleaseInHighLightPaintsNormalAndKeepsTheState", {}, {N, N}, {{Init, {}, 1, 0},
        {Move, {H}, 2, 0}, {LeftDown, {Pv}, 2, 0}, {LeftUp, {Nv}, 2, 1}, {Move, {}, 2, 1}, {Away, {N}, 1, 1},
        {Move, {H}, 2, 1}}},
    Scenario{"NoHoverBeforeInitializeButFocusShows", {}, {N, N}, {{Move, {}, 0, 0}, {Away, {}, 0, 0},
        {Focus, {S}, 3, 0}, {Blur, {N}, 1, 0}}},
    Scenario{"DisabledIgnoresMouseAndFocusButNotResizeOrWrites", {{"Enabled", false}}, {D}, {{Init, {}, 1, 0},
        {Move, {}, 1, 0}, {LeftDown, {}, 1, 0}, {LeftUp, {}, 1, 0}, {RightUp, {}, 1, 0}, {Focus, {}, 1, 0},
        {Blur, {}, 1, 0}, {Away, {}, 1, 0}, {Resize, {D}, 1, 0}, {ReadColour, {}, 1, 0}, {Caption, {D}, 1, 0},
        {Write, {}, 1, 0}, {Disable, {D}, 1, 0}, {Enable, {N}, 1, 0}, {Move, {H}, 2, 0}}},
    Scenario{"CaptionAndFontWritesRepaintTheFaceShown", {}, {N, N}, {{Init, {}, 1, 0}, {Move, {H}, 2, 0},
        {Caption, {H}, 2, 0}, {LeftDown, {Pv}, 2, 0}, {Font, {Pv}, 2, 0}, {Write, {Nv}, 2, 0}}},
    Scenario{"NeverSavedReadsRepaint", {{"FirstRun", int64_t(0)}}, {N, N}, {{Init, {}, 1, 0},
        {ReadEnabled, {N, N}, 1, 0}, {ReadColour, {N}, 1, 0}, {ReadVisible, {N}, 1, 0}, {Hide, {}, 1, 0},
        {ReadVisible, {}, 1, 0}, {Show, {N}, 1, 0}, {Colour, {N}, 1, 0}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommandProperties, SaveWhatDiffersRestoreTheRest)
{
    RecordingView view;
    Command fresh(view);
    fresh.SetFontColour(0xFF);
    EXPECT_EQ(fresh.CaptionColour(), 0u) << "never saved, never read: black";
    EXPECT_TRUE(fresh.Enabled());
    fresh.SetFontColour(0xFF);
    EXPECT_EQ(fresh.FontColour(), 0xFFu);
    EXPECT_EQ(fresh.Visible(), 255);
    fresh.Initialize();
    EXPECT_EQ(view.timers, std::vector<unsigned>{100});

    Command button(view);
    button.Restore({}, {});
    EXPECT_EQ(button.Caption(), "Command1");
    EXPECT_EQ(button.CaptionColour(), 0u);
    EXPECT_TRUE(button.Opaque());
    button.SetCaption("Command");
    PropertyBag bag;
    button.WriteProperties(bag, {});
    EXPECT_TRUE(bag.empty());

    const CaptionFont tahoma{"Tahoma", 8.25};
    button.SetCaption("ｷｬﾝｾﾙ");
    button.SetFont(tahoma);
    button.SetFontColour(0x123456);
    button.SetVisible(0);
    button.SetEnabled(false);
    button.WriteProperties(bag, {});
    EXPECT_EQ(bag.size(), 5u);
    Command copy(view);
    copy.Restore(bag, {});
    EXPECT_EQ(copy.Caption(), "ｷｬﾝｾﾙ");
    EXPECT_EQ(copy.Font(), tahoma);
    EXPECT_EQ(copy.CaptionColour(), 0x123456u);
    EXPECT_FALSE(copy.Opaque());
    EXPECT_FALSE(copy.CaptionEnabled());
    for (Event write : {Caption, Font, Colour, Disable, Hide}) {
        Command restored(view);
        restored.Restore(bag, {});
        write(restored);
        EXPECT_TRUE(restored.PropertiesChanged());
    }
}

TEST(CommandFace, RimCaptionAndGradient)
{
    const std::array<RimPiece, 8> pieces = RimPieces(1755, 420);  // the default 117 x 28 pixels
    const TwipRect expected[8][2] = {
        {{0, 0, 60, 60}, {1, 1, 60, 60}},          {{60, 1, 840, 60}, {60, 1, 1635, 60}},
        {{900, 1, 60, 60}, {1695, 1, 60, 60}},     {{900, 60, 60, 255}, {1695, 60, 60, 300}},
        {{900, 315, 60, 60}, {1695, 360, 60, 60}}, {{60, 315, 840, 60}, {60, 360, 1635, 60}},
        {{0, 315, 60, 60}, {1, 360, 60, 60}},      {{1, 60, 60, 255}, {1, 60, 60, 300}},
    };
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(pieces[i].source, expected[i][0]) << "piece " << i + 1;
        EXPECT_EQ(pieces[i].destination, expected[i][1]) << "piece " << i + 1;
    }
    EXPECT_DOUBLE_EQ(CaptionTop(420, 195), 102.5);

    const GradientColour white{0xFF00, 0xFF00, 0xFF00};
    const GradientColour lavender{0xC600, 0xC500, 0xD700};
    EXPECT_EQ(GradientColourFromText("&h0000FF"), (GradientColour{0, 0, 0xFF00}));
    EXPECT_EQ(GradientColourFromText("C6C5D7"), lavender);
    EXPECT_EQ(FaceGradient(false).top, white);
    EXPECT_EQ(FaceGradient(false).bottom, lavender);
    EXPECT_EQ(FaceGradient(true).top, lavender);
    EXPECT_EQ(FaceGradient(true).bottom, white);
}

}  // namespace
