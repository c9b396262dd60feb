// Vant_P, the settings dialog "<Zirel>": a plain Win32 window whose handlers carry the form's
// names; the decisions sit in settings_dialog_logic.* and in the command button's core.
#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "dialog_art_ids.h"
#include "settings.h"
#include "settings_dialog.h"
#include "settings_dialog_ids.h"
#include "settings_dialog_logic.h"
#include "settings_file.h"
#include "win32_command_button.h"
#include "win32_dialog_label.h"
#include "win32_font.h"
#include "win32_profile.h"
#include "win32_text.h"
#include "win32_window.h"
#include "zirel_version.h"

namespace zirel::dialog {
namespace {

constexpr wchar_t kClassName[] = L"ZirelSettingsDialog";
constexpr wchar_t kPanelClassName[] = L"ZirelSettingsPanel";
constexpr wchar_t kTitle[] = L"<Zirel>";
constexpr int kClientWidth = 496;
constexpr int kClientHeight = 246;
constexpr int kPanelWidth = 469;  // outer size, border included
constexpr int kPanelHeight = 165;
constexpr wchar_t kCredit[] = L"Zirel screen saver  Ver." ZIREL_VERSION_TEXT;
constexpr wchar_t kAddress[] = L"https://zirel.example/";
constexpr wchar_t kDialogFace[] = L"ＭＳ Ｐゴシック";
constexpr COLORREF kBaseColour = RGB(192, 192, 192);
constexpr COLORREF kPanelBaseColour = RGB(224, 224, 224);

// Paints `child`'s share of `image` (which covers `parent`'s client area) into `dc`.
void PaintUnderChild(const PersistentImage& image, HWND parent, HWND child, HDC dc)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    image.CopyTo(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

// The panel Pic_C: a sunken child whose persistent image holds the tiled texture; it passes its
// children's notifications on to the dialog and paints under its see-through children.
struct Panel {
    PersistentImage image;

    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

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

class SettingsDialog {
public:
    SettingsDialog(Settings& settings, const std::string& programFolder)
        : settings_(settings), programFolder_(programFolder)
    {
    }
    ~SettingsDialog();

    bool Create();
    void RunModal();

private:
    friend LRESULT CALLBACK ObjectWindowProc<SettingsDialog>(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    void LoadArt();
    void CreateControls();
    HWND Child(HWND parent, int id) const { return GetDlgItem(parent, id); }

    // The form's handlers.
    void Form_Load();
    void Form_Resize();
    void Form_Unload();
    void Cmd_Set_Click();
    void Cmd_Can_Click();
    void Cmd_File_Click(int k);
    void Img_BGM_MouseDown(int i) { ChooseOption(i); }
    void lbl_BGM_MouseDown(int i) { ChooseOption(i); }
    void lbl_URL_Click();

    // The form's helpers.
    void SetCommandButtons(bool initialise, bool enable);
    void TileTexture(HWND panel);
    void ZoomOpen();
    void ZoomClose();
    void ChooseOption(int i);
    void MoveFocus(bool backwards);
    void ShowOptions(const OptionLook& look);
    void Close();

    Settings& settings_;
    std::string programFolder_;
    HWND window_ = nullptr;
    HWND panel_ = nullptr;
    Panel panelImage_;  // what the panel window paints from
    HWND repeat_ = nullptr;
    std::vector<HWND> buttons_;  // in the form's control order: Cmd_Can, Cmd_Set, Cmd_File(0)
    PersistentImage background_;
    CommandFaceImages faces_{};
    HBITMAP texture_ = nullptr;
    HBITMAP optionImages_[2] = {};  // Img_Ra(0) unmarked, Img_Ra(1) marked
    HCURSOR handCursor_ = nullptr;
    HFONT font_ = nullptr, panelFont_ = nullptr, linkFont_ = nullptr;
    POINT zoomOrigin_{0, 0};
    HWND lastFocus_ = nullptr;  // the control that had the focus when the dialog was deactivated
    bool closing_ = false;
};

SettingsDialog::~SettingsDialog()
{
    if (window_ && IsWindow(window_))
        DestroyWindow(window_);
    for (HBITMAP face : faces_)
        if (face)
            DeleteObject(face);
    for (HBITMAP image : {texture_, optionImages_[0], optionImages_[1]})
        if (image)
            DeleteObject(image);
    for (HFONT font : {font_, panelFont_, linkFont_})
        if (font)
            DeleteObject(font);
}

void SettingsDialog::LoadArt()
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    const int faceIds[6] = {IDB_BUTTON_NORMAL,          IDB_BUTTON_HIGHLIGHT, IDB_BUTTON_SELECTED,
                            IDB_BUTTON_HIGHLIGHTSELECT, IDB_BUTTON_PRESSED,   IDB_BUTTON_DISABLE};
    for (int i = 0; i < 6; ++i)
        faces_[size_t(i)] = HBITMAP(LoadImageW(instance, MAKEINTRESOURCEW(faceIds[i]), IMAGE_BITMAP, 0, 0, 0));
    texture_ = HBITMAP(LoadImageW(instance, MAKEINTRESOURCEW(IDB_PANEL_TEXTURE), IMAGE_BITMAP, 0, 0, 0));
    optionImages_[0] = HBITMAP(LoadImageW(instance, MAKEINTRESOURCEW(IDB_OPTION_UNMARKED), IMAGE_BITMAP, 0, 0, 0));
    optionImages_[1] = HBITMAP(LoadImageW(instance, MAKEINTRESOURCEW(IDB_OPTION_MARKED), IMAGE_BITMAP, 0, 0, 0));
    handCursor_ = LoadCursorW(instance, MAKEINTRESOURCEW(IDC_LINK_HAND));
    if (!handCursor_)
        handCursor_ = LoadCursorW(nullptr, MAKEINTRESOURCEW(32649));  // IDC_HAND

    const CaptionFont dialogFont;  // the dialog's own: ＭＳ Ｐゴシック, 9.75 points, Shift-JIS
    CaptionFont linkFont = dialogFont;
    linkFont.underline = true;
    font_ = CreateUiFont(dialogFont);
    linkFont_ = CreateUiFont(linkFont);
    panelFont_ = CreateUiFont({.faceName = "Tahoma", .points = 8.25, .charset = DEFAULT_CHARSET});
}

bool SettingsDialog::Create()
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterClassOnce(kClassName, ObjectWindowProc<SettingsDialog>,
                      LoadIconW(instance, MAKEINTRESOURCEW(1)));  // the program's icon
    RegisterClassOnce(kPanelClassName, ObjectWindowProc<Panel>);

    LoadArt();

    // Fixed single border: a caption with the close box, not resizable.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    RECT outer{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    const Point at =
        DialogPosition(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), width, height);
    window_ = CreateWindowExW(0, kClassName, kTitle, style, at.x, at.y, width, height, nullptr, nullptr, instance,
                              this);
    return window_ != nullptr;
}

void SettingsDialog::CreateControls()
{
    // Pic_C and what it holds; positions inside the panel are inside its border.
    panel_ = CreateWindowExW(WS_EX_CLIENTEDGE | WS_EX_CONTROLPARENT, kPanelClassName, L"",
                             WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 12, 16, kPanelWidth, kPanelHeight, window_,
                             reinterpret_cast<HMENU>(INT_PTR(kIdPanel)), GetModuleHandleW(nullptr), &panelImage_);
    SendMessageW(panel_, WM_SETFONT, WPARAM(panelFont_), FALSE);

    LabelStyle black{font_, RGB(0, 0, 0)};
    LabelStyle centred = black;
    centred.format = DT_CENTER | DT_SINGLELINE | DT_NOPREFIX;
    CreateLabel(panel_, kIdHeading, 20, 24, 111, 13, L"BGM", centred, false);

    const int optionTop[3] = {76, 56, 96};  // なし, 音楽CD, MP3、WAV
    const wchar_t* optionText[3] = {L"なし", L"音楽CD", L"MP3、WAV"};
    for (int i = 0; i < 3; ++i) {
        HWND image = CreateLabel(panel_, kIdOptionImage + i, 28, optionTop[i], 13, 13, L"", black, false);
        SetLabelImage(image, optionImages_[0]);
        CreateLabel(panel_, kIdOptionLabel + i, 44, optionTop[i], 0, 0, optionText[i], black, true);
    }

    // The track box: its closed height is the item height plus the frame, 20 pixels in all.
    repeat_ = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN,
                              112, 52, 41, 200, panel_, reinterpret_cast<HMENU>(INT_PTR(kIdRepeat)),
                              GetModuleHandleW(nullptr), nullptr);
    SendMessageW(repeat_, WM_SETFONT, WPARAM(panelFont_), FALSE);
    SendMessageW(repeat_, CB_SETITEMHEIGHT, WPARAM(-1), 14);
    CreateLabel(panel_, kIdRepeatLabel, 156, 56, 0, 0, L"曲目をﾘﾋﾟｰﾄ", black, true);

