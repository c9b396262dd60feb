// Zirel.scr /c under Wine: the settings dialog's window, its options, what "設定" writes and what
// "ｷｬﾝｾﾙ" does not, the file chooser, and the saver refusing to start beside it.
#include <gtest/gtest.h>

#include <string>

#include "settings_dialog_ids.h"
#include "settings_file.h"
#include "wine_test_support.h"

namespace {

using namespace zirel::dialog;

using zt::kDialogTitle;

class SettingsDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.Copy(zt::DistDir() + "\\Zirel.scr", "Zirel.scr"));
        ASSERT_TRUE(dir.Copy(zt::DistDir() + "\\Zirel.dll", "Zirel.dll"));
        SetCursorPos(5, 5);
    }

    // Writes Zirel.ini (unless `ini` is empty) and opens the dialog.
    HWND Open(const std::string& ini)
    {
        if (!ini.empty() && !dir.Write("Zirel.ini", ini))
            return nullptr;
        const std::string exe = dir.File("Zirel.scr");
        process = zt::Process::Start(exe, "\"" + exe + "\" /c", dir.Path());
        if (!process.Started())
            return nullptr;
        dialog = zt::WaitForWindow(kDialogTitle, 10000);
        zt::Pump(500);
        return dialog;
    }

    static std::string Ini(int kind, const std::string& repeat, const std::string& file)
    {
        return std::string("[Section]\r\n") + kKeyBgmKind + "= " + std::to_string(kind) + "\r\n" + kKeyBgmRepeat +
               "=" + repeat + "\r\n" + kKeyBgmFile + "=" + file + "\r\n";
    }

    HWND Panel() const { return GetDlgItem(dialog, kIdPanel); }
    HWND OnPanel(int id) const { return GetDlgItem(Panel(), id); }

    bool Marked(int i) const
    {
        wchar_t text[32] = {};
        GetWindowTextW(OnPanel(kIdOptionImage + i), text, 32);
        return std::wstring(text) == kOptionMarkedText;
    }
    int MarkedOption() const
    {
        for (int i = 0; i < 3; ++i)
            if (Marked(i))
                return i;
        return -1;
    }
    // A control's text. GetWindowText would only give another process's window caption.
    static std::wstring Text(HWND window)
    {
        wchar_t text[300] = {};
        SendMessageW(window, WM_GETTEXT, 300, LPARAM(text));
        return text;
    }
    bool RepeatEnabled() const { return IsWindowEnabled(OnPanel(kIdRepeat)); }
    bool FileButtonEnabled() const { return IsWindowEnabled(OnPanel(kIdFileButton)); }

    // A press and release of one mouse button over a window, in its client coordinates.
    static void Press(HWND window, bool right)
    {
        const LPARAM at = MAKELPARAM(4, 4);
        PostMessageW(window, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at);
        PostMessageW(window, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
        zt::Pump(300);
    }

    // A usual click on a command button: the pointer moves onto it, presses and releases.
    static void Click(HWND button)
    {
        RECT rect{};
        GetWindowRect(button, &rect);
        SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        const LPARAM at = MAKELPARAM(10, 8);
        PostMessageW(button, WM_MOUSEMOVE, 0, at);
        PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(button, WM_LBUTTONUP, 0, at);
        zt::Pump(300);
    }

    std::string Read(const char* key) const
    {
        char value[256] = {};
        GetPrivateProfileStringA(kSettingsSection, key, "", value, sizeof(value), dir.File("Zirel.ini").c_str());
        return value;
    }

    bool ClosesAndEnds() { return process.WaitExit(8000) && zt::WaitForNoWindow(kDialogTitle, 2000); }

    zt::ScratchDir dir;
    zt::Process process;
    HWND dialog = nullptr;
};

// Under Xvfb no window manager draws title bars; for the screenshot, Wine draws its own. Set for
// the programs started while the object lives, then removed again.
class WineDrawsFrames {
public:
    WineDrawsFrames()
    {
        if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\X11 Driver", 0, nullptr, 0, KEY_SET_VALUE | KEY_QUERY_VALUE,
                            nullptr, &key_, nullptr) != ERROR_SUCCESS)
            return;
        hadValue_ = RegQueryValueExA(key_, "Managed", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
        if (!hadValue_)
            RegSetValueExA(key_, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
    }
    ~WineDrawsFrames()
    {
        if (!key_)
            return;
        if (!hadValue_)
            RegDeleteValueA(key_, "Managed");
        RegCloseKey(key_);
    }

private:
    HKEY key_ = nullptr;
    bool hadValue_ = false;
};

