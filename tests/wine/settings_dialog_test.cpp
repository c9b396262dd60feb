// Zirel.scr /c under Wine, as scenario rows: presses on the dialog's controls, the dialog's state
// after each, the button that closes it and what Zirel.ini holds afterwards.
#include <gtest/gtest.h>

#include "dialog_art_ids.h"
#include "scenario.h"
#include "settings_dialog_ids.h"
#include "settings_file.h"

namespace {

using namespace zirel::dialog;

// The dialog (id 0) or one of its controls.
HWND Item(int id, HWND dialog = zt::WaitForWindow(zt::kDialogTitle, zt::kStartMs))
{
    return !id ? dialog : GetDlgItem(dialog, id) ? GetDlgItem(dialog, id) : GetDlgItem(GetDlgItem(dialog, kIdPanel), id);
}

std::string Text(int id)
{
    char text[300] = {};
    GetWindowTextA(Item(id), text, sizeof(text));
    return text;
}

// The colour at a point of a window's client area, 0xRRGGBB written in decimal.
std::string Pixel(int id, int x, int y)
{
    POINT at{x, y};
    ClientToScreen(Item(id), &at);
    return " " + std::to_string(zt::CaptureRect(RECT{at.x, at.y, at.x + 1, at.y + 1}).At(0, 0));
}

// Notes the marked option (-1: none) with R and F for an enabled track box and "...", the id of
// the control with the focus (this thread shares the dialog's input) and the file label.
void State(zt::Run& run)
{
    const int marked = Text(kIdOptionImage) == "marked" ? 0 : Text(kIdOptionImage + 1) == "marked" ? 1 : Text(kIdOptionImage + 2) == "marked" ? 2 : -1;
    const HWND focus = GetParent(GetFocus()) == Item(kIdRepeat) ? Item(kIdRepeat) : GetFocus();  // the combo's edit
    run.seen.push_back(std::to_string(marked) + (IsWindowEnabled(Item(kIdRepeat)) ? "R" : "") + (IsWindowEnabled(Item(kIdFileButton)) ? "F " : " ") + std::to_string(GetDlgCtrlID(focus)) + " " + Text(kIdFileName));
}

// Once the dialog is up: its state, the panel's colour and its heading frame's, its client size,
// track list and background's light middle, the picture for the README; then "3.5" typed into
// the track box and, without Zirel.ini, a click on the link.
void Opened(zt::Run& run)
{
    RECT client{}, window{};
    GetClientRect(Item(0), &client);
    GetWindowRect(Item(0), &window);
    AttachThreadInput(GetCurrentThreadId(), run.program.ThreadId(), TRUE);
    zt::Pump(700);
    State(run);
    run.seen.push_back("panel" + Pixel(kIdPanel, 300, 10) + Pixel(kIdPanel, 20, 30) + ", " + std::to_string(client.right) + "x" + std::to_string(client.bottom) + " " + std::to_string(SendMessageW(Item(kIdRepeat), CB_GETCOUNT, 0, 0)) + Pixel(0, 488, 123));
    zt::SaveArtifact(zt::CaptureRect(window), "settings-dialog.bmp");  // the last row's is kept
    SendMessageA(Item(kIdRepeat), WM_SETTEXT, 0, LPARAM("3.5"));
    run.row.ini.empty() && PostMessageW(Item(kIdLink), WM_LBUTTONDOWN, 0, 0) && PostMessageW(Item(kIdLink), WM_LBUTTONUP, 0, 0);
}

// Before the start: a music folder, Wine's own frames for the picture, a stand-in for the browser
// that writes down what it was given, and for a row that names a folder, a copy of the program
// whose panel texture is spoilt (Wine keeps a deleted resource).
void Prepare(zt::Run& run)
{
    CreateDirectoryA(run.dir.File("music").c_str(), nullptr);
    run.dir.Write("music\\a.mp3", "ID3") && run.dir.Write("music\\b.wav", "RIFF");
    RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\X11 Driver", "Managed", REG_SZ, "N", 2);
    const std::string browser = "cmd.exe /c echo %1>\"" + run.dir.File("opened.txt") + "\"";
    RegSetKeyValueA(HKEY_CLASSES_ROOT, "https\\shell\\open\\command", nullptr, REG_SZ, browser.c_str(), DWORD(browser.size() + 1));
    const HANDLE update = run.row.ini.find("music\\\r") != std::string::npos ? BeginUpdateResourceA(run.dir.File("Zirel.scr").c_str(), FALSE) : nullptr;
    UpdateResourceA(update, RT_BITMAP, MAKEINTRESOURCEA(IDB_PANEL_TEXTURE), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), const_cast<char*>("no"), 2) && EndUpdateResourceA(update, FALSE);
}

