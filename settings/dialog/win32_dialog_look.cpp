// The settings dialog's look. See win32_dialog_look.h.
#include "win32_dialog_look.h"

#include <vector>

#include "dialog_art_ids.h"
#include "dialog_layout.h"
#include "settings_dialog_ids.h"
#include "settings_dialog_logic.h"
#include "win32_dialog_label.h"
#include "win32_font.h"
#include "win32_user_texts.h"

namespace zirel::dialog {
namespace {

constexpr wchar_t kPanelClassName[] = L"ZirelSettingsPanel";
constexpr COLORREF kBaseColour = RGB(192, 192, 192);
constexpr COLORREF kPanelBaseColour = RGB(224, 224, 224);

HBITMAP LoadBitmapResource(int id)
{
    return HBITMAP(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0));
}

// A control's rectangle scaled to `dpi`, as a RECT.
RECT At(int id, int dpi)
{
    const Rect r = Scaled(PlaceOf(id), dpi);
    return RECT{r.x, r.y, r.Right(), r.Bottom()};
}

// A label at its place; with `sizeToText` its size follows its text.
HWND Label(HWND parent, int id, const std::wstring& text, const LabelStyle& style, bool sizeToText, int dpi)
{
    const RECT r = At(id, dpi);
    return CreateLabel(parent, id, r.left, r.top, r.right - r.left, r.bottom - r.top, text, style, sizeToText);
}

// A command button at its place, its caption in the user's language.
void Button(HWND parent, int id, UiText caption, const CaptionFont& font, const DialogArt& art, int dpi)
{
    const PropertyBag saved{{"Caption", std::string(Say(caption, UserLanguage()))}};
    CreateCommandButton(parent, id, At(id, dpi), saved, font, art.faces);
}

}  // namespace

DialogArt::DialogArt(const CaptionFont& textFont)
{
    const int faceIds[6] = {IDB_BUTTON_NORMAL,          IDB_BUTTON_HIGHLIGHT, IDB_BUTTON_SELECTED,
                            IDB_BUTTON_HIGHLIGHTSELECT, IDB_BUTTON_PRESSED,   IDB_BUTTON_DISABLE};
    for (int i = 0; i < 6; ++i)
        faces[size_t(i)] = LoadBitmapResource(faceIds[i]);
    texture = LoadBitmapResource(IDB_PANEL_TEXTURE);
    optionImages[0] = LoadBitmapResource(IDB_OPTION_UNMARKED);
    optionImages[1] = LoadBitmapResource(IDB_OPTION_MARKED);
    handCursor = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_LINK_HAND));
    if (!handCursor)
        handCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32649));  // IDC_HAND

    CaptionFont underlined = textFont;
    underlined.underline = true;
    font = CreateUiFont(textFont);
    linkFont = CreateUiFont(underlined);
    panelFont = CreateUiFont({.faceName = "Tahoma", .points = 8.25, .charset = DEFAULT_CHARSET});
}

DialogArt::~DialogArt()
{
    for (HBITMAP face : faces)
        if (face)
            DeleteObject(face);
    for (HBITMAP image : {texture, optionImages[0], optionImages[1]})
        if (image)
            DeleteObject(image);
    for (HFONT made : {font, panelFont, linkFont})
        if (made)
            DeleteObject(made);
}