TEST_F(SettingsDialog, OpensAsZirelWithItsSizeAndBackground)
{
    WineDrawsFrames frames;
    ASSERT_NE(Open(""), nullptr);
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, 496);
    EXPECT_EQ(client.bottom, 246);
    EXPECT_EQ(GetWindowLongW(dialog, GWL_STYLE) & WS_THICKFRAME, 0);

    // No Zirel.ini: nothing chosen but "なし", the track box empty with its 31 entries.
    EXPECT_EQ(MarkedOption(), 0);
    EXPECT_FALSE(RepeatEnabled());
    EXPECT_FALSE(FileButtonEnabled());
    EXPECT_EQ(Text(OnPanel(kIdRepeat)), L"");
    EXPECT_EQ(SendMessageW(OnPanel(kIdRepeat), CB_GETCOUNT, 0, 0), 31);
    wchar_t caption[32] = {};
    GetWindowTextW(GetDlgItem(dialog, kIdSet), caption, 32);
    EXPECT_STREQ(caption, L"設定");

    zt::Pump(500);
    RECT window{};
    GetWindowRect(dialog, &window);
    const zt::Screenshot shot = zt::CaptureRect(window);
    zt::SaveArtifact(shot, "settings-dialog.bmp");

    // The background: dark blue at the top of the client area, light blue-grey at mid-height
    // (right of the panel).
    POINT origin{0, 0};
    ClientToScreen(dialog, &origin);
    const int dx = origin.x - window.left, dy = origin.y - window.top;
    EXPECT_EQ(shot.At(dx + 2, dy + 0), 0x00001Eu);
    EXPECT_EQ(shot.At(dx + 488, dy + 123), 0xDCDCFAu);

    PostMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(ClosesAndEnds());
}

TEST_F(SettingsDialog, AnyMouseButtonOnAnOptionChoosesIt)
{
    ASSERT_NE(Open(Ini(0, " 0", "")), nullptr);
    const struct {
        int id;
        bool right;
        int marked;
    } steps[] = {
        {kIdOptionLabel + 1, false, 1}, {kIdOptionImage + 2, true, 2},  {kIdOptionLabel + 0, true, 0},
        {kIdOptionImage + 1, true, 1},  {kIdOptionLabel + 2, false, 2}, {kIdOptionImage + 0, false, 0},
    };
    for (const auto& step : steps) {
        Press(OnPanel(step.id), step.right);
        EXPECT_EQ(MarkedOption(), step.marked) << "control " << step.id << (step.right ? " right" : " left");
        EXPECT_EQ(RepeatEnabled(), step.marked == 1);
        EXPECT_EQ(FileButtonEnabled(), step.marked == 2);
    }
    Click(GetDlgItem(dialog, kIdCancel));
    EXPECT_TRUE(ClosesAndEnds());
}

TEST_F(SettingsDialog, SetWritesAllThreeKeys)
{
    ASSERT_NE(Open(Ini(1, " 3", "")), nullptr);
    EXPECT_EQ(MarkedOption(), 1);
    EXPECT_TRUE(RepeatEnabled());
    EXPECT_EQ(Text(OnPanel(kIdRepeat)), L"3");

    SetWindowTextW(OnPanel(kIdRepeat), L"3.5");
    Press(OnPanel(kIdOptionLabel + 0), false);  // "なし" keeps the track number
    Click(GetDlgItem(dialog, kIdSet));
    ASSERT_TRUE(ClosesAndEnds());
    EXPECT_EQ(Read(kKeyBgmKind), "0");  // Wine drops the leading blank of " 0"
    EXPECT_EQ(Read(kKeyBgmRepeat), "4");
    EXPECT_NE(dir.Read("Zirel.ini").find(kKeyBgmFile), std::string::npos);
    EXPECT_EQ(Read(kKeyBgmFile), "");
}