    const CaptionFont captionFont;  // the dialog's font, as the buttons' saved "Font" is the ambient one
    const RECT fileBounds{28, 116, 28 + 41, 116 + 21};
    HWND fileButton = CreateCommandButton(panel_, kIdFileButton, fileBounds, {{"Caption", std::string("...")}},
                                          captionFont, faces_);
    LabelStyle fileName = black;
    fileName.format = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;
    fileName.border = true;
    CreateLabel(panel_, kIdFileName, 72, 116, 373, 33, L"", fileName, false);

    LabelStyle white{font_, RGB(255, 255, 255)};
    CreateLabel(window_, kIdCredit, 12, 192, 0, 0, kCredit, white, true);
    LabelStyle link{linkFont_, RGB(255, 255, 255)};
    link.cursor = handCursor_;
    CreateLabel(window_, kIdLink, 12, 208, 0, 0, kAddress, link, true);

    HWND set = CreateCommandButton(window_, kIdSet, RECT{324, 200, 324 + 77, 225},
                                   {{"Caption", std::string("設定")}}, captionFont, faces_);
    HWND cancel = CreateCommandButton(window_, kIdCancel, RECT{404, 200, 404 + 77, 225},
                                      {{"Caption", std::string("ｷｬﾝｾﾙ")}}, captionFont, faces_);
    buttons_ = {cancel, set, fileButton};
}

void SettingsDialog::Form_Load()
{
    // Step 1, the placement, happened at creation.
    SetCommandButtons(true, true);
    TileTexture(panel_);
    EnableWindow(repeat_, FALSE);
    ShowOptions(OptionLookFor(settings_.bgmKind));
    SendMessageW(repeat_, WM_SETTEXT, 0, LPARAM(Utf16FromUtf8(HashFormat(settings_.bgmRepeat)).c_str()));
    for (int i = 0; i <= 30; ++i)
        SendMessageW(repeat_, CB_ADDSTRING, 0, LPARAM(Utf16FromUtf8(HashFormat(i)).c_str()));
    SetWindowTextW(Child(panel_, kIdFileName), Utf16FromUtf8(settings_.bgmFile).c_str());
    POINT cursor{};
    if (GetCursorPos(&cursor))
        zoomOrigin_ = POINT{short(cursor.x), short(cursor.y)};  // kept as 16-bit screen coordinates
    else
        zoomOrigin_ = POINT{0, 0};
    ZoomOpen();
    SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));
}

