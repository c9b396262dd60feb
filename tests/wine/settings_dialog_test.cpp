// Zirel.scr /c under Wine, as scenario rows: presses on the dialog's controls, the dialog's state
// after each, the button that closes it and what Zirel.ini holds afterwards.
#include <gtest/gtest.h>

#include "scenario.h"
#include "settings_dialog_ids.h"

namespace {

using namespace zirel::dialog;
using namespace zt;

// The dialog (id 0) or one of its controls, the panel's included.
HWND Item(int id)
{
    const HWND dialog = FindWindowA(nullptr, kDialogTitle);
    const HWND item = id ? GetDlgItem(dialog, id) : dialog;
    return item ? item : GetDlgItem(GetDlgItem(dialog, kIdPanel), id);
}

// Notes the marked option (-1: none), the id of the control with the focus (this thread shares
// the dialog's input; 1001 is the track box's edit) and the file label.
void State(Run& run)
{
    int marked = 2;
    while (marked >= 0 && GetWindowTextLengthA(Item(kIdOptionImage + marked)) != 6)
        --marked;  // "marked", not "unmarked"
    wchar_t file[300] = {};
    GetWindowTextW(Item(kIdFileName), file, 300);
    run.seen.push_back(std::to_string(marked) + " " + std::to_string(GetDlgCtrlID(GetFocus())) +
                       " " + U8(file));
}

// Once the dialog is up: its state, the colour of the panel (0xBBGGRR in decimal) and the picture
// for the README.
void Opened(Run& run)
{
    POINT panel{300, 10};
    ClientToScreen(Item(kIdPanel), &panel);
    AttachThreadInput(GetCurrentThreadId(), run.program.dwThreadId, TRUE);
    Pump(700);
    State(run);
    HDC screen = GetDC(nullptr);
    run.seen.push_back("panel " + std::to_string(GetPixel(screen, panel.x, panel.y)));
    ReleaseDC(nullptr, screen);
    SaveArtifact(Item(0), "settings-dialog.png");  // the last row's is kept
}

// A press and release on a control (id 0: Tab, which the dialog's loop takes), then the state.
template <int id, UINT press>
void Press(Run& run)
{
    PostMessageW(Item(id), press, id ? 0 : VK_TAB, 0);
    PostMessageW(Item(id), press + 1, id ? 0 : VK_TAB, 0);
    Pump(300);
    State(run);
}

// A click on "..." and the file chooser's `answer` (IDOK: a bare name, found where it opens),
// then the state.
template <int answer>
void Choose(Run& run)
{
    HWND chooser = nullptr;
    PostMessageW(Item(0), WM_COMMAND, MAKEWPARAM(kIdFileButton, BN_CLICKED), 0);
    Until([&] { return chooser = FindWindowA("#32770", nullptr); }, 5000);
    Pump(500);
    SetDlgItemTextA(chooser, 0x47c, "sound.wav");  // cmb13, the name box
    PostMessageW(chooser, WM_COMMAND, answer, 0);
    Pump(500);
    State(run);
}

// The user's own copy of the settings, %APPDATA%\Zirel\Zirel.ini, where the rows' programs have
// an application-data folder named in Japanese; "Zirel" a file, where a folder cannot be made.
const std::string kAppData = std::getenv("APPDATA") + std::string("\\山田");
const std::string kUsersFolder = kAppData + "\\Zirel";

// Notes the user's copy, "user's: none" where there is none, and removes it.
void UsersCopy(Run& run)
{
    const std::string text = Read(kUsersFolder + "\\Zirel.ini");
    run.seen.push_back(text.empty() ? "user's: none" : "user's:");
    for (const std::string& line : Lines(text))
        run.seen.push_back(line);
    std::filesystem::remove_all(P(kUsersFolder));
}

// The message the dialog shows on "設定" (none: "no message"), answered.
void Message(Run& run)
{
    HWND box = nullptr;
    Until([&] { return box = FindWindowA("#32770", "Zirel"); }, 1500);
    wchar_t text[64] = {};
    GetDlgItemTextW(box, 0xffff, text, 64);  // its text, the static with no id of its own
    const bool cannotSave = std::wstring(text) == L"設定を保存できませんでした。";
    run.seen.push_back(!box         ? "no message"
                       : cannotSave ? "設定を保存できませんでした。"
                                    : "another");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

// The saver started as Windows does, listened to, and ended by a key.
void RunTheSaver(Run& run)
{
    CloseHandle(run.program.hProcess);
    run.program = Start(run, "Zirel.scr /s");
    Until([] { return FindWindowA(nullptr, kRendererTitle); }, kStartMs);
    Listen(run);
    PostMessageA(FindWindowA(nullptr, kRendererTitle), WM_KEYDOWN, 'A', 0);
}

// Programs in a folder named in Japanese, and an earlier copy of the user's.
void OwnCopyOfKindOne(Run& run)
{
    InAJapaneseFolder(run);
    std::filesystem::create_directory(P(kUsersFolder));
    std::ofstream(P(kUsersFolder + "\\Zirel.ini")) << Ini("1", "0", "");
}

void NothingWritable(Run& run)
{
    std::ofstream(P(kUsersFolder)) << "a file where the folder would be";
    ReadOnly(run);
}

// Where the choice goes: beside the programs when it can, else to the user's copy, which is then
// read in its place; neither: a message. Files, loads and the music of the next run are seen.
TEST(SettingsDialog, SavesTheChoiceWhereItCan)
{
    // NOTE: Wine replaces an APPDATA set on the Linux side; this process's reaches its children.
    std::filesystem::create_directory(P(kAppData));
    SetEnvironmentVariableW(L"APPDATA", P(kAppData).c_str());
    const Step set(WM_COMMAND, MAKEWPARAM(kIdSet, BN_CLICKED));
    const Step ends(kEnds, 5000);
    const Step none = Press<kIdOptionImage + 0, WM_LBUTTONDOWN>;
    const Step wav = Press<kIdOptionImage + 2, WM_LBUTTONDOWN>;
    const std::string file = "%DIR%\\sound.wav";
    const Scenario rows[] = {
        // An earlier copy of the user's is read, then removed by a save beside the programs; the
        // music file, in the folder named in Japanese, is kept by its short form.
        Scenario("WritableFolder", "Zirel.scr /c", Ini(" 2", " 0", "song.mp3"), "", kRenderer,
                 kDialogTitle, {Opened, Choose<IDOK>, set, Message, ends, UsersCopy},
                 "1 1000 \npanel 14605532\n1 1000 %DIR%\\sound.wav\nno message\nexit 0\n"
                 "user's: none\nexit 0\n" +
                     Ini("1", "0", "%SHORT%\\sound.wav"),
                 "Zirel.ini", OwnCopyOfKindOne),
        // The next run plays the choice kept in the user's copy; the file beside is as it was.
        Scenario("ReadOnlyFolder", "Zirel.scr /c", Ini(" 0", " 0", ""), "", kRenderer | kSound,
                 kDialogTitle,
                 {Opened, Choose<IDOK>, wav, set, Message, ends, RunTheSaver, ends, UsersCopy},
                 "0 1000 \npanel 14605532\n0 1000 " + file + "\n2 1000 " + file +
                     "\nno message\nexit 0\ntone\nexit 0\nuser's:\n" + Ini("2", "0", file) +
                     "exit 0\n" + Ini(" 0", " 0", ""),
                 "Zirel.ini", ReadOnly),
        Scenario("NeitherWritable", "Zirel.scr /c", Ini(" 2", " 0", "song.mp3"), "", kRenderer,
                 kDialogTitle, {Opened, none, set, Message, UsersCopy},
                 "2 1000 song.mp3\npanel 14605532\n0 1000 song.mp3\n"
                 "設定を保存できませんでした。\nuser's: none\nexit 0\n" +
                     Ini(" 2", " 0", "song.mp3"),
                 "Zirel.ini", NothingWritable),
    };
    for (const Scenario& row : rows) {
        SCOPED_TRACE(row.name);
        RunScenario(row);
    }
    SetEnvironmentVariableW(L"APPDATA", P(std::getenv("APPDATA")).c_str());
    std::filesystem::remove_all(P(kAppData));
}

TEST(SettingsDialog, OpensAsZirelAndAnswersEveryPress)
{
    const auto tab = Press<0, WM_KEYDOWN>;
    const std::string a = "%DIR%\\song.mp3\\";
    const std::string b = "%DIR%\\sound.wav";
    // Seen: what Opened notes, what is heard (the first row), the state after each press, the
    // end, then Zirel.ini.
    const Scenario rows[] = {
        Scenario(
            "FileOptionsFocusAndChooser", "Zirel.scr /c", Ini(" 2", " 3", a), "",
            kRenderer | kSound, kDialogTitle,
            {Opened, Listen, tab, tab, tab, tab, Choose<IDOK>, Choose<IDCANCEL>,
             Press<kIdOptionImage + 0, WM_RBUTTONDOWN>, Press<kIdOptionImage + 2, WM_LBUTTONDOWN>,
             Press<kIdOptionLabel + 1, WM_MBUTTONDOWN>, tab,
             Step(WM_COMMAND, MAKEWPARAM(kIdSet, BN_CLICKED))},
            "2 1000 " + a + "\npanel 14605532\nsilence\n2 1040 " + a + "\n2 1060 " + a +
                "\n2 1061 " + a + "\n2 1000 " + a + "\n2 1000 " + b + "\n2 1000 " + b +
                "\n0 1000 " + b + "\n2 1000 " + b + "\n1 1000 " + b + "\n1 1001 " + b +
                "\nexit 0\n" + Ini("1", "3", b),
            "Zirel.ini"),
        // A folder is no music file; "ｷｬﾝｾﾙ" leaves Zirel.ini as it was. The picture of this row
        // is the README's.
        Scenario("OpensAsZirelWithAFolder", "Zirel.scr /c", Ini(" 0", " 0", "%DIR%\\"), "",
                 kRenderer, kDialogTitle,
                 {Opened, Step(WM_COMMAND, MAKEWPARAM(kIdCancel, BN_CLICKED))},
                 "0 1000 \npanel 14605532\nexit 0\n" + Ini(" 0", " 0", "%DIR%\\"), "Zirel.ini"),
    };
    for (const Scenario& row : rows) {
        SCOPED_TRACE(row.name);
        RunScenario(row);
    }
}

}  // namespace
