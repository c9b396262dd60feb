// The command button driven step by step (each step: an event, and what it paints, clicks or
// starts), its saved properties, and its face geometry.
#include <gtest/gtest.h>

#include <functional>

#include "command_button.h"

namespace {

using namespace zirel;

// Logs "N", "H", "S", "HS", "P" or "D" per paint (with "v" when the gradient is light at the
// bottom), "click" and "timer <ms>", separated by blanks.
const char* const kFaces[] = {"N", "H", "S", "HS", "P", "D"};
struct RecordingView : CommandButtonView {
    void DrawState(ButtonFace face, bool hover) override { Log(kFaces[int(face)] + std::string(hover ? "v" : "")); }
    void StartMouseTimer(unsigned intervalMs) override { Log("timer " + std::to_string(intervalMs)); }
    void RaiseClick() override { Log("click"); }
    void Log(const std::string& entry) { log += (log.empty() ? "" : " ") + entry; }
    std::string log;
};

// Calls without arguments are named by the member they call (&C::MouseMove), the others here.
using C = Command;
using Event = std::function<void(Command&)>;
const Event LeftDown = [](Command& b) { b.MouseDown(MouseButton::Left); };
const Event LeftUp = [](Command& b) { b.MouseUp(MouseButton::Left); };
const Event RightDown = [](Command& b) { b.MouseDown(MouseButton::Right); };
const Event RightUp = [](Command& b) { b.MouseUp(MouseButton::Right); };
const Event Over = [](Command& b) { b.MouseTimerTick(true); };
const Event Away = [](Command& b) { b.MouseTimerTick(false); };
const Event Enable = [](Command& b) { b.SetEnabled(true); };
const Event Disable = [](Command& b) { b.SetEnabled(false); };
const Event Caption = [](Command& b) { b.SetCaption("ｷｬﾝｾﾙ"); };
const Event Font = [](Command& b) { b.SetFont({"Tahoma", 8.25}); };
const Event Colour = [](Command& b) { b.SetFontColour(0xFF); };
const Event Hide = [](Command& b) { b.SetVisible(0); };
const Event Show = [](Command& b) { b.SetVisible(1); };
PropertyBag written;  // where Write saves to; nothing reads it back
const Event Write = [](Command& b) { b.WriteProperties(written, {}); };

// Restored from properties saved with their defaults, saved disabled, or never saved.
const Event Restore = [](Command& b) { b.Restore({}, {}); };
const Event RestoreDisabled = [](Command& b) { b.Restore({{"Enabled", false}}, {}); };
const Event RestoreNeverSaved = [](Command& b) { b.Restore({{"FirstRun", int64_t(0)}}, {}); };

using Step = std::pair<Event, const char*>;  // an event, what it paints, clicks or starts
using Scenario = std::pair<const char*, std::vector<Step>>;  // named in the test's name
class CommandButton : public ::testing::TestWithParam<Scenario> {};

TEST_P(CommandButton, StepByStep)
{
    RecordingView view;
    Command button(view);
    for (size_t i = 0; i < GetParam().second.size(); ++i) {
        view.log.clear();
        GetParam().second[i].first(button);
        EXPECT_EQ(view.log, GetParam().second[i].second) << "step " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Steps, CommandButton, ::testing::Values(
    Scenario{"UsualClick", {{Restore, "N N"}, {&C::Initialize, "timer 100"}, {&C::MouseMove, "Hv"}, {LeftDown, "Pv"},
        {&C::FocusReceived, "Pv"}, {LeftUp, "HSv click"}, {Over, ""}, {Away, "S"}}},
    Scenario{"PressDraggedOutUntilTheTimerAndBackInDoesNotClick", {{Restore, "N N"}, {&C::Initialize, "timer 100"},
        {&C::MouseMove, "Hv"}, {LeftDown, "Pv"}, {&C::FocusReceived, "Pv"}, {Away, "S"}, {&C::MouseMove, ""},
        {LeftUp, ""}, {&C::MouseMove, "HS"}, {&C::FocusLost, "N"}}},
    Scenario{"RightReleaseOverAFocusedButtonClicksWithoutARepaint", {{Restore, "N N"}, {&C::Initialize, "timer 100"},
        {&C::FocusReceived, "S"}, {&C::MouseMove, "HS"}, {RightDown, ""}, {RightUp, "click"}, {Away, "S"},
        {RightUp, ""}, {LeftUp, ""}}},
    Scenario{"LeftReleaseInHighLightPaintsNormalAndCaptionAndFontRepaintTheFaceShown", {{Restore, "N N"},
        {&C::Initialize, "timer 100"}, {&C::MouseMove, "Hv"}, {Caption, "Hv"}, {LeftDown, "Pv"}, {Font, "Pv"},
        {LeftUp, "Nv click"}, {&C::MouseMove, ""}, {Away, "N"}, {&C::MouseMove, "Hv"}, {Write, "Nv"}}},
    Scenario{"RestoredDisabledIgnoresMouseAndFocusButNotWrites", {{RestoreDisabled, "D"}, {&C::Initialize, "timer 100"},
        {&C::MouseMove, ""}, {LeftDown, ""}, {LeftUp, ""}, {RightUp, ""}, {&C::FocusReceived, ""}, {&C::FocusLost, ""},
        {Away, ""}, {&C::FontColour, ""}, {Caption, "D"}, {Write, ""}, {Disable, "D"}, {Enable, "N"},
        {&C::MouseMove, "Hv"}, {Disable, "Dv"}, {&C::FocusLost, ""}}},
    Scenario{"NeverSavedReadsRepaintAndNoHoverBeforeInitialize", {{RestoreNeverSaved, "N N"}, {&C::MouseMove, ""},
        {Away, ""}, {&C::Enabled, "N N"}, {&C::FontColour, "N"}, {&C::Visible, "N"}, {Hide, ""}, {&C::Visible, ""},
        {Show, "N"}, {Colour, "N"}, {&C::FocusReceived, "S"}, {&C::FocusLost, "N"}}}),
    [](const auto& info) { return std::string(info.param.first); });

TEST(CommandProperties, SavedWhereTheyDifferAndRestored)
{
    RecordingView view;
    Command button(view);
    Colour(button);  // never saved: the caption stays black until Enabled is first read
    EXPECT_EQ((std::tuple{button.CaptionColour(), button.Enabled(), button.Visible()}), std::tuple(0u, true, 255));
    PropertyBag bag;
    button.SetCaption("Command");
    button.WriteProperties(bag, {});
    EXPECT_TRUE(bag.empty());  // every value at its default
    for (const Event& write : {Caption, Font, Colour, Hide, Disable})
        write(button);
    EXPECT_EQ((std::pair{button.FontColour(), button.Visible()}), std::pair(0xFFu, uint8_t(0)));
    Command copy(view), fresh(view);
    button.WriteProperties(bag, {});
    copy.Restore(bag, {});
    fresh.Restore({}, {});
    EXPECT_EQ(std::tuple(copy.Caption(), copy.Font().faceName, copy.CaptionColour(), copy.Opaque(), copy.IsEnabled()),
              std::tuple("ｷｬﾝｾﾙ", "Tahoma", 0xFFu, false, false));
    EXPECT_EQ((std::pair{fresh.Caption(), fresh.CaptionColour()}), std::pair(std::string("Command1"), 0u));
}

TEST(CommandFace, RimCaptionFontAndGradient)
{
    const std::array<RimPiece, 8> pieces = RimPieces(1755, 420);  // the default 117 x 28 pixels
    const TwipRect expected[8][2] = {
        {{0, 0, 60, 60}, {1, 1, 60, 60}},          {{60, 1, 840, 60}, {60, 1, 1635, 60}},
        {{900, 1, 60, 60}, {1695, 1, 60, 60}},     {{900, 60, 60, 255}, {1695, 60, 60, 300}},
        {{900, 315, 60, 60}, {1695, 360, 60, 60}}, {{60, 315, 840, 60}, {60, 360, 1635, 60}},
        {{0, 315, 60, 60}, {1, 360, 60, 60}},      {{1, 60, 60, 255}, {1, 60, 60, 300}},
    };
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(std::pair(pieces[i].source, pieces[i].destination), std::pair(expected[i][0], expected[i][1])) << i;
    EXPECT_DOUBLE_EQ(CaptionTop(420, 195), 102.5);
    // The caption's font unless the host gives another: plain, in the Shift-JIS character set.
    EXPECT_EQ(CaptionFont{}, (CaptionFont{"ＭＳ Ｐゴシック", 9.75, false, false, false, 128}));
    const GradientColour white{0xFF00, 0xFF00, 0xFF00}, lavender = GradientColourFromText("&hC6C5D7");
    EXPECT_EQ(std::tuple(lavender.red, lavender.green, lavender.blue), std::tuple(0xC600, 0xC500, 0xD700));
    EXPECT_EQ(std::tuple(FaceGradient(false).top, FaceGradient(false).bottom, FaceGradient(true).top,
                         FaceGradient(true).bottom), std::tuple(white, lavender, lavender, white));
}

}  // namespace
