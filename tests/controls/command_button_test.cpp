// The command button driven step by step (each step: an event, and what it paints, clicks or
// starts), its saved properties, and its face geometry.
#include <gtest/gtest.h>

#include <functional>

#include "command_button.h"
#include "words.h"

namespace {

using namespace zirel;

// One entry per paint: the face ("N", "H", "S", "HS", "P", "D"), with "v" when the gradient is
// light at the bottom; then "click" and "timer <ms>" as they come, separated by blanks.
const char* const kFaces[] = {"N", "H", "S", "HS", "P", "D"};
struct RecordingView : CommandButtonView {
    void DrawState(ButtonFace face, bool hover) override
    {
        Log(kFaces[int(face)] + std::string(hover ? "v" : ""));
    }
    void StartMouseTimer(unsigned ms) override { Log("timer " + std::to_string(ms)); }
    void RaiseClick() override { Log("click"); }
    void Log(const std::string& entry) { log += (log.empty() ? "" : " ") + entry; }
    std::string log;
};

// Calls without arguments are named by the member they call (&Command::MouseMove), the others
// here.
using Event = std::function<void(Command&)>;
const Event LeftDown = [](Command& b) { b.MouseDown(MouseButton::Left); };
const Event LeftUp = [](Command& b) { b.MouseUp(MouseButton::Left); };
const Event RightUp = [](Command& b) { b.MouseUp(MouseButton::Right); };
const Event Away = [](Command& b) { b.MouseTimerTick(false); };
const Event Disable = [](Command& b) { b.SetEnabled(false); };
const Event Caption = [](Command& b) { b.SetCaption("ｷｬﾝｾﾙ"); };
const Event Font = [](Command& b) { b.SetFont({"Tahoma", 8.25}); };
const Event Colour = [](Command& b) { b.SetFontColour(0xFF); };
const Event Hide = [](Command& b) { b.SetVisible(0); };
PropertyBag written;  // where Write saves to; nothing reads it back
const Event Write = [](Command& b) { b.WriteProperties(written, {}); };
const Event RestoreDisabled = [](Command& b) { b.Restore({{"Enabled", false}}, {}); };

TEST(CommandButton, StepByStep)
{
    // {an event, what it paints, clicks or starts}
    const std::pair<Event, const char*> steps[] = {
        // Never saved: nothing hovers before Initialize, the first read of Enabled also applies
        // the normal look, and a colour write repaints.
        {&Command::MouseMove, ""},
        {&Command::Enabled, "N N"},
        {Colour, "N"},
        {&Command::Visible, "N"},
        {&Command::Initialize, "timer 100"},
        // Caption and Font writes repaint the face shown; a release while hovering paints Normal.
        {&Command::MouseMove, "Hv"},
        {Caption, "Hv"},
        {LeftDown, "Pv"},
        {Font, "Pv"},
        {LeftUp, "Nv click"},
        // A press dragged out until the timer sees it, and released there, does not click.
        {&Command::FocusReceived, "Pv"},
        {LeftDown, "Pv"},
        {Away, "S"},
        {&Command::MouseMove, ""},
        {LeftUp, ""},
        // A right release clicks without a repaint; HighLightSelect keeps the last gradient.
        {&Command::MouseMove, "HS"},
        {RightUp, "click"},
        {LeftUp, "HS click"},
        {&Command::FocusLost, "N"},
        {&Command::MouseMove, "Hv"},
        {Away, "N"},
        {&Command::FocusReceived, "S"},
        {&Command::MouseMove, "HS"},
        // Writing the saved properties ends with the normal look.
        {Write, "N"},
        // Disabled it shows Disable and ignores the mouse; restored disabled, it shows Disable at
        // once.
        {Disable, "D"},
        {&Command::FocusLost, ""},
        {LeftUp, ""},
        {RestoreDisabled, "D"}};
    RecordingView view;
    Command button(view);
    for (size_t i = 0; i < std::size(steps); ++i) {
        steps[i].first(button);
        EXPECT_EQ(std::exchange(view.log, ""), steps[i].second) << "step " << i + 1;
    }
}

TEST(CommandProperties, SavedWhereTheyDifferAndRestored)
{
    RecordingView view;
    Command button(view);
    PropertyBag bag;
    button.Enabled();  // read once, so FirstRun is at its default
    button.SetCaption("Command");
    button.WriteProperties(bag, {});
    EXPECT_TRUE(bag.empty());  // every value at its default
    // Each write marks the properties changed.
    EXPECT_FALSE(Command(view).PropertiesChanged());
    for (const Event& write : {Caption, Font, Colour, Hide, Disable}) {
        Command fresh(view);
        write(fresh);
        EXPECT_TRUE(fresh.PropertiesChanged());
        write(button);
    }
    button.WriteProperties(bag, {});
    // Saved against "Command" but restored against "Command1"; a colour never saved is black.
    const auto restored = [&](const PropertyBag& from) {
        button.Restore(from, {});
        return Words(button.Caption(), button.Font().faceName, button.CaptionColour(),
                     button.Opaque(), button.IsEnabled());
    };
    EXPECT_EQ(restored({}), "Command1 ＭＳ Ｐゴシック 0 1 1");
    EXPECT_EQ(Command(view).Font(),
              (CaptionFont{"ＭＳ Ｐゴシック", 9.75, false, false, false, 128}));
    EXPECT_EQ(restored(bag), "ｷｬﾝｾﾙ Tahoma 255 0 0");
}

// The rim's pieces at the default 117 x 28 pixels: where each is taken from (s), where it goes
// (d).
TEST(CommandFace, RimCaptionAndColourText)
{
    std::string rim;
    for (const auto& [s, d] : RimPieces(117 * kTwipsPerPixel, 28 * kTwipsPerPixel))
        rim += Words(s.x, s.y, s.width, s.height, d.x, d.y, d.width, d.height) + "\n";
    EXPECT_EQ(rim, R"(0 0 60 60 1 1 60 60
60 1 840 60 60 1 1635 60
900 1 60 60 1695 1 60 60
900 60 60 255 1695 60 60 300
900 315 60 60 1695 360 60 60
60 315 840 60 60 360 1635 60
0 315 60 60 1 360 60 60
1 60 60 255 1 60 60 300
)");
    EXPECT_DOUBLE_EQ(CaptionTop(420, 195), 102.5);
    EXPECT_EQ(GradientColourFromText("&hC6C5D7"), (GradientColour{0xC600, 0xC500, 0xD700}));
}

}  // namespace
