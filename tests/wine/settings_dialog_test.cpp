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

// `text` in UTF-8.
std::string Utf8(const wchar_t* text)
{
    char out[300] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out, sizeof(out), nullptr, nullptr);
    return out;
}

// Notes the marked option (-1: none), the id of the control with the focus (this thread shares
// the dialog's input; 1001 is the track box's edit) and the file label.
void State(Run& run)
{
    int marked = 2;
    while (marked >= 0 && GetWindowTextLengthW(Item(kIdOptionImage + marked)) != 6)
        --marked;  // "marked", not "unmarked"
    char file[300] = {};
    GetWindowTextA(Item(kIdFileName), file, sizeof(file));
    run.seen.push_back(std::to_string(marked) + " " + std::to_string(GetDlgCtrlID(GetFocus())) +
                       " " + file);
}

// Once the dialog is up: its state.
void Opened(Run& run)
{
    AttachThreadInput(GetCurrentThreadId(), run.program.dwThreadId, TRUE);
    Pump(700);
    State(run);
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
// then its title and filter, and the state.
template <int answer>
void Choose(Run& run)
{
    HWND chooser = nullptr;
    PostMessageW(Item(0), WM_COMMAND, MAKEWPARAM(kIdFileButton, BN_CLICKED), 0);
    Until([&] { return chooser = FindWindowA("#32770", nullptr); }, 5000);
    Pump(500);
    wchar_t title[64] = {}, filter[64] = {};
    GetWindowTextW(chooser, title, 64);
    GetDlgItemTextW(chooser, 0x470, filter, 64);  // cmb1, the file types
    SetDlgItemTextA(chooser, 0x47c, "sound.wav");  // cmb13, the name box
    PostMessageW(chooser, WM_COMMAND, answer, 0);
    Pump(500);
    run.seen.push_back(Utf8(title) + ", " + Utf8(filter));
    State(run);
}

// The user's own copy of the settings, %APPDATA%\Zirel\Zirel.ini; "Zirel" a file, where a
// folder cannot be made.
const std::string kUsersFolder = std::getenv("APPDATA") + std::string("\\Zirel");

// Notes the user's copy, "user's: none" where there is none, and removes it.
void UsersCopy(Run& run)
{
    const std::string text = Read(kUsersFolder + "\\Zirel.ini");
    run.seen.push_back(text.empty() ? "user's: none" : "user's:");
    for (const std::string& line : Lines(text))
        run.seen.push_back(line);
    std::filesystem::remove_all(kUsersFolder);
}

// The message box's text (none: "no message"), answered.
void Message(Run& run)
{
    HWND box = nullptr;
    Until([&] { return box = FindWindowA("#32770", "Zirel"); }, 1500);
    wchar_t text[64] = {};
    GetDlgItemTextW(box, 0xffff, text, 64);  // its text, the static with no id of its own
    run.seen.push_back(box ? Utf8(text) : "no message");
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

void OwnCopyOfKindOne(Run&)
{
    std::filesystem::create_directory(kUsersFolder);
    std::ofstream(kUsersFolder + "\\Zirel.ini") << Ini("1", "0", "");
}

void NothingWritable(Run& run)
{
    std::ofstream(kUsersFolder) << "a file where the folder would be";
    ReadOnly(run);
}

// Where the choice goes: beside the programs when it can, else to the user's copy, which is then
// read in its place. Files, loads and the music of the next run are seen.
TEST(SettingsDialog, SavesTheChoiceWhereItCan)
{
    const Step set(WM_COMMAND, kIdSet);  // a click: BN_CLICKED is 0
    const Step ends(kEnds, 5000);
    const Step none = Press<kIdOptionImage + 0, WM_LBUTTONDOWN>;
    const Step wav = Press<kIdOptionImage + 2, WM_LBUTTONDOWN>;
    const std::string file = "%DIR%\\sound.wav";
    const Scenario rows[] = {
        // An earlier copy of the user's is read, then removed by a save beside the programs.
        Scenario("WritableFolder", "Zirel.scr /c", Ini(" 2", " 0", "song.mp3"), "", kRenderer,
                 kDialogTitle, {Opened, none, set, Message, ends, UsersCopy},
                 "1 1000 \n0 1000 \nno message\nexit 0\nuser's: none\nexit 0\n" + Ini("0", "0", ""),
                 "Zirel.ini", OwnCopyOfKindOne),
        // The next run plays the choice kept in the user's copy; the file beside is as it was.
        Scenario("ReadOnlyFolder", "Zirel.scr /c", Ini(" 0", " 0", ""), "", kRenderer | kSound,
                 kDialogTitle,
                 {Opened, Choose<IDOK>, wav, set, Message, ends, RunTheSaver, ends, UsersCopy},
                 "0 1000 \nOpen File, Music files (MP3 WAV)\n0 1000 " + file + "\n2 1000 " + file +
                     "\nno message\nexit 0\ntone\nexit 0\nuser's:\n" + Ini("2", "0", file) +
                     "exit 0\n" + Ini(" 0", " 0", ""),
                 "Zirel.ini", ReadOnly),
    };
    for (const Scenario& row : rows) {
        SCOPED_TRACE(row.name);
        RunScenario(row);
    }
}

// The program that opens web addresses: a stand-in that adds the address it is given to the end
// of Zirel.ini, or Wine's own.
template <bool standIn>
void Browser(Run&)
{
    const std::string command = standIn ? "cmd.exe /c echo %1>>Zirel.ini"
                                        : "\"C:\\windows\\system32\\winebrowser.exe\" \"%1\"";
    RegSetKeyValueA(HKEY_CLASSES_ROOT, "https\\shell\\open\\command", nullptr, REG_SZ,
                    command.c_str(), DWORD(command.size() + 1));
}

// The pointer's cursor over the panel, then over the link: "hand" where they differ. Then a
// press on the link released beside it, and a click: only the click opens its address.
void Link(Run& run)
{
    HCURSOR shown[2] = {};
    for (int i : {0, 1}) {
        RECT r{};
        GetWindowRect(Item(i ? kIdLink : kIdPanel), &r);
        SetCursorPos(r.left + 5, r.top + 5);
        Pump(300);
        CURSORINFO cursor{sizeof(cursor)};
        GetCursorInfo(&cursor);
        shown[i] = cursor.hCursor;
    }
    run.seen.push_back(shown[0] != shown[1] ? "hand" : "arrow");
    for (LPARAM at : {MAKELPARAM(-5, 5), MAKELPARAM(5, 5)}) {
        PostMessageW(Item(kIdLink), WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(Item(kIdLink), WM_LBUTTONUP, 0, at);
    }
    Pump(2000);
    Browser<false>(run);
}

TEST(SettingsDialog, OpensAsZirelAndAnswersEveryPress)
{
    const auto tab = Press<0, WM_KEYDOWN>;
    const std::string a = "%DIR%\\song.mp3\\";
    const std::string b = "%DIR%\\sound.wav";
    const std::string chooser = "\nOpen File, Music files (MP3 WAV)\n";
    // Seen: what Opened notes, what is heard, the state after each press, the end, then Zirel.ini.
    const Scenario row(
        "FileOptionsFocusAndChooser", "Zirel.scr /c", Ini(" 2", " 3", a), "", kRenderer | kSound,
        kDialogTitle,
        {Opened, Listen, tab, tab, tab, tab, Choose<IDOK>, Choose<IDCANCEL>,
         Press<kIdOptionImage + 0, WM_RBUTTONDOWN>, Press<kIdOptionImage + 2, WM_LBUTTONDOWN>,
         Press<kIdOptionLabel + 1, WM_MBUTTONDOWN>, tab, tab,
         Step(WM_COMMAND, kIdSet)},
        "2 1000 " + a + "\nsilence\n2 1040 " + a + "\n2 1060 " + a + "\n2 1061 " + a + "\n2 1000 " +
            a + chooser + "2 1000 " + b + chooser + "2 1000 " + b + "\n0 1000 " + b + "\n2 1000 " +
            b + "\n1 1000 " + b + "\n1 1001 " + b + "\n1 1060 " + b + "\nexit 0\n" +
            Ini("1", "3", b),
        "Zirel.ini");
    RunScenario(row);
}

// The language of this run, as Wine takes it from LC_ALL (run.sh plays the rows below in each):
// the dialog's too.
const bool kJapanese = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
const std::string kLanguage = kJapanese ? "-ja" : "-en";

// How many pixels of picture `name` (in the artifacts' folder; `parts` side by side where given)
// differ from its reference by more than font smoothing makes them.
std::string Compare(const std::string& name, const std::string& parts = "")
{
    const std::string answer = std::getenv("ZIREL_ARTIFACTS") + std::string("\\compare");
    return AskRunSh("compare " + name + " " + parts, answer);
}

// No two of the dialog's windows overlap and each lies in its parent's client area, the labels
// sized to their texts in the dialog's font among them; then the dialog's picture n.
template <int n>
void Picture(Run& run)
{
    std::vector<HWND> all;
    const auto add = [](HWND w, LPARAM to) { return ((std::vector<HWND>*)to)->push_back(w), 1; };
    EnumChildWindows(Item(0), add, LPARAM(&all));
    int faults = 0;
    for (HWND a : all) {
        RECT r{}, area{}, cut{};
        GetWindowRect(a, &r);
        GetClientRect(GetParent(a), &area);
        MapWindowPoints(GetParent(a), nullptr, reinterpret_cast<POINT*>(&area), 2);
        faults += SubtractRect(&cut, &r, &area);
        for (HWND b = a; (b = GetWindow(b, GW_HWNDNEXT)) && GetWindowRect(b, &area);)
            faults += IntersectRect(&cut, &r, &area);  // a sibling's
    }
    const std::string name = "settings-dialog" + kLanguage + std::to_string(n) + ".png";
    SaveArtifact(Item(0), name);
    run.seen.push_back(std::to_string(faults) + " out of place, picture " + Compare(name));
}

// The "..." button's face n (0 disabled, 1 normal, 2 under the pointer, 3 pressed); after the
// last, the four side by side against their reference.
template <int n>
void Face(Run& run)
{
    RECT r{};
    GetWindowRect(Item(kIdFileButton), &r);
    if (n == 2)
        SetCursorPos(r.left + 5, r.top + 5);
    if (n == 3)
        PostMessageW(Item(kIdFileButton), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    Pump(300);
    SaveArtifact(Item(kIdFileButton), "face-" + std::to_string(n) + ".png");
    if (n == 3)
        run.seen.push_back("faces " + Compare("button-faces" + kLanguage + ".png", "face-?.png"));
}

// The scale, in dots per inch, that Wine gives each program as it starts.
template <DWORD dpi>
void Scale(Run&)
{
    const DWORD value = dpi;
    RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD, &value, 4);
}

// What the user reads, in the language of the run: the dialog at 100 % and 200 % and its button
// faces as pictures, the chooser's title and filter, both messages. A folder is no music file;
// the cursor and the click of the link; Zirel.ini written the same in either language.
TEST(SettingsDialog, InEachLanguage)
{
    const std::string b = "%DIR%\\sound.wav";
    const std::string chooser = kJapanese ? "ﾌｧｲﾙを開く, BGMﾌｧｲﾙ (MP3 WAV)"
                                          : "Open File, Music files (MP3 WAV)";
    const std::string missing = kJapanese ? "Zirel.dll が同じﾌｫﾙﾀﾞに見つかりません！"
                                          : "Zirel.dll cannot be found in the same folder!";
    const std::string unsaved =
        kJapanese ? "設定を保存できませんでした。" : "The settings could not be saved.";
    const Step set(WM_COMMAND, kIdSet);  // a click: BN_CLICKED is 0
    const Scenario rows[] = {
        Scenario("Pictures", "Zirel.scr /c", Ini(" 2", " 7", "%DIR%\\"), "", kRenderer,
                 kDialogTitle,
                 {Opened, Picture<0>, Face<0>, Press<kIdOptionImage + 1, WM_LBUTTONDOWN>,
                  Picture<1>, Press<kIdOptionLabel + 2, WM_LBUTTONDOWN>, Picture<2>, Link,
                  Face<1>, Face<2>, Face<3>, Choose<IDOK>, set},
                 "0 1000 \n0 out of place, picture 0\n1 1000 \n0 out of place, picture 0\n"
                 "2 1000 \n0 out of place, picture 0\nhand\nfaces 0\n" +
                     chooser + "\n2 1040 " + b + "\nexit 0\n" + Ini("2", "7", b) +
                     "https://zirel.example/",
                 "Zirel.ini", Browser<true>),
        Scenario("AtTwoHundredPercent", "Zirel.scr /c", Ini(" 1", " 7", b), "", kRenderer,
                 kDialogTitle, {Scale<96>, Opened, Picture<3>, Step(WM_COMMAND, kIdCancel)},
                 "1 1000 " + b + "\n0 out of place, picture 0\nexit 0\n" + Ini(" 1", " 7", b),
                 "Zirel.ini", Scale<192>),
        // Named by the language: a read-only folder stays till run.sh ends.
        Scenario(kJapanese ? "NeitherWritableJa" : "NeitherWritable", "Zirel.scr /c",
                 Ini(" 2", " 0", "song.mp3"), "", kRenderer, kDialogTitle,
                 {Opened, set, Message, UsersCopy},
                 "2 1000 song.mp3\n" + unsaved + "\nuser's: none\nexit 0\n" +
                     Ini(" 2", " 0", "song.mp3"),
                 "Zirel.ini", NothingWritable),
        Scenario("MissingRenderer", "Zirel.scr /c", "", "", 0, "Zirel", {Message},
                 missing + "\nexit 0\n"),
    };
    for (const Scenario& row : rows) {
        SCOPED_TRACE(row.name);
        RunScenario(row);
    }
}

}  // namespace
