// The dialog's see-through labels and option images: child windows that paint what their parent
// shows under them (see zirel::kPaintBackgroundMessage), then a text or a picture, and report
// mouse presses and clicks to their parent as WM_COMMAND.
#pragma once

#include <windows.h>

#include <string>

namespace zirel::dialog {

// WM_COMMAND notification codes of a label.
constexpr WORD kLabelMouseDown = 1;  // any mouse button pressed on it
constexpr WORD kLabelClick = 2;      // left button pressed and released on it

struct LabelStyle {
    HFONT font = nullptr;
    COLORREF colour = RGB(0, 0, 0);
    UINT format = DT_LEFT | DT_SINGLELINE | DT_NOPREFIX;  // DrawText flags
    bool border = false;                                  // sunken single border
    HCURSOR cursor = nullptr;                             // nullptr: the arrow
};

// Creates a label at (x, y); with `sizeToText` its size follows its text in its font.
HWND CreateLabel(HWND parent, int id, int x, int y, int width, int height, const std::wstring& text,
                 const LabelStyle& style, bool sizeToText);

// Shows `image` (not owned) at the label's top-left corner instead of its text.
void SetLabelImage(HWND label, HBITMAP image);

}  // namespace zirel::dialog
