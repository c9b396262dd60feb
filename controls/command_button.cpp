// The command button's state machine. See command_button.h.
#include "command_button.h"

namespace zirel {

// Behaviour of the state machine. States: 0 before Initialize, 1 Normal (idle), 2 HighLight
// (pointer over, no focus), 3 Selected (focus, pointer away), 4 HighLightSelect (both).
// Mouse, focus and pointer-left events are ignored while the control is disabled.
//
//   trigger               | condition                      | effect
//   ----------------------+--------------------------------+------------------------------------------
//   Initialize            | any                            | state 1; pointer-watch timer on (no paint)
//   mouse move            | state 1                        | state 2; paint HighLight
//   mouse move            | else state 3, left not down    | state 4; paint HighLightSelect
//   left press            | any                            | leftButtonDown; paint Pressed; state kept
//   other press           | any                            | nothing
//   left release          | any                            | leftButtonDown off; state 2: paint Normal
//                         |                                | (state stays 2); state 4: paint
//                         |                                | HighLightSelect
//   any release           | (after the row above) state!=3 | raise Click
//   focus received        | state != 2                     | state 3; paint Selected
//   focus received        | state 2                        | state 4; paint Pressed
//   focus lost            | state != 1                     | state 1; paint Normal
//   timer, pointer away   | state 2                        | state 1; paint Normal
//   timer, pointer away   | state 4                        | state 3; paint Selected
//   resize, Enabled write | any, also when disabled        | paint Normal (enabled) or Disable
//   Caption, Font write   | any                            | the face shown painted again
//
// The release never asks where the pointer is: a press dragged outside still clicks, unless the
// timer has meanwhile turned 4 into 3. The gradient is drawn light at the bottom for state 2,
// light at the top for 1 and 3, and as last time for 0 and 4, so HighLightSelect reached from
// Selected is light at the top while the one reached by pressing from HighLight is light at the
// bottom.

void Command::Initialize()
{
    state_ = 1;
    view_.StartMouseTimer(kMouseTimerMs);
}

void Command::MouseMove()
{
    if (!enabled_)
        return;
    if (state_ == 1) {
        state_ = 2;
        DrawState(ButtonFace::HighLight);
    } else if (state_ == 3 && !leftButtonDown_) {
        state_ = 4;
        DrawState(ButtonFace::HighLightSelect);
    }
}

void Command::MouseDown(MouseButton button)
{
    if (!enabled_ || button != MouseButton::Left)
        return;
    leftButtonDown_ = true;
    DrawState(ButtonFace::Pressed);
}

void Command::MouseUp(MouseButton button)
{
    if (!enabled_)
        return;
    if (button == MouseButton::Left) {
        leftButtonDown_ = false;
        if (state_ == 2)
            DrawState(ButtonFace::Normal);
        else if (state_ == 4)
            DrawState(ButtonFace::HighLightSelect);
    }
    if (state_ != 3)
        view_.RaiseClick();
}

void Command::FocusReceived()
{
    if (!enabled_)
        return;
    if (state_ != 2) {
        state_ = 3;
        DrawState(ButtonFace::Selected);
    } else {
        state_ = 4;
        DrawState(ButtonFace::Pressed);
    }
}

void Command::FocusLost()
{
    if (!enabled_ || state_ == 1)
        return;
    state_ = 1;
    DrawState(ButtonFace::Normal);
}

void Command::MouseTimerTick(bool pointerOverControl)
{
    if (!pointerOverControl)
        CheckMouseLeave();
}

void Command::CheckMouseLeave()
{
    if (!enabled_)
        return;
    if (state_ == 2) {
        state_ = 1;
        DrawState(ButtonFace::Normal);
    } else if (state_ == 4) {
        state_ = 3;
        DrawState(ButtonFace::Selected);
    }
}

void Command::DrawState(ButtonFace face)
{
    if (state_ == 1 || state_ == 3)
        hoverGradient_ = false;
    else if (state_ == 2)
        hoverGradient_ = true;
    shownFace_ = face;
    view_.DrawState(face, hoverGradient_);
}

void Command::ShowEnabledLook()
{
    // The caption's look is part of the painted face here, so it is settled before the paint.
    captionEnabled_ = enabled_;
    DrawState(enabled_ ? ButtonFace::Normal : ButtonFace::Disable);
}

void Command::ApplyNormalLook()
{
    if (!enabled_)
        return;
    captionEnabled_ = true;
    if (firstRun_ == 0)
        fontColour_ = 0;
    DrawState(ButtonFace::Normal);
}

void Command::SetCaption(const std::string& text)
{
    caption_ = text;
    propertiesChanged_ = true;
    Repaint();
}

void Command::SetFont(const CaptionFont& font)
{
    font_ = font;
    propertiesChanged_ = true;
    Repaint();
}

uint32_t Command::FontColour()
{
    const uint32_t colour = fontColour_;
    ApplyNormalLook();
    return colour;
}

void Command::SetFontColour(uint32_t colour)
{
    fontColour_ = colour;
    propertiesChanged_ = true;
    ApplyNormalLook();
}

bool Command::Enabled()
{
    if (firstRun_ == 0) {
        ApplyNormalLook();
        firstRun_ = 1;
        enabled_ = true;
    }
    const bool enabled = enabled_;
    ShowEnabledLook();
    return enabled;
}

void Command::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    propertiesChanged_ = true;
    ShowEnabledLook();
}

uint8_t Command::Visible()
{
    if (!opaque_)
        return 0;
    ApplyNormalLook();
    return 255;
}

void Command::SetVisible(uint8_t visible)
{
    opaque_ = visible != 0;
    propertiesChanged_ = true;
    if (opaque_)
        ApplyNormalLook();
}

}  // namespace zirel
