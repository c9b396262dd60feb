// Zirel.scr /c under Wine, as scenario rows: presses on the dialog's controls, its pictures, the
// button that closes it and what Zirel.ini holds afterwards.
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

// Notes the marked option (-1: none) and the file label. (The pictures show both too.)
void State(Run& run)
{
    int marked = 2;
    while (marked >= 0 && GetWindowTextLengthW(Item(kIdOptionImage + marked)) != 6)
        --marked;  // "marked", not "unmarked"
    wchar_t file[300] = {};
    GetWindowTextW(Item(kIdFileName), file, 300);
    run.seen.push_back(std::to_string(marked) + " " + U8(file));
}

// Once the dialog is up and drawn.
const Step kOpened = Wait(700);

// A click on a control.
template <int id>
void Click(Run&)
{
    PostMessageW(Item(id), WM_LBUTTONDOWN, 0, 0);
    PostMessageW(Item(id), WM_LBUTTONUP, 0, 0);
    Pump(300);
}

// A click on "..." and a bare name chosen, found where the chooser opens; then the state.
void Choose(Run& run)
{
    HWND chooser = nullptr;
    PostMessageW(Item(0), WM_COMMAND, MAKEWPARAM(kIdFileButton, BN_CLICKED), 0);
    EXPECT_TRUE(Until([&] { return chooser = FindWindowA("#32770", nullptr); }, 5000));
    Pump(500);
    SetDlgItemTextA(chooser, 0x47c, "sound.wav");  // cmb13, the name box
    PostMessageW(chooser, WM_COMMAND, IDOK, 0);
    Pump(500);
    State(run);
}

// The music file the chooser chooses.
const string kWave = "%DIR%\\sound.wav";

// The user's own copy of the settings, %APPDATA%\Zirel\Zirel.ini.
string UsersFolder()
{
    wchar_t appData[MAX_PATH] = {};
    GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH);
    return U8(appData) + "\\Zirel";
}

// Notes the user's copy, "user's: none" where there is none, and removes it.
void UsersCopy(Run& run)
{
    const string text = Read(UsersFolder() + "\\Zirel.ini");
    run.seen.push_back(text.empty() ? "user's: none" : "user's:\n" + text);
    std::filesystem::remove_all(P(UsersFolder()));
}

// The message box's text (none: "no message"), answered.
void Message(Run& run)
{
    HWND box = nullptr;
    wchar_t text[100] = {};
    Until([&] { return box = FindWindowA("#32770", "Zirel"); }, 1000);
    GetDlgItemTextW(box, 0xffff, text, 100);  // its text, the static with no id of its own
    run.seen.push_back(box ? U8(text) : "no message");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

// Programs in a folder named in Japanese, and an earlier copy of the user's.
void OwnCopyOfKindOne(Run& run)
{
    InAJapaneseFolder(run);
    std::filesystem::create_directory(P(UsersFolder()));
    std::ofstream(P(UsersFolder() + "\\Zirel.ini")) << Ini("1", "0", "");
}

// Neither Zirel.ini beside the programs nor the user's copy writable ("Zirel" a file, where its
// folder cannot be made), at 200 % (the scale Wine gives each program as it starts) till picture
// 3 has been taken.
void NothingWritableAt200(Run& run)
{
    const DWORD dpi = 192;
    RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD, &dpi, 4);
    std::ofstream(P(UsersFolder())) << "a file where the folder would be";
    ReadOnly(run);
}