// The background: horizontal lines from dark blue through a light blue-grey and back.
void SettingsDialog::Form_Resize()
{
    RECT client{};
    GetClientRect(window_, &client);
    background_.Resize(window_, client.right, client.bottom);
    HDC screen = GetDC(window_);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(window_, screen);
    HGDIOBJ old = SelectObject(dc, background_.bitmap);
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
    InvalidateRect(window_, nullptr, TRUE);
}

void SettingsDialog::Form_Unload()
{
    ZoomClose();
}

void SettingsDialog::SetCommandButtons(bool initialise, bool enable)
{
    for (HWND button : buttons_) {
        if (initialise) {
            if (Command* command = CommandOf(button))
                command->Initialize();
        } else {
            SetCommandEnabled(button, enable);
        }
    }
}

void SettingsDialog::TileTexture(HWND panel)
{
    Panel* data = &panelImage_;
    HDC screen = GetDC(panel);
    HDC dc = CreateCompatibleDC(screen);
    HDC source = CreateCompatibleDC(screen);
    ReleaseDC(panel, screen);
    HGDIOBJ oldTarget = SelectObject(dc, data->image.bitmap);
    // The base colour first: a fresh bitmap's content is undefined (black here), and it is all
    // that shows when the texture cannot be loaded.
    const RECT all{0, 0, data->image.width, data->image.height};
    HBRUSH base = CreateSolidBrush(kPanelBaseColour);
    FillRect(dc, &all, base);
    DeleteObject(base);
    BITMAP info{};
    if (texture_ && GetObjectW(texture_, sizeof(info), &info)) {
        HGDIOBJ oldSource = SelectObject(source, texture_);
        for (const Point& at : TextureCopyPositions(info.bmWidth, info.bmHeight, kPanelWidth, kPanelHeight))
            BitBlt(dc, at.x, at.y, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
        SelectObject(source, oldSource);
    }
    // Shape3, the heading's black frame, lies over the texture and under the heading's label.
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    Rectangle(dc, 20, 20, 20 + 113, 20 + 21);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldTarget);
    DeleteDC(source);
    DeleteDC(dc);
    InvalidateRect(panel, nullptr, FALSE);
}

