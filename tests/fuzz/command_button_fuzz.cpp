// The command button under any sequence of events and any restored properties: the state stays
// one of its five values, a disabled button ignores mouse and focus, and Click comes only from a
// button release outside the Selected state.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "command_button.h"

namespace {

using namespace zirel;

class CountingView final : public CommandButtonView {
public:
    void DrawState(ButtonFace face, bool) override
    {
        if (uint8_t(face) > uint8_t(ButtonFace::Disable))
            std::abort();
    }
    void StartMouseTimer() override {}
    void RaiseClick() override { ++clicks; }
    int clicks = 0;
};

// Property values of every kind under the names the control reads, chosen by the input.
PropertyBag BagFrom(const uint8_t*& data, const uint8_t* end)
{
    static const char* const names[] = {"Enabled", "Caption", "Font", "FirstRun", "FontColour", "Visible"};
    PropertyBag bag;
    for (const char* name : names) {
        if (data >= end)
            break;
        const uint8_t kind = *data++;
        const uint8_t value = data < end ? *data++ : 0;
        switch (kind % 5) {
        case 0: break;  // not stored
        case 1: bag[name] = bool(value & 1); break;
        case 2: bag[name] = int64_t(int8_t(value)) * 1000003; break;
        case 3: bag[name] = std::string(value % 40, char('A' + value % 26)); break;
        case 4: bag[name] = CaptionFont{"Tahoma", value / 10.0}; break;
        }
    }
    return bag;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const uint8_t* end = data + size;
    CountingView view;
    Command button(view);
    button.ReadProperties(BagFrom(data, end), CaptionFont{});

    for (; data < end; ++data) {
        const uint8_t before = button.State();
        const bool enabled = button.IsEnabled();
        const bool leftDown = button.LeftButtonDown();
        const int clicks = view.clicks;
        const uint8_t event = *data % 16;
        const auto mouse = MouseButton(*data / 16 % 3);
        bool userInput = true;
        switch (event) {
        case 0: case 1: case 2: button.MouseMove(); break;
        case 3: case 4: button.MouseDown(mouse); break;
        case 5: case 6: button.MouseUp(mouse); break;
        case 7: button.FocusReceived(); break;
        case 8: button.FocusLost(); break;
        case 9: case 10: button.MouseTimerTick(*data & 0x80); break;
        case 11: userInput = false; button.Initialize(); break;
        case 12: userInput = false; button.Resized(); break;
        case 13: userInput = false; button.SetEnabled(*data & 0x40); break;
        case 14: userInput = false; button.Enabled(); button.FontColour(); button.Visible(); break;
        case 15: userInput = false; button.SetVisible(*data & 0x20); break;
        }
        if (button.State() > 4)
            std::abort();
        const bool clicked = view.clicks != clicks;
        if (clicked && (!(event == 5 || event == 6) || before == 3))
            std::abort();
        if (userInput && !enabled && event != 9 && event != 10 &&
            (button.State() != before || button.LeftButtonDown() != leftDown || clicked))
            std::abort();
    }

    PropertyBag saved;
    button.WriteProperties(saved, CaptionFont{});
    Command restored(view);
    restored.ReadProperties(saved, CaptionFont{});
    const std::string expected = button.Caption() == "Command" ? "Command1" : button.Caption();
    if (restored.Caption() != expected || restored.IsEnabled() != button.IsEnabled())
        std::abort();
    return 0;
}
