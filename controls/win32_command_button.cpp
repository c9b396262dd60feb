// The command button's child window. The face is painted only when the state machine asks,
// into a bitmap that WM_PAINT merely copies.
#include "win32_command_button.h"

#include <cmath>

#include "win32_font.h"
#include "win32_text.h"
#include "win32_window.h"

namespace zirel {
namespace {

constexpr wchar_t kClassName[] = L"ZirelCommand";
constexpr UINT_PTR kMouseTimerId = 1;

int Pixels(int twips)
{
    return twips / kTwipsPerPixel;
}

class ButtonWindow : public CommandButtonView {
public:
    explicit ButtonWindow(const CommandFaceImages& faces) : faces_(faces) {}
    ~ButtonWindow() override
    {
        if (font_)
            DeleteObject(font_);
    }

    // Every message of the window; the object goes with the window (WM_NCDESTROY).
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    Command& Core() { return core_; }

    void DrawState(ButtonFace face, bool hoverGradient) override;
    void StartMouseTimer(unsigned intervalMs) override { SetTimer(window_, kMouseTimerId, intervalMs, nullptr); }
    void RaiseClick() override { clickPending_ = true; }

    void Restore(const PropertyBag& saved, const CaptionFont& ambientFont);

    // Set once the window exists: from then on the window owns the object (a creation that
    // fails half-way still sends WM_NCDESTROY, and leaves the object to its creator).
    bool owned = false;

private:
    void Resize(int width, int height);
    void PaintCaption(HDC dc, int width, int height);
    void OnButtonUp(MouseButton button, WPARAM keys);