// A press and release on a control (id 0: Tab on the one with the focus), or a click on "..."
// with the file chooser then answered (IDOK: a bare name, found where it opens) or cancelled
// (IDCANCEL); then the state.
template <int id, UINT press>
void Press(zt::Run& run)
{
    const HWND target = id ? Item(id) : GetFocus();
    id == kIdFileButton ? PostMessageW(Item(0), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0) : PostMessageW(target, press, id ? 0 : VK_TAB, 0) && PostMessageW(target, press + 1, id ? 0 : VK_TAB, 0);
    const HWND chooser = id == kIdFileButton ? zt::WaitForWindow(nullptr, 5000, "#32770") : nullptr;
    zt::Pump(chooser ? 500 : 300);
    SetDlgItemTextA(chooser, 0x47c, "b.wav");  // cmb13, the name box
    chooser && PostMessageW(chooser, WM_COMMAND, press, 0);
    zt::Pump(chooser ? 500 : 0);
    State(run);
}

std::string Ini(const char* kind, const char* repeat, const char* file)
{
    return std::string("[Section]\r\n") + kKeyBgmKind + "=" + kind + "\r\n" + kKeyBgmRepeat + "=" + repeat + "\r\n" + kKeyBgmFile + "=" + file + "\r\n";
}

TEST(SettingsDialog, OpensAsZirelAndAnswersEveryPress)
{
    const zt::Step prepare{.act = Prepare}, start{zt::kStart}, opened{.act = Opened}, tab{.act = Press<0, WM_KEYDOWN>};
    const zt::Step set{WM_COMMAND, MAKEWPARAM(kIdSet, BN_CLICKED)}, cancel{WM_COMMAND, MAKEWPARAM(kIdCancel, BN_CLICKED)};
    const std::string looks = "\npanel 14474462 0, 496x246 31 14474490\n", a = "%DIR%\\music\\a.mp3\\", b = "%DIR%\\music\\b.wav";
    // Seen: the state at opening and after each press (see State), what Opened notes, the end, then the file's lines.
    const zt::Scenario rows[] = {
        {"FileOptionsFocusChooser", "Zirel.scr /c", Ini(" 2", " 3", a.c_str()), "", zt::kRenderer, zt::kDialogTitle,
         {prepare, start, opened, tab, tab, tab, tab, {.act = Press<kIdFileButton, IDOK>}, {.act = Press<kIdFileButton, IDCANCEL>}, {.act = Press<kIdOptionImage + 0, WM_RBUTTONDOWN>},
          {.act = Press<kIdOptionImage + 2, WM_LBUTTONDOWN>}, {.act = Press<kIdOptionLabel + 1, WM_MBUTTONDOWN>}, tab, set},
         zt::Lines("2F 1000 " + a + looks + "2F 1040 " + a + "\n2F 1060 " + a + "\n2F 1061 " + a + "\n2F 1000 " + a + "\n2F 1000 " + b + "\n2F 1000 " + b + "\n0 1000 " + b + "\n2F 1000 " + b +
                   "\n1R 1000 " + b + "\n1R 1030 " + b + "\nexit 0\n" + Ini("1", "4", b.c_str())), "", {}, "Zirel.ini"},
        {"FolderWithoutTexture", "Zirel.scr /c", Ini(" 2", " 3", "%DIR%\\music\\"), "", zt::kRenderer, zt::kDialogTitle, {prepare, start, opened, cancel},
         zt::Lines("0 1000 \npanel 14737632 0, 496x246 31 14474490\nexit 0\n" + Ini(" 2", " 3", "%DIR%\\music\\")), "", {}, "Zirel.ini"},
        {"BackslashAndUnknownKind", "Zirel.scr /c", Ini(" 5", " 3", "\\"), "", zt::kRenderer, zt::kDialogTitle, {prepare, start, opened, set},
         zt::Lines("-1 1000 " + looks + "exit 0\n" + Ini("5", "4", "")), "", {}, "Zirel.ini"},
        {"NoSettingsAndTheLink", "Zirel.scr /c", "", "", zt::kRenderer, zt::kDialogTitle, {prepare, start, opened, {zt::kSleep, 1000}, cancel},
         zt::Lines("0 1000 " + looks + "exit 0\nhttps://zirel.example/"), "", {}, "opened.txt"},
    };
    for (const zt::Scenario& row : rows) {
        SCOPED_TRACE(row.name);
        zt::RunScenario(row);
    }
    const char wine[] = "\"C:\\windows\\system32\\winebrowser.exe\" \"%1\"";  // Wine's own handler back
    RegSetKeyValueA(HKEY_CLASSES_ROOT, "https\\shell\\open\\command", nullptr, REG_SZ, wine, sizeof(wine));
    RegDeleteKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\X11 Driver", "Managed");
}

}  // namespace