void SettingsDialog::ZoomOpen()
{
    RECT to{};
    GetWindowRect(window_, &to);
    const RECT from{zoomOrigin_.x, zoomOrigin_.y, zoomOrigin_.x, zoomOrigin_.y};
    DrawAnimatedRects(window_, IDANI_CAPTION, &from, &to);
}

void SettingsDialog::ZoomClose()
{
    RECT from{};
    GetWindowRect(window_, &from);
    const RECT to{zoomOrigin_.x, zoomOrigin_.y, zoomOrigin_.x, zoomOrigin_.y};
    DrawAnimatedRects(window_, IDANI_CAPTION, &from, &to);
}

void SettingsDialog::ShowOptions(const OptionLook& look)
{
    for (int i = 0; i < 3; ++i) {
        HWND image = Child(panel_, kIdOptionImage + i);
        SetLabelImage(image, optionImages_[i == look.marked ? 1 : 0]);
        SetWindowTextW(image, i == look.marked ? kOptionMarkedText : kOptionUnmarkedText);
    }
    if (look.repeatEnabled)
        EnableWindow(repeat_, TRUE);
    SetCommandEnabled(Child(panel_, kIdFileButton), look.fileEnabled);
}

void SettingsDialog::ChooseOption(int i)
{
    settings_.bgmKind = int16_t(i);
    SetCommandEnabled(Child(panel_, kIdFileButton), false);
    EnableWindow(repeat_, FALSE);
    ShowOptions(OptionLookFor(i));
}

// The focus order opens with the panel, which holds two of the other stops. The dialog manager
// never stops on a window that holds tab stops (WS_EX_CONTROLPARENT), and without that style it
// would not reach the panel's children, so Tab walks this order here.
void SettingsDialog::MoveFocus(bool backwards)
{
    const std::array<HWND, 5> order{panel_, repeat_, Child(panel_, kIdFileButton), Child(window_, kIdSet),
                                    Child(window_, kIdCancel)};
    const int count = int(order.size());
    int at = backwards ? 0 : count - 1;  // with the focus elsewhere, start at either end
    for (HWND held = GetFocus(); held; held = GetParent(held)) {  // the combo's edit counts as the combo
        const auto found = std::find(order.begin(), order.end(), held);
        if (found != order.end()) {
            at = int(found - order.begin());
            break;
        }
    }
    for (int step = 1; step < count; ++step) {
        const HWND next = order[size_t((at + (backwards ? count - step : step)) % count)];
        if (IsWindowVisible(next) && IsWindowEnabled(next)) {
            SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
            SetFocus(next);
            return;
        }
    }
}

void SettingsDialog::Cmd_Set_Click()
{
    wchar_t typed[64] = {};
    GetWindowTextW(repeat_, typed, 64);
    settings_.bgmRepeat = RepeatFromTrackText(Utf8FromWide(typed));
    Win32ProfileStore profile;
    if (SaveSettings(settings_, profile, programFolder_, PerUserSettingsFile()) == SaveResult::Failed)
        MessageBoxW(window_, L"設定を保存できませんでした。", L"Zirel", MB_OK);
    Close();
}

void SettingsDialog::Cmd_Can_Click()
{
    Close();
}

// NOTE: the chooser runs through the W function so that its title, its filter and the folders it
// shows are whole whatever the code page. Zirel.ini keeps the chosen path in the ANSI code page:
// a path it cannot hold is kept by its short form, and one with neither leaves the choice as it
// was and says so, rather than naming another file.
void SettingsDialog::Cmd_File_Click(int k)
{
    wchar_t file[255] = {};
    wchar_t fileTitle[255] = {};
    static const wchar_t filter[] = L"BGMﾌｧｲﾙ (MP3 WAV)\0*.MP3;*.WAV\0";
    const std::wstring folder = Utf16FromUtf8(settings_.bgmFolder);
    OPENFILENAMEW chooser{};
    chooser.lStructSize = sizeof(chooser);
    chooser.hwndOwner = window_;
    chooser.hInstance = GetModuleHandleW(nullptr);
    chooser.lpstrFilter = filter;
    chooser.lpstrFile = file;
    chooser.nMaxFile = 255;
    chooser.lpstrFileTitle = fileTitle;
    chooser.nMaxFileTitle = 255;
    chooser.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    chooser.lpstrTitle = L"ﾌｧｲﾙを開く";
    chooser.Flags = 0;
    if (!GetOpenFileNameW(&chooser))
        return;
    const std::optional<std::string> path = StorablePath(file);
    if (!path) {
        MessageBoxW(window_, L"このﾌｧｲﾙの場所は設定に保存できません。", L"Zirel", MB_OK);
        return;
    }
    settings_.bgmFile = *path;
    SetWindowTextW(Child(panel_, kIdFileName + k), file);
    settings_.bgmFolder = FolderOf(*path);
}