TEST_F(SettingsDialog, CancelAfterChangesLeavesTheFileAsItWas)
{
    ASSERT_NE(Open(Ini(1, " 3", "")), nullptr);
    const std::string before = dir.Read("Zirel.ini");
    SetWindowTextW(OnPanel(kIdRepeat), L"12");
    Press(OnPanel(kIdOptionImage + 0), true);
    Click(GetDlgItem(dialog, kIdCancel));
    ASSERT_TRUE(ClosesAndEnds());
    EXPECT_EQ(dir.Read("Zirel.ini"), before);
}

TEST_F(SettingsDialog, UnknownKindMarksNothingAndIsWrittenBack)
{
    ASSERT_NE(Open(Ini(5, "abc", "")), nullptr);
    EXPECT_EQ(MarkedOption(), -1);
    EXPECT_FALSE(RepeatEnabled());
    EXPECT_FALSE(FileButtonEnabled());
    Click(GetDlgItem(dialog, kIdSet));
    ASSERT_TRUE(ClosesAndEnds());
    EXPECT_EQ(Read(kKeyBgmKind), "5");
    EXPECT_EQ(Read(kKeyBgmRepeat), "0");
}

// Types a bare file name into the open-file dialog and confirms it, so the result shows the
// folder the chooser was in.
bool ChooseInFileDialog(const wchar_t* name)
{
    HWND chooser = nullptr;
    for (int i = 0; i < 50 && !chooser; ++i) {
        chooser = FindWindowW(nullptr, L"ﾌｧｲﾙを開く");
        if (!chooser)
            zt::Pump(100);
    }
    if (!chooser)
        return false;
    zt::Pump(500);
    bool typed = false;
    for (int id : {0x47c, 0x480}) {  // cmb13 (explorer style), edt1
        if (HWND box = GetDlgItem(chooser, id)) {
            SetWindowTextW(box, name);
            typed = true;
        }
    }
    PostMessageW(chooser, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 30 && IsWindow(chooser); ++i)
        zt::Pump(100);
    return typed && !IsWindow(chooser);
}

TEST_F(SettingsDialog, FileChooserOpensInTheMusicFolderAndUpdatesThePath)
{
    CreateDirectoryA(dir.File("music").c_str(), nullptr);
    ASSERT_TRUE(dir.Write("music\\a.mp3", "ID3"));
    ASSERT_TRUE(dir.Write("music\\b.wav", "RIFF"));
    const std::string first = dir.File("music\\a.mp3");
    ASSERT_NE(Open(Ini(2, " 0", first)), nullptr);
    EXPECT_EQ(MarkedOption(), 2);
    ASSERT_TRUE(FileButtonEnabled());
    char shown[300] = {};
    GetWindowTextA(OnPanel(kIdFileName), shown, sizeof(shown));
    EXPECT_EQ(std::string(shown), first);

    Click(OnPanel(kIdFileButton));
    ASSERT_TRUE(ChooseInFileDialog(L"b.wav"));
    zt::Pump(300);
    GetWindowTextA(OnPanel(kIdFileName), shown, sizeof(shown));
    const std::string second = dir.File("music\\b.wav");
    EXPECT_EQ(std::string(shown), second);

    Click(GetDlgItem(dialog, kIdSet));
    ASSERT_TRUE(ClosesAndEnds());
    EXPECT_EQ(Read(kKeyBgmKind), "2");
    EXPECT_EQ(Read(kKeyBgmFile), second);
}

TEST_F(SettingsDialog, SaverRunEndsAtOnceWhileTheDialogIsOpen)
{
    ASSERT_NE(Open(""), nullptr);
    const std::string exe = dir.File("Zirel.scr");
    zt::Process saver = zt::Process::Start(exe, "\"" + exe + "\" /s", dir.Path());
    ASSERT_TRUE(saver.Started());
    EXPECT_TRUE(saver.WaitExit(5000));
    EXPECT_EQ(FindWindowA(nullptr, "Vant_VC"), nullptr);
    EXPECT_TRUE(IsWindow(dialog));
    Click(GetDlgItem(dialog, kIdCancel));
    EXPECT_TRUE(ClosesAndEnds());
}

}  // namespace
