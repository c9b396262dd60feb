// Vant_P, the settings dialog "<Zirel>": a plain Win32 window whose handlers carry the form's
// names. The decisions sit in settings_dialog_logic.* and in the command button's core; the
// layout, the texts, the look and the focus order each in a file of their own beside this one.
#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "dialog_layout.h"
#include "settings.h"
#include "settings_dialog.h"
#include "settings_dialog_ids.h"
#include "settings_dialog_logic.h"
#include "settings_file.h"
#include "win32_command_button.h"
#include "win32_dialog_focus.h"
#include "win32_dialog_label.h"
#include "win32_dialog_look.h"
#include "win32_font.h"
#include "win32_profile.h"
#include "win32_text.h"
#include "win32_user_texts.h"
#include "win32_window.h"

namespace zirel::dialog {
namespace {

constexpr wchar_t kClassName[] = L"ZirelSettingsDialog";

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
    void TileTexture(HWND panel) { PaintPanel(panel, panelImage_, art_.texture, dpi_); }
    void ZoomOpen();
    void ZoomClose();
    void ChooseOption(int i);
    void ShowOptions(const OptionLook& look);
    void Close();

    Settings& settings_;
    std::string programFolder_;
    HWND window_ = nullptr;
    // The font of the labels, and the buttons' ambient font, as their saved "Font" is.
    const CaptionFont font_ = UserTextFont();
    const int dpi_ = ScreenDpi();
    DialogArt art_{font_};
    HWND panel_ = nullptr;
    Panel panelImage_;  // what the panel window paints from
    HWND repeat_ = nullptr;
    std::vector<HWND> buttons_;  // in the form's control order: Cmd_Can, Cmd_Set, Cmd_File(0)
    PersistentImage background_;
    POINT zoomOrigin_{0, 0};
    HWND lastFocus_ = nullptr;  // the control that had the focus when the dialog was deactivated
    bool closing_ = false;
};

SettingsDialog::~SettingsDialog()
{
    if (window_ && IsWindow(window_))
        DestroyWindow(window_);
}

bool SettingsDialog::Create()
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterClassOnce(kClassName, ObjectWindowProc<SettingsDialog>,
                      LoadIconW(instance, MAKEINTRESOURCEW(1)));  // the program's icon

    // Fixed single border: a caption with the close box, not resizable.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const Rect client = Scaled(kClientArea, dpi_);
    RECT outer{0, 0, client.width, client.height};
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    const Point at =
        DialogPosition(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), width, height);
    window_ = CreateWindowExW(0, kClassName, UserText(UiText::DialogTitle).c_str(), style, at.x, at.y, width,
                              height, nullptr, nullptr, instance, this);
    return window_ != nullptr;
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

void SettingsDialog::Form_Resize()
{
    PaintBackground(window_, background_);
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
        SetLabelImage(image, art_.optionImages[i == look.marked ? 1 : 0]);
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

void SettingsDialog::Cmd_Set_Click()
{
    wchar_t typed[64] = {};
    GetWindowTextW(repeat_, typed, 64);
    settings_.bgmRepeat = RepeatFromTrackText(Utf8FromWide(typed));
    Win32ProfileStore profile;
    if (SaveSettings(settings_, profile, programFolder_, PerUserSettingsPath(ApplicationDataFolder())) == SaveResult::Failed)
        MessageBoxW(window_, UserText(UiText::CannotSave).c_str(), UserText(UiText::MessageCaption).c_str(),
                    MB_OK);
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
    const std::wstring filter = UserText(UiText::ChooserFilter) + L'\0' + L"*.MP3;*.WAV" + L'\0';
    const std::wstring title = UserText(UiText::ChooserTitle);
    const std::wstring folder = Utf16FromUtf8(settings_.bgmFolder);
    OPENFILENAMEW chooser{};
    chooser.lStructSize = sizeof(chooser);
    chooser.hwndOwner = window_;
    chooser.hInstance = GetModuleHandleW(nullptr);
    chooser.lpstrFilter = filter.c_str();  // its last NUL and the string's own end the list
    chooser.lpstrFile = file;
    chooser.nMaxFile = 255;
    chooser.lpstrFileTitle = fileTitle;
    chooser.nMaxFileTitle = 255;
    chooser.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    chooser.lpstrTitle = title.c_str();
    chooser.Flags = 0;
    if (!GetOpenFileNameW(&chooser))
        return;
    const std::optional<std::string> path = StorablePath(file);
    if (!path) {
        MessageBoxW(window_, UserText(UiText::CannotKeepFile).c_str(),
                    UserText(UiText::MessageCaption).c_str(), MB_OK);
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
        panel_ = CreateControls(window_, panelImage_, art_, font_, dpi_);
        repeat_ = Child(panel_, kIdRepeat);
        buttons_ = {Child(window_, kIdCancel), Child(window_, kIdSet), Child(panel_, kIdFileButton)};
        return 0;
    case WM_SIZE:
        Form_Resize();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        background_.Paint(window_);
        return 0;
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
    RunModalLoop(window, {panel_, repeat_, Child(panel_, kIdFileButton), Child(window, kIdSet),
                          Child(window, kIdCancel)});
}

}  // namespace
}  // namespace zirel::dialog

void ShowSettingsDialog(Settings& settings, const std::string& programFolder)
{
    zirel::dialog::SettingsDialog dialog(settings, programFolder);
    if (dialog.Create())
        dialog.RunModal();
}
