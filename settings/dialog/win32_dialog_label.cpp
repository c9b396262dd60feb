// Labels and option images of the settings dialog. See win32_dialog_label.h.
#include "win32_dialog_label.h"

#include "dialog_layout.h"
#include "win32_command_button.h"
#include "win32_font.h"
#include "win32_window.h"

namespace zirel::dialog {
namespace {

constexpr wchar_t kClassName[] = L"ZirelLabel";

struct Label {
    LabelStyle style;
    HBITMAP image = nullptr;
    bool owned = false;  // set once the window exists, which then owns the label

    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// Background from the parent, then the picture or the text, all off screen to avoid flicker.
void Paint(HWND window, const Label& label)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client{};
    GetClientRect(window, &client);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    if (!SendMessageW(GetParent(window), kPaintBackgroundMessage, WPARAM(memory), LPARAM(window)))
        FillRect(memory, &client, GetSysColorBrush(COLOR_BTNFACE));

    if (label.image) {
        BITMAP info{};
        GetObjectW(label.image, sizeof(info), &info);
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ oldSource = SelectObject(source, label.image);
        // Drawn for 96 dots per inch: as large again as the screen's scale is.
        const int dpi = ScreenDpi();
        SetStretchBltMode(memory, COLORONCOLOR);
        StretchBlt(memory, 0, 0, Scaled(info.bmWidth, dpi), Scaled(info.bmHeight, dpi), source, 0, 0,
                   info.bmWidth, info.bmHeight, SRCCOPY);
        SelectObject(source, oldSource);
        DeleteDC(source);
    } else {
        wchar_t text[512] = {};
        const int length = GetWindowTextW(window, text, 512);
        RECT box = client;
        if (label.style.border) {
            DrawEdge(memory, &box, EDGE_SUNKEN, BF_RECT);
            InflateRect(&box, -3, -3);
        }
        HGDIOBJ oldFont = SelectObject(memory, label.style.font);
        SetBkMode(memory, TRANSPARENT);
        SetTextColor(memory, label.style.colour);
        DrawTextW(memory, text, length, &box, label.style.format);
        SelectObject(memory, oldFont);
    }
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    EndPaint(window, &paint);
}

void Notify(HWND window, WORD code)
{
    SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), code), LPARAM(window));
}

LRESULT Label::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCDESTROY:
        if (owned)
            delete this;
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint(window, *this);
        return 0;
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
        InvalidateRect(window, nullptr, FALSE);
        return result;
    }
    case WM_SETCURSOR:
        if (style.cursor) {
            SetCursor(style.cursor);
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN:
        SetCapture(window);
        Notify(window, kLabelMouseDown);
        return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        Notify(window, kLabelMouseDown);
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == window) {
            ReleaseCapture();
            RECT client{};
            GetClientRect(window, &client);
            const POINT at{short(LOWORD(lParam)), short(HIWORD(lParam))};
            if (PtInRect(&client, at))
                Notify(window, kLabelClick);
        }
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND CreateLabel(HWND parent, int id, int x, int y, int width, int height, const std::wstring& text,
                 const LabelStyle& style, bool sizeToText)
{
    if (!RegisterClassOnce(kClassName, ObjectWindowProc<Label>))
        return nullptr;
    if (sizeToText) {
        HDC dc = GetDC(parent);
        HGDIOBJ old = SelectObject(dc, style.font);
        RECT box{0, 0, 0, 0};
        DrawTextW(dc, text.c_str(), int(text.size()), &box, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, old);
        ReleaseDC(parent, dc);
        width = box.right;
        height = box.bottom;
    }
    auto* label = new Label{style};
    HWND window = CreateWindowExW(0, kClassName, text.c_str(), WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                                  reinterpret_cast<HMENU>(INT_PTR(id)), nullptr, label);
    if (!window)
        delete label;
    else
        label->owned = true;
    return window;
}

void SetLabelImage(HWND window, HBITMAP image)
{
    if (Label* label = WindowObject<Label>(window)) {
        label->image = image;
        InvalidateRect(window, nullptr, FALSE);
    }
}

}  // namespace zirel::dialog
