// The command button driven step by step (each step: an event, and what it paints, clicks or
// starts), its saved properties, and its face geometry.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "command_button.h"
#include "words.h"

using std::string;

namespace {

using namespace zirel;

// Each step logs its event's name, then what it paints (the face: Normal, HighLight, Selected,
// B for HighLightSelect, Pressed, Disable; with "v" when the gradient is light at the bottom),
// clicks or starts.
struct RecordingView : CommandButtonView {
    void DrawState(ButtonFace face, bool hover) override
    {
        log += string(" ") + "NHSBPD"[int(face)] + (hover ? "v" : "");
    }
    void StartMouseTimer(unsigned ms) override { log += " timer " + std::to_string(ms); }
    void RaiseClick() override { log += " click"; }
    string log;
};

using enum MouseButton;
// An event: its name and the member it calls, with its arguments.
#define EVENT(name, ...) {#name, [](Command& b) { b.__VA_ARGS__; }}
PropertyBag written;  // where "write" saves to; nothing reads it back
const std::map<string, std::function<void(Command&)>> kEvents = {
    EVENT(move, MouseMove()),
    EVENT(enabled, Enabled()),
    EVENT(visible, Visible()),
    EVENT(initialize, Initialize()),
    EVENT(focus, FocusReceived()),
    EVENT(blur, FocusLost()),
    EVENT(down, MouseDown(Left)),
    EVENT(up, MouseUp(Left)),
    EVENT(rightup, MouseUp(Right)),
    EVENT(away, MouseTimerTick(false)),
    EVENT(disable, SetEnabled(false)),
    EVENT(caption, SetCaption("ｷｬﾝｾﾙ")),
    EVENT(font, SetFont({"Tahoma", 8.25})),
    EVENT(colour, SetFontColour(0xFF)),
    EVENT(hide, SetVisible(0)),
    EVENT(write, WriteProperties(written, {})),
    EVENT(restore, Restore({{"Enabled", false}}, {}))};

// Step by step, one line each. Never saved: nothing hovers before "initialize", the first read of
// Enabled also applies the normal look, and a colour write repaints; no button is held at first.
// Caption and Font writes repaint the face shown; a release while hovering paints Normal. A press
// dragged out until the timer sees it, and released there, does not click. A right release
// clicks without a repaint; HighLightSelect keeps the last gradient. Writing the saved properties
// ends with the normal look. Disabled it shows Disable and ignores the mouse; restored disabled,
// it shows Disable at once.
const string kSteps = R"(move:
enabled: N N
colour: N
visible: N
initialize: timer 100
focus: S
move: B
blur: N
move: Hv
caption: Hv
down: Pv
font: Pv
up: Nv click
focus: Pv
down: Pv
away: S
move:
up:
move: B
rightup: click
up: B click
blur: N
move: Hv
away: N
focus: S
move: B
write: N
disable: D
blur:
up:
restore: D
)";

TEST(CommandButton, StepByStep)
{
    RecordingView view;
    Command button(view);
    std::istringstream script(kSteps);
    for (string line; std::getline(script, line); view.log += "\n") {
        const string event = line.substr(0, line.find(':'));
        view.log += event + ":";
        kEvents.at(event)(button);
    }
    EXPECT_EQ(view.log, kSteps);
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
    for (const char* write : {"caption", "font", "colour", "hide", "disable"})
        kEvents.at(write)(button);
    button.WriteProperties(bag, {});
    // Saved against "Command" but restored against "Command1"; a colour never saved is black.
    const auto restored = [&](const PropertyBag& from) {
        button.Restore(from, {});
        return Words(button.Caption(), button.Font().faceName, button.CaptionColour(),
                     button.Opaque(), button.IsEnabled());
    };
    EXPECT_EQ(restored({}), "Command1 ＭＳ Ｐゴシック 0 1 1");
    EXPECT_EQ(restored(bag), "ｷｬﾝｾﾙ Tahoma 255 0 0");
}

// The rim's pieces at the default 117 x 28 pixels (1755 x 420 twips): where each is taken from
// (s), where it goes (d).
TEST(CommandFace, RimAndCaption)
{
    string rim;
    for (const auto& [s, d] : RimPieces(1755, 420))
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
}

}  // namespace