void SettingsDialog::lbl_URL_Click()
{
    wchar_t address[256] = {};
    GetWindowTextW(Child(window_, kIdLink), address, 256);
    std::string target;
    if (!AnsiFromWide(address, target))
        return;
    SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)));  // IDC_WAIT
    ShellExecuteA(window_, "open", target.c_str(), "", "", SW_SHOWNORMAL);
    SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));
}

void SettingsDialog::Close()
{
    if (closing_)
        return;
    closing_ = true;
    Form_Unload();
    DestroyWindow(window_);
}

LRESULT SettingsDialog::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        window_ = window;
    if (!window_)  // destroyed: what is left is the system's
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_CREATE:
        CreateControls();
        return 0;
    case WM_SIZE:
        Form_Resize();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window_, &paint);
        background_.CopyTo(dc, 0, 0, background_.width, background_.height);
        EndPaint(window_, &paint);
        return 0;
    }
    case kPaintBackgroundMessage:
        PaintUnderChild(background_, window_, HWND(lParam), HDC(wParam));
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const WORD code = HIWORD(wParam);
        if (id == kIdSet && code == BN_CLICKED)
            Cmd_Set_Click();
        else if (id == kIdCancel && code == BN_CLICKED)
            Cmd_Can_Click();
        else if (id == kIdFileButton && code == BN_CLICKED)
            Cmd_File_Click(0);
        else if (id >= kIdOptionImage && id < kIdOptionImage + 3 && code == kLabelMouseDown)
            Img_BGM_MouseDown(id - kIdOptionImage);
        else if (id >= kIdOptionLabel && id < kIdOptionLabel + 3 && code == kLabelMouseDown)
            lbl_BGM_MouseDown(id - kIdOptionLabel);
        else if (id == kIdLink && code == kLabelClick)
            lbl_URL_Click();
        // Enter and Escape (IDOK, IDCANCEL from the dialog manager) press nothing: the buttons
        // answer the mouse only.
        return 0;
    }
    case WM_ACTIVATE:
        // A plain window takes the focus itself when it is activated again (after the file
        // chooser, say); hand it back to the control that had it, as the dialog manager does.
        if (LOWORD(wParam) == WA_INACTIVE) {
            lastFocus_ = IsChild(window_, GetFocus()) ? GetFocus() : nullptr;
        } else if (lastFocus_ && IsWindow(lastFocus_)) {
            SetFocus(lastFocus_);
            return 0;
        }
        return DefWindowProcW(window_, message, wParam, lParam);
    case WM_CLOSE:
        Close();
        return 0;
    case WM_DESTROY:
        window_ = nullptr;
        // NOTE: a WM_CLOSE sent from outside (not posted) destroys the window while the modal
        // loop waits in GetMessageW, which returns only for posted messages: wake it.
        PostMessageW(nullptr, WM_NULL, 0, 0);
        return 0;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void SettingsDialog::RunModal()
{
    Form_Load();
    HWND window = window_;
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    SetFocus(panel_);  // first in the focus order; no button starts out selected
    MSG message;
    while (IsWindow(window)) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                PostQuitMessage(int(message.wParam));  // leave it for the caller's loop
            break;
        }
        if (message.message == WM_KEYDOWN && message.wParam == VK_TAB &&
            (message.hwnd == window || IsChild(window, message.hwnd))) {
            MoveFocus(GetKeyState(VK_SHIFT) < 0);
            continue;
        }
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

}  // namespace
}  // namespace zirel::dialog

void ShowSettingsDialog(Settings& settings, const std::string& programFolder)
{
    zirel::dialog::SettingsDialog dialog(settings, programFolder);
    if (dialog.Create())
        dialog.RunModal();
}
