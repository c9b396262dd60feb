// The command button's decisions, free of any window system: the interaction state machine,
// its properties with their read side effects, the saved properties, and the face geometry.
// controls/win32_command_button.* feeds it mouse, focus and timer events and paints the face
// it asks for.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <variant>

namespace zirel {

// The six face images; the rim of the one named is drawn around the gradient.
enum class ButtonFace : uint8_t { Normal, HighLight, Selected, HighLightSelect, Pressed, Disable };

enum class MouseButton : uint8_t { Left, Right, Middle };

// The caption's font as the host describes it (UTF-8 face name, size in points).
struct CaptionFont {
    std::string faceName = "ＭＳ Ｐゴシック";
    double points = 9.75;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    uint8_t charset = 128;  // SHIFTJIS_CHARSET

    bool operator==(const CaptionFont&) const = default;
};

// One named value of a host's property store.
using PropertyValue = std::variant<bool, int64_t, std::string, CaptionFont>;

// The host's property store: the named values saved for one control.
using PropertyBag = std::map<std::string, PropertyValue>;

// Where the state machine's effects land: the platform layer paints and runs the timer.
class CommandButtonView {
public:
    virtual ~CommandButtonView() = default;
    // Paint the face: clear, gradient (upside down when `hoverGradient`), the eight rim pieces of
    // `face`, then the caption with the button's current text, font, colour and enabled look.
    virtual void DrawState(ButtonFace face, bool hoverGradient) = 0;
    // Switch the pointer-watch timer on, one tick every `intervalMs` milliseconds.
    virtual void StartMouseTimer(unsigned intervalMs) = 0;
    virtual void RaiseClick() = 0;
};

class Command {
public:
    static constexpr unsigned kMouseTimerMs = 100;

    explicit Command(CommandButtonView& view) : view_(view) {}

    // Host calls, in the order of a control's life: restore, resize, Initialize, then events.
    void ReadProperties(const PropertyBag& bag, const CaptionFont& ambientFont);
    void WriteProperties(PropertyBag& bag, const CaptionFont& ambientFont);
    void Resized() { ShowEnabledLook(); }
    // Restore and the resize that follows it, for a host whose control already has its size:
    // restoring paints only an enabled control, so a disabled one shows Disable only here.
    void Restore(const PropertyBag& bag, const CaptionFont& ambientFont);
    void Initialize();

    // Events, already translated by the platform layer.
    void MouseMove();
    void MouseDown(MouseButton button);
    void MouseUp(MouseButton button);
    void FocusReceived();
    void FocusLost();
    // One tick of the pointer watch; `pointerOverControl` is false whenever the window under
    // the pointer is not the control's own.
    void MouseTimerTick(bool pointerOverControl);

    // Properties. Reads of Enabled, FontColour and Visible repaint, as the control always did;
    // Caption and Font writes repaint the face shown, since the caption is part of its image.
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& text);
    const CaptionFont& Font() const { return font_; }
    void SetFont(const CaptionFont& font);
    uint32_t FontColour();
    void SetFontColour(uint32_t colour);
    bool Enabled();
    void SetEnabled(bool enabled);
    uint8_t Visible();
    void SetVisible(uint8_t visible);
    // Paints the face shown again, for a caption that changed where the core does not see it.
    void Repaint() { view_.DrawState(shownFace_, hoverGradient_); }

    // Side-effect-free views for painting and for tests.
    uint8_t State() const { return state_; }
    bool IsEnabled() const { return enabled_; }
    bool CaptionEnabled() const { return captionEnabled_; }
    bool Opaque() const { return opaque_; }
    uint32_t CaptionColour() const { return fontColour_; }
    bool LeftButtonDown() const { return leftButtonDown_; }
    bool PropertiesChanged() const { return propertiesChanged_; }

private:
    void DrawState(ButtonFace face);
    void CheckMouseLeave();
    void ShowEnabledLook();
    void ApplyNormalLook();

    CommandButtonView& view_;
    bool enabled_ = true;
    uint8_t state_ = 0;  // 0 before Initialize, 1 Normal, 2 HighLight, 3 Selected, 4 HighLightSelect
    bool leftButtonDown_ = false;
    bool hoverGradient_ = false;  // gradient drawn light at the bottom
    ButtonFace shownFace_ = ButtonFace::Normal;  // the face of the last paint
    uint8_t firstRun_ = 0;        // 0 until the first read of Enabled or a restore
    std::string caption_ = "Command";
    CaptionFont font_;
    uint32_t fontColour_ = 0;  // 0x00BBGGRR
    bool opaque_ = true;
    bool captionEnabled_ = true;
    bool propertiesChanged_ = false;
};

// Face geometry, in twips (15 twips make a pixel at 96 dots per inch).
constexpr int kTwipsPerPixel = 15;

struct TwipRect {
    int x, y, width, height;
    bool operator==(const TwipRect&) const = default;
};

struct RimPiece {
    TwipRect source;       // in the 960 x 375 twip face image
    TwipRect destination;  // on the control's face
};

// The eight rim pieces, in drawing order, for a control of `width` x `height` twips.
std::array<RimPiece, 8> RimPieces(int width, int height);

// Top of the caption box: 20 twips above the exact middle.
double CaptionTop(double height, double captionHeight);

// A GradientFill colour: 16-bit channels, the 8-bit value in the high byte.
struct GradientColour {
    uint16_t red, green, blue;
    bool operator==(const GradientColour&) const = default;
};

// Reads a colour text such as "&HC6C5D7" with its digit pairs in red, green, blue order.
GradientColour GradientColourFromText(const std::string& text);

struct GradientColours {
    GradientColour top, bottom;
};

// White over lavender grey, or the other way round when `hoverGradient`.
GradientColours FaceGradient(bool hoverGradient);

}  // namespace zirel