LRESULT Panel::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        // The image must exist before the dialog's load tiles it, whatever WM_SIZE does.
        RECT client{};
        GetClientRect(window, &client);
        image.Resize(window, client.right, client.bottom);
        return 0;
    }
    case WM_SIZE:
        image.Resize(window, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_UPDATEUISTATE:
        InvalidateRect(window, nullptr, FALSE);
        break;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        image.CopyTo(dc, 0, 0, image.width, image.height);
        // As in any dialog, the focus shows unless the system hides keyboard cues until the
        // keyboard is used.
        if (GetFocus() == window && !(SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) {
            RECT focus{};
            GetClientRect(window, &focus);
            InflateRect(&focus, -2, -2);
            DrawFocusRect(dc, &focus);
        }
        EndPaint(window, &paint);
        return 0;
    }
    case kPaintBackgroundMessage:
        PaintUnderChild(image, window, HWND(lParam), HDC(wParam));
        return TRUE;
    case WM_COMMAND:
        return SendMessageW(GetParent(window), message, wParam, lParam);
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateControls(HWND dialog, Panel& panelImage, const DialogArt& art, const CaptionFont& captionFont,
                    int dpi)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterClassOnce(kPanelClassName, ObjectWindowProc<Panel>);
    // Pic_C and what it holds; positions inside the panel are inside its border.
    const RECT panelRect = At(kIdPanel, dpi);
    HWND panel = CreateWindowExW(WS_EX_CLIENTEDGE | WS_EX_CONTROLPARENT, kPanelClassName, L"",
                                 WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, panelRect.left, panelRect.top,
                                 panelRect.right - panelRect.left, panelRect.bottom - panelRect.top, dialog,
                                 reinterpret_cast<HMENU>(INT_PTR(kIdPanel)), instance, &panelImage);
    SendMessageW(panel, WM_SETFONT, WPARAM(art.panelFont), FALSE);

    LabelStyle black{art.font, RGB(0, 0, 0)};
    LabelStyle centred = black;
    centred.format = DT_CENTER | DT_SINGLELINE | DT_NOPREFIX;
    Label(panel, kIdHeading, UserText(UiText::Heading), centred, false, dpi);

    for (int i = 0; i < 3; ++i) {
        SetLabelImage(Label(panel, kIdOptionImage + i, L"", black, false, dpi), art.optionImages[0]);
        Label(panel, kIdOptionLabel + i, UserText(UiText(int(UiText::OptionNone) + i)), black, true, dpi);
    }

    // The track box: its closed height is the item height plus the frame.
    const RECT track = At(kIdRepeat, dpi);
    HWND repeat = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN,
                                  track.left, track.top, track.right - track.left, Scaled(200, dpi), panel,
                                  reinterpret_cast<HMENU>(INT_PTR(kIdRepeat)), instance, nullptr);
    SendMessageW(repeat, WM_SETFONT, WPARAM(art.panelFont), FALSE);
    SendMessageW(repeat, CB_SETITEMHEIGHT, WPARAM(-1), Scaled(kRepeatItemHeight, dpi));
    Label(panel, kIdRepeatLabel, UserText(UiText::RepeatLabel), black, true, dpi);

    Button(panel, kIdFileButton, UiText::FileButton, captionFont, art, dpi);
    LabelStyle fileName = black;
    fileName.format = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;
    fileName.border = true;
    Label(panel, kIdFileName, L"", fileName, false, dpi);

    LabelStyle white{art.font, RGB(255, 255, 255)};
    Label(dialog, kIdCredit, UserText(UiText::Credit), white, true, dpi);
    LabelStyle link{art.linkFont, RGB(255, 255, 255)};
    link.cursor = art.handCursor;
    Label(dialog, kIdLink, UserText(UiText::Address), link, true, dpi);

    Button(dialog, kIdSet, UiText::SetButton, captionFont, art, dpi);
    Button(dialog, kIdCancel, UiText::CancelButton, captionFont, art, dpi);
    return panel;
}

// Horizontal lines from dark blue through a light blue-grey and back.
void PaintBackground(HWND window, PersistentImage& image)
{
    RECT client{};
    GetClientRect(window, &client);
    image.Resize(window, client.right, client.bottom);
    HDC screen = GetDC(window);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(window, screen);
    HGDIOBJ old = SelectObject(dc, image.bitmap);
    HBRUSH base = CreateSolidBrush(kBaseColour);
    FillRect(dc, &client, base);
    DeleteObject(base);
    const std::vector<int> levels = BackgroundLevels(client.bottom);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(DC_BRUSH));
    for (size_t i = 0; i < levels.size(); ++i) {
        const int level = levels[i];
        SetDCBrushColor(dc, RGB(level, level, level + 30));
        const RECT line{0, int(i), client.right, int(i) + 1};
        FillRect(dc, &line, HBRUSH(GetStockObject(DC_BRUSH)));
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, old);
    DeleteDC(dc);
    InvalidateRect(window, nullptr, TRUE);
}

void PaintPanel(HWND panel, Panel& panelImage, HBITMAP texture, int dpi)
{
    const PersistentImage& image = panelImage.image;
    HDC screen = GetDC(panel);
    HDC dc = CreateCompatibleDC(screen);
    HDC source = CreateCompatibleDC(screen);
    ReleaseDC(panel, screen);
    HGDIOBJ oldTarget = SelectObject(dc, image.bitmap);
    // The base colour first: a fresh bitmap's content is undefined (black here), and it is all
    // that shows when the texture cannot be loaded.
    const RECT all{0, 0, image.width, image.height};
    HBRUSH base = CreateSolidBrush(kPanelBaseColour);
    FillRect(dc, &all, base);
    DeleteObject(base);
    BITMAP info{};
    if (texture && GetObjectW(texture, sizeof(info), &info)) {
        HGDIOBJ oldSource = SelectObject(source, texture);
        const Rect outer = Scaled(PlaceOf(kIdPanel), dpi);
        for (const Point& at : TextureCopyPositions(info.bmWidth, info.bmHeight, outer.width, outer.height))
            BitBlt(dc, at.x, at.y, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
        SelectObject(source, oldSource);
    }
    // Shape3, the heading's black frame, lies over the texture and under the heading's label.
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    const Rect frame = Scaled(kHeadingFrame, dpi);
    Rectangle(dc, frame.x, frame.y, frame.Right(), frame.Bottom());
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldTarget);
    DeleteDC(source);
    DeleteDC(dc);
    InvalidateRect(panel, nullptr, FALSE);
}

void PaintUnderChild(const PersistentImage& image, HWND parent, HWND child, HDC dc)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    image.CopyTo(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

}  // namespace zirel::dialog