// Where the choice goes: beside the programs when it can, else to the user's copy, which is then
// read in its place. Seen: the state after the choice, the message, the files.
TEST(SettingsDialog, SavesTheChoiceWhereItCan)
{
    const Step set = Post(WM_COMMAND, kIdSet), ends = Ends(5000);  // a click: BN_CLICKED is 0
    // Its programs have an application-data folder named in Japanese. NOTE: Wine replaces an
    // APPDATA set on the Linux side; this process's reaches its children.
    const string appData = std::getenv("APPDATA") + string("\\山田");
    std::filesystem::create_directory(P(appData));
    SetEnvironmentVariableW(L"APPDATA", P(appData).c_str());
    const Scenario rows[] = {
        // An earlier copy of the user's is read, then removed by a save beside the programs; the
        // music file, in their folder named in Japanese, is kept by its short form.
        Scenario("WritableFolder", "Zirel.scr /c", Ini(" 2", " 0", "song.mp3"), kRenderer,
                 kDialogTitle, {kOpened, Choose, set, Message, ends, UsersCopy},
                 "1 " + kWave + "\nno message\nexit 0\nuser's: none\nexit 0\n" +
                     Ini("1", "0", "%SHORT%\\sound.wav"),
                 "Zirel.ini", OwnCopyOfKindOne),
        // The choice is kept in the user's copy; the file beside is as it was.
        Scenario("ReadOnlyFolder", "Zirel.scr /c", Ini(" 0", " 0", ""), kRenderer, kDialogTitle,
                 {kOpened, Choose, Click<kIdOptionImage + 2>, set, Message, ends, UsersCopy},
                 "0 " + kWave + "\nno message\nexit 0\nuser's:\n" +
                     Ini("2", "0", kWave) + "exit 0\n" + Ini(" 0", " 0", ""),
                 "Zirel.ini", ReadOnly),
    };
    for (const Scenario& row : rows) {
        SCOPED_TRACE(row.name);
        RunScenario(row);
    }
    SetEnvironmentVariableW(L"APPDATA", P(std::getenv("APPDATA")).c_str());
    std::filesystem::remove_all(P(appData));
}

// The language of this run, as Wine takes it from LC_ALL (run.sh plays the rows below in each):
// the dialog's too.
const bool kJapanese = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
const string kLanguage = kJapanese ? "-ja" : "-en";

// The dialog's picture n: how many of its pixels differ. Picture 3 is the one at 200 %, after
// which programs start at 100 % again.
template <int n>
void Picture(Run& run)
{
    if (n == 3)
        RegDeleteKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels");
    run.seen.push_back(
        Compare(Item(0), "settings-dialog" + kLanguage + std::to_string(n) + ".png"));
}

// The "..." button's face n (0 disabled, 1 normal, 2 under the pointer, 3 pressed); after the
// last, how many pixels of the four side by side differ.
template <int n>
void Face(Run& run)
{
    PostMessageW(Item(kIdFileButton), n == 3 ? WM_LBUTTONDOWN : WM_NULL, MK_LBUTTON, 0);
    Pump(300);
    SaveArtifact(Item(kIdFileButton), "face-" + std::to_string(n) + ".png");
    if (n == 3)
        run.seen.push_back(Compare(nullptr, "button-faces" + kLanguage + ".png", "face-?.png"));
}

// What the user reads, in the language of the run: the dialog at 100 % and 200 % and its button
// faces as pictures, both messages. A folder is no music file; Zirel.ini written and read the
// same in either language.
TEST(SettingsDialog, InEachLanguage)
{
    const Step set = Post(WM_COMMAND, kIdSet);  // a click: BN_CLICKED is 0
    const Scenario rows[] = {
        Scenario("NeitherWritable", "Zirel.scr /c", Ini(" 1", " 7", kWave), kRenderer,
                 kDialogTitle, {kOpened, Picture<3>, set, Message, UsersCopy},
                 "0\n" +
                     string(kJapanese ? "設定を保存できませんでした。"
                                      : "The settings could not be saved.") +
                     "\nuser's: none\nexit 0\n" + Ini(" 1", " 7", kWave),
                 "Zirel.ini", NothingWritableAt200),
        Scenario(
            "Pictures", "Zirel.scr /c", Ini(" 2", " 7", "%DIR%\\"), kRenderer, kDialogTitle,
            {kOpened, Picture<0>, Face<0>, Click<kIdOptionLabel + 2>, Picture<2>, Face<1>,
             Move(310, 325), Face<2>, Face<3>, set},
            "0\n0\n0\nexit 0\n" + Ini("2", "7", ""),
            "Zirel.ini"),
        Scenario("MissingRenderer", "Zirel.scr /c", "", 0, "Zirel", {Message},
                 string(kJapanese ? "Zirel.dll が同じﾌｫﾙﾀﾞに見つかりません！"
                                  : "Zirel.dll cannot be found in the same folder!") +
                     "\nexit 0\n"),
    };
    for (const Scenario& row : rows) {
        SCOPED_TRACE(row.name);
        RunScenario(row);
    }
}

}  // namespace