    HWND window_ = nullptr;
    const CommandFaceImages& faces_;
    Command core_{*this};
    PersistentImage face_;  // the painted face, the window's size
    HFONT font_ = nullptr;
    CaptionFont fontFor_;  // what font_ was made from
    bool clickPending_ = false;
};

void ButtonWindow::Restore(const PropertyBag& saved, const CaptionFont& ambientFont)
{
    RECT client{};
    GetClientRect(window_, &client);
    Resize(client.right, client.bottom);
    // The window already has its size (WM_SIZE came before the properties), so the restore
    // brings its own resize look: a button saved disabled shows Disable from the start.
    core_.Restore(saved, ambientFont);
    // The face shows the window's text, which holds the restored caption only from here.
    SetWindowTextW(window_, Utf16FromUtf8(core_.Caption()).c_str());
}

void ButtonWindow::Resize(int width, int height)
{
    face_.Resize(window_, width, height);
}

void ButtonWindow::DrawState(ButtonFace face, bool hoverGradient)
{
    if (!face_.bitmap)
        return;
    HDC screen = GetDC(window_);
    HDC dc = CreateCompatibleDC(screen);
    HDC source = CreateCompatibleDC(screen);
    ReleaseDC(window_, screen);
    HGDIOBJ oldFace = SelectObject(dc, face_.bitmap);

    // Clear: what the host shows under the control.
    HWND parent = GetParent(window_);
    if (!parent || !SendMessageW(parent, kPaintBackgroundMessage, WPARAM(dc), LPARAM(window_))) {
        RECT all{0, 0, face_.width, face_.height};
        FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    }

    if (core_.Opaque()) {
        const GradientColours colours = FaceGradient(hoverGradient);
        TRIVERTEX vertices[2] = {
            {0, 0, colours.top.red, colours.top.green, colours.top.blue, 0},
            {face_.width - 1, face_.height - 1, colours.bottom.red, colours.bottom.green, colours.bottom.blue, 0},
        };
        GRADIENT_RECT mesh{0, 1};
        GradientFill(dc, vertices, 2, &mesh, 1, GRADIENT_FILL_RECT_V);

        HGDIOBJ oldSource = SelectObject(source, faces_[size_t(face)]);
        SetStretchBltMode(dc, COLORONCOLOR);
        for (const RimPiece& piece : RimPieces(face_.width * kTwipsPerPixel, face_.height * kTwipsPerPixel)) {
            const TwipRect& s = piece.source;
            const TwipRect& d = piece.destination;
            StretchBlt(dc, Pixels(d.x), Pixels(d.y), Pixels(d.width), Pixels(d.height), source, Pixels(s.x),
                       Pixels(s.y), Pixels(s.width), Pixels(s.height), SRCCOPY);
        }
        SelectObject(source, oldSource);
    }

    PaintCaption(dc, face_.width, face_.height);
    SelectObject(dc, oldFace);
    DeleteDC(source);
    DeleteDC(dc);
    InvalidateRect(window_, nullptr, FALSE);
}

void ButtonWindow::PaintCaption(HDC dc, int width, int height)
{
    if (!font_ || !(fontFor_ == core_.Font())) {
        if (font_)
            DeleteObject(font_);
        font_ = CreateUiFont(core_.Font());
        fontFor_ = core_.Font();
    }
    wchar_t text[256] = {};
    const int length = GetWindowTextW(window_, text, 256);
    HGDIOBJ oldFont = SelectObject(dc, font_);
    RECT box{0, 0, width, 0};
    DrawTextW(dc, text, length, &box, DT_CALCRECT | DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    const int captionHeight = box.bottom;
    // The layout is in twips: 20 twips above the exact middle.
    const double top = CaptionTop(double(height) * kTwipsPerPixel, double(captionHeight) * kTwipsPerPixel);
    box = RECT{0, int(std::lround(top / kTwipsPerPixel)), width, 0};
    box.bottom = box.top + captionHeight;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, core_.CaptionEnabled() ? COLORREF(core_.CaptionColour()) : GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, text, length, &box, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, oldFont);
}

void ButtonWindow::OnButtonUp(MouseButton button, WPARAM keys)
{
    if (!(keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) && GetCapture() == window_)
        ReleaseCapture();
    core_.MouseUp(button);
    if (clickPending_) {
        clickPending_ = false;
        // NOTE: the host may destroy this window while handling the click, so nothing of this
        // object is touched afterwards.
        HWND parent = GetParent(window_);
        const int id = GetDlgCtrlID(window_);
        HWND self = window_;
        SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(self));
    }
}

LRESULT ButtonWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE:
        window_ = window;
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_NCDESTROY: {
        KillTimer(window, kMouseTimerId);
        if (owned)
            delete this;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    case WM_MOUSEMOVE:
        core_.MouseMove();
        return 0;
    case WM_LBUTTONDOWN:
        // Held so that the release reaches the control wherever it happens.
        SetCapture(window_);
        core_.MouseDown(MouseButton::Left);
        if (GetFocus() != window_)
            SetFocus(window_);
        return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        SetCapture(window_);
        core_.MouseDown(message == WM_RBUTTONDOWN ? MouseButton::Right : MouseButton::Middle);
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp(MouseButton::Left, wParam);
        return 0;
    case WM_RBUTTONUP:
        OnButtonUp(MouseButton::Right, wParam);
        return 0;
    case WM_MBUTTONUP:
        OnButtonUp(MouseButton::Middle, wParam);
        return 0;
    case WM_SETFOCUS:
        core_.FocusReceived();
        return 0;
    case WM_KILLFOCUS:
        core_.FocusLost();
        return 0;
    case WM_TIMER: {
        POINT cursor{};
        if (wParam == kMouseTimerId && GetCursorPos(&cursor))
            core_.MouseTimerTick(WindowFromPoint(cursor) == window_);
        return 0;
    }
    case WM_SETTEXT: {
        const LRESULT set = DefWindowProcW(window_, message, wParam, lParam);
        const std::string text = Utf8FromWide(lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"");
        if (text != core_.Caption())
            core_.SetCaption(text);  // a write of Caption, which paints the face shown
        else
            core_.Repaint();
        return set;
    }
    case WM_SIZE:
        Resize(LOWORD(lParam), HIWORD(lParam));
        core_.Resized();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        face_.Paint(window_);
        return 0;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

}  // namespace

HWND CreateCommandButton(HWND parent, int id, const RECT& bounds, const PropertyBag& saved,
                         const CaptionFont& ambientFont, const CommandFaceImages& faces)
{
    if (!RegisterClassOnce(kClassName, ObjectWindowProc<ButtonWindow>))
        return nullptr;
    auto* object = new ButtonWindow(faces);
    HWND window = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, bounds.left, bounds.top,
                                  bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                                  reinterpret_cast<HMENU>(INT_PTR(id)), nullptr, object);
    if (!window) {
        delete object;
        return nullptr;
    }
    object->owned = true;
    object->Restore(saved, ambientFont);
    return window;
}

Command* CommandOf(HWND window)
{
    wchar_t name[32] = {};
    if (!window || !GetClassNameW(window, name, 32) || lstrcmpW(name, kClassName) != 0)
        return nullptr;
    ButtonWindow* object = WindowObject<ButtonWindow>(window);
    return object ? &object->Core() : nullptr;
}

void SetCommandEnabled(HWND window, bool enabled)
{
    if (Command* command = CommandOf(window)) {
        command->SetEnabled(enabled);
        EnableWindow(window, enabled ? TRUE : FALSE);
    }
}

}  // namespace zirel
