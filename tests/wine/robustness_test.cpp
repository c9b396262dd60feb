// Zirel.scr and Zirel.dll under Wine with bad input and faults: odd INI files, odd command lines,
// renderers that crash, hang or are no program at all, two launchers at once, and a settings
// dialog that cannot write or is killed. Neither program may crash, show anything unexpected,
// leave a process behind or lose the user's Zirel.ini.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "settings_dialog_ids.h"
#include "settings_file.h"
#include "wine_test_support.h"

#include <tlhelp32.h>  // after <windows.h>, which it needs

namespace {

using zt::kDialogTitle;
using zt::kEndMs;
using zt::kRendererTitle;
using zt::kRunTitle;
using zt::kStartMs;

std::string Ini(const std::string& kind, const std::string& file, const std::string& repeat = " 0")
{
    return std::string("[") + kSettingsSection + "]\r\n" + kKeyBgmKind + "=" + kind + "\r\n" +
           kKeyBgmRepeat + "=" + repeat + "\r\n" + kKeyBgmFile + "=" + file + "\r\n";
}

// `text` with every "%DIR%" replaced by `dir`.
std::string WithDir(std::string text, const std::string& dir)
{
    for (size_t at = text.find("%DIR%"); at != std::string::npos; at = text.find("%DIR%", at))
        text.replace(at, 5, dir);
    return text;
}

// Titles (or classes, for untitled ones) of the visible top-level windows of a process.
std::vector<std::string> VisibleWindowsOf(DWORD processId)
{
    struct Search {
        DWORD id;
        std::vector<std::string> found;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->id && IsWindowVisible(window)) {
                char text[128] = {};
                if (!GetWindowTextA(window, text, sizeof(text)))
                    GetClassNameA(window, text, sizeof(text));
                s->found.push_back(text);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Processes whose parent is `processId`, opened so that they can be waited for and ended.
std::vector<HANDLE> ChildProcesses(DWORD processId)
{
    std::vector<HANDLE> children;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return children;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (entry.th32ParentProcessID != processId)
            continue;
        if (HANDLE child = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, entry.th32ProcessID))
            children.push_back(child);
    }
    CloseHandle(snapshot);
    return children;
}

// Holds a file open as another program would; with no sharing, nobody else can open it.
class LockedFile {
public:
    explicit LockedFile(const std::string& path, DWORD access = GENERIC_READ | GENERIC_WRITE,
                        DWORD share = 0)
        : file_(CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~LockedFile()
    {
        if (file_ != INVALID_HANDLE_VALUE)
            CloseHandle(file_);
    }
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;
    bool Held() const { return file_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE file_;
};

// Starting Zirel.scr from a scratch folder and making sure nothing it started outlives the test.
class RobustBase : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.Copy(zt::DistDir() + "\\Zirel.scr", "Zirel.scr"));
        SetCursorPos(300, 300);
    }

    void TearDown() override
    {
        for (HANDLE child : children) {
            TerminateProcess(child, 99);  // by handle: only what this launcher started
            WaitForSingleObject(child, kEndMs);
            CloseHandle(child);
        }
        launcher.Kill();
    }

    zt::Process StartLauncher(const std::string& arguments) const
    {
        const std::string exe = dir.File("Zirel.scr");
        return zt::Process::Start(exe, "\"" + exe + "\" " + arguments, dir.Path());
    }

    // Takes hold of what the launcher has started, waiting up to `ms` for a first child.
    void HoldChildren(DWORD ms)
    {
        for (const DWORD start = GetTickCount();;) {
            for (HANDLE child : ChildProcesses(launcher.Id()))
                children.push_back(child);
            if (!children.empty() || GetTickCount() - start >= ms)
                return;
            zt::Pump(50);
        }
    }

    // The launcher has ended normally and every process it started has ended too.
    void ExpectEverythingEnded()
    {
        EXPECT_TRUE(launcher.WaitExit(kEndMs));
        EXPECT_EQ(launcher.ExitCode(), 0u);  // a crash ends with an exception code
        for (HANDLE child : children)
            EXPECT_EQ(WaitForSingleObject(child, kEndMs), WAIT_OBJECT_0) << "a process left behind";
        EXPECT_EQ(FindWindowA(nullptr, kRendererTitle), nullptr);
        EXPECT_EQ(FindWindowA(nullptr, kRunTitle), nullptr);
    }

    zt::ScratchDir dir;
    zt::Process launcher;
    std::vector<HANDLE> children;
};

// ---------------------------------------------------------------------------------------------
// A full-screen run under bad settings or a faulty renderer: the saver comes up (or not, for a
// renderer that cannot show one), nothing else is shown, the music commands are the expected
// ones, and the launcher ends with everything it started.

enum class Fault {
    None,              // the renderer runs; a key ends it
    RendererCrashes,   // the renderer process vanishes mid-run
    RendererSilent,    // the renderer runs but never shows a window; the launcher waits for it
    RendererNoProgram, // Zirel.dll is a text file, so it cannot start
};

struct RunRow {
    const char* name;
    std::string (*ini)();  // Zirel.ini's content; %DIR% is the program folder
    const char* script;    // the winmm stand-in's answers
    std::vector<std::string> first;  // the music log's first lines; both empty: no music at all
    std::vector<std::string> last;   // its last lines, once everything has ended
    Fault fault = Fault::None;
    const char* locked = "";  // a file in the folder held locked during the run
    std::string arguments = "/s";
};

const std::vector<std::string> kMp3Started{
    "mci: open \"%DIR%\\song.mp3\" type MPEGVideo Alias MP3Play", "mci: play MP3Play"};
const std::vector<std::string> kMp3Stopped{"mci: stop MP3Play", "mci: close MP3Play"};
constexpr char kMp3Playing[] = "mci status MP3Play mode=0|playing\r\n";

std::string Mp3Ini() { return Ini(" 2", "%DIR%\\song.mp3"); }
std::string WavIni() { return Ini(" 2", "%DIR%\\loop.wav"); }

// Deterministic bytes of every value, NULs and line ends included.
std::string BinaryIni()
{
    std::string bytes(4096, '\0');
    uint32_t state = 12345;
    for (char& c : bytes)
        c = char((state = state * 214013 + 2531011) >> 16);
    return bytes;
}

// A megabyte of other sections before the real one: the value is still found.
std::string MegabyteIni()
{
    std::string ini = "[Padding]\r\n";
    for (int i = 0; ini.size() < (1u << 20); ++i)
        ini += "key" + std::to_string(i) + "=" + std::string(100, 'v') + "\r\n";
    return ini + Mp3Ini();
}

const RunRow kRunRows[] = {
    {"EmptyIni", [] { return std::string(); }, "", {}, {}},
    {"BinaryIni", BinaryIni, "", {}, {}},
    {"MegabyteIni", MegabyteIni, kMp3Playing, kMp3Started, kMp3Stopped},
    // Both values come back cut to 255 bytes: the track number no longer fits and stays 0 (so
    // the drive just plays on), the path names nothing.
    {"TenThousandCharacterValues",
     [] { return Ini(" 1", "C:\\" + std::string(10000, 'a'), std::string(10000, '9')); },
     "mci status cdaudio mode=0|stopped\r\nmci status cdaudio current track=0|1\r\n"
     "mci status cdaudio number of tracks=0|9\r\n",
     {"mci: open cdaudio", "mci: set cdaudio time format tmsf", "mci: status cdaudio current track",
      "mci: status cdaudio number of tracks", "mci: status cdaudio mode", "mci: play cdaudio"},
     {"mci: stop cdaudio", "mci: close cdaudio"}},
    {"KeysInAnotherSection",
     [] { return "[Other]\r\n" + Mp3Ini().substr(Mp3Ini().find('\n') + 1); }, "", {}, {}},
    // The first of two equal keys counts, as the profile functions read it.
    {"DuplicateKeys", [] { return Ini(" 0", "%DIR%\\song.mp3") + Ini(" 2", "%DIR%\\song.mp3"); },
     "", {}, {}},
    {"MusicPathOf300Characters",
     [] { return Ini(" 2", "%DIR%\\" + std::string(300, 'a') + ".mp3"); }, "", {}, {}},
    {"MusicFileLocked", Mp3Ini, "", {}, {}, Fault::None, "song.mp3"},
    {"MusicFileIsCON", [] { return Ini(" 2", "CON"); }, "", {}, {}},
    {"MusicFileIsNUL", [] { return Ini(" 2", "NUL"); }, "", {}, {}},
    {"IniLocked", Mp3Ini, "", {}, {}, Fault::None, "Zirel.ini"},
    {"NoSoundDevice", WavIni, "devices=0\r\n",
     {"waveOutGetNumDevs", "PlaySoundA: (null) flags=0"}, {"PlaySoundA: (null) flags=0"}},
    // The watch gives up at the first failing query; nothing is stopped at the end.
    {"NoCdDrive", [] { return Ini(" 1", ""); },
     "mci open cdaudio=266|\r\nmci set cdaudio=263|\r\nmci status cdaudio=263|\r\n",
     {"mci: open cdaudio", "mci: set cdaudio time format tmsf", "mci: status cdaudio current track",
      "mcierror: 263"},
     {"mci: status cdaudio current track", "mcierror: 263"}},
    {"CommandLineOf32000Characters", [] { return std::string(); }, "", {}, {}, Fault::None, "",
     "/s " + std::string(32000, 'x')},
    {"RendererCrashesMidRun", Mp3Ini, kMp3Playing, kMp3Started, kMp3Stopped,
     Fault::RendererCrashes},
    {"RendererNeverShowsItsWindow", Mp3Ini, kMp3Playing, kMp3Started, kMp3Stopped,
     Fault::RendererSilent},
    {"RendererIsNotAProgram", WavIni, "devices=1\r\n",
     {"waveOutGetNumDevs", "PlaySoundA: %DIR%\\loop.wav flags=9"}, {"PlaySoundA: (null) flags=0"},
     Fault::RendererNoProgram},
};

class RobustRun : public RobustBase, public ::testing::WithParamInterface<RunRow> {};

TEST_P(RobustRun, EndsCleanlyWithTheExpectedMusic)
{
    const RunRow& row = GetParam();
    switch (row.fault) {
    case Fault::RendererSilent:
        ASSERT_TRUE(dir.Copy(zt::StandinDir() + "\\silent_renderer.exe", "Zirel.dll"));
        break;
    case Fault::RendererNoProgram:
        ASSERT_TRUE(dir.Write("Zirel.dll", "This is not a program.\r\n"));
        break;
    default:
        ASSERT_TRUE(dir.Copy(zt::DistDir() + "\\Zirel.dll", "Zirel.dll"));
    }
    ASSERT_TRUE(dir.Copy(zt::StandinDir() + "\\winmm.dll", "winmm.dll"));
    ASSERT_TRUE(dir.Write("winmm_script.txt", row.script));
    ASSERT_TRUE(dir.Write("song.mp3", "ID3"));
    ASSERT_TRUE(dir.Write("loop.wav", "RIFF"));
    ASSERT_TRUE(dir.Write("Zirel.ini", WithDir(row.ini(), dir.Path())));
    zt::ScopedNativeWinmm standin("Zirel.scr");
    std::optional<LockedFile> lock;
    if (*row.locked) {
        lock.emplace(dir.File(row.locked));
        ASSERT_TRUE(lock->Held());
    }

    launcher = StartLauncher(row.arguments);
    ASSERT_TRUE(launcher.Started());
    switch (row.fault) {
    case Fault::None:
    case Fault::RendererCrashes: {
        HWND renderer = zt::WaitForWindow(kRendererTitle, kStartMs);
        ASSERT_NE(renderer, nullptr) << "the saver did not come up";
        HoldChildren(kEndMs);
        EXPECT_EQ(children.size(), 1u);
        EXPECT_TRUE(launcher.Running());
        EXPECT_EQ(VisibleWindowsOf(launcher.Id()), std::vector<std::string>{});
        if (row.fault == Fault::None)
            PostMessageA(renderer, WM_KEYDOWN, VK_SPACE, 0);
        else
            for (HANDLE child : children)
                TerminateProcess(child, 0xC0000005);  // as a crash would end it
        break;
    }
    case Fault::RendererSilent:
        // While the renderer lives without a window the run simply goes on: music playing, the
        // run's marker present. It ends when the renderer process ends.
        HoldChildren(kStartMs);
        ASSERT_EQ(children.size(), 1u);
        zt::Pump(1500);
        EXPECT_TRUE(launcher.Running());
        EXPECT_NE(FindWindowA(nullptr, kRunTitle), nullptr);
        EXPECT_EQ(FindWindowA(nullptr, kRendererTitle), nullptr);
        EXPECT_EQ(VisibleWindowsOf(launcher.Id()), std::vector<std::string>{});
        TerminateProcess(children.front(), 0);
        break;
    case Fault::RendererNoProgram:
        break;  // the launcher finds no renderer process and ends by itself
    }
    ExpectEverythingEnded();
    EXPECT_EQ(FindWindowA("#32770", nullptr), nullptr) << "a message box is left";

    // The music: these commands, and after the end nothing left playing.
    const std::vector<std::string> log = zt::Lines(dir.Read("winmm_log.txt"));
    if (row.first.empty() && row.last.empty()) {
        EXPECT_TRUE(log.empty()) << log.front();
        return;
    }
    ASSERT_GE(log.size(), row.first.size());
    ASSERT_GE(log.size(), row.last.size());
    for (size_t i = 0; i < row.first.size(); ++i)
        EXPECT_EQ(log[i], WithDir(row.first[i], dir.Path()));
    for (size_t i = 0; i < row.last.size(); ++i)
        EXPECT_EQ(log[log.size() - row.last.size() + i], WithDir(row.last[i], dir.Path()));
}

INSTANTIATE_TEST_SUITE_P(Robust, RobustRun, ::testing::ValuesIn(kRunRows),
                         [](const ::testing::TestParamInfo<RunRow>& info) {
                             return std::string(info.param.name);
                         });

// ---------------------------------------------------------------------------------------------
// Command lines that start nothing: the launcher ends by itself, normally, without a window.

using RobustCommandLine = RobustBase;

TEST_F(RobustCommandLine, OddSwitchesAndHandlesEndQuietly)
{
    ASSERT_TRUE(dir.Copy(zt::DistDir() + "\\Zirel.dll", "Zirel.dll"));
    const std::string rows[] = {
        "/x" + std::string(32000, 'x'),
        "/p " + std::string(32000, '9'),  // a number far beyond any handle
        "/p -1",                          // the special handles below 0 name no window
        "/p -3",
        "/p -65536",
        "/p 4294967293",                  // -3 in the unsigned form
        "/p 65535",                       // the broadcast handle
    };
    for (const std::string& arguments : rows) {
        SCOPED_TRACE(arguments.substr(0, 16));
        launcher = StartLauncher(arguments);
        ASSERT_TRUE(launcher.Started());
        EXPECT_TRUE(launcher.WaitExit(kStartMs));
        EXPECT_EQ(launcher.ExitCode(), 0u);
        EXPECT_EQ(FindWindowA(nullptr, kRendererTitle), nullptr);
        launcher.Kill();
    }
}

// A preview told to live in another program's window (here the renderer's, started on its
// own): it attaches there and ends when that window goes, however it goes.
TEST_F(RobustCommandLine, PreviewInAnotherProgramsWindowEndsWithIt)
{
    ASSERT_TRUE(dir.Copy(zt::DistDir() + "\\Zirel.dll", "Zirel.dll"));
    for (const bool killed : {false, true}) {
        SCOPED_TRACE(killed ? "window's process killed" : "window closed by its program");
        const std::string rendererExe = dir.File("Zirel.dll");
        zt::Process host = zt::Process::Start(rendererExe, rendererExe, dir.Path());
        HWND window = zt::WaitForWindow(kRendererTitle, kStartMs);
        ASSERT_NE(window, nullptr);
        launcher = StartLauncher(
            "/p " + std::to_string(uint32_t(reinterpret_cast<uintptr_t>(window))));
        HWND form = nullptr;
        for (const DWORD start = GetTickCount(); !form && GetTickCount() - start < kStartMs;) {
            zt::Pump(50);
            form = FindWindowExA(window, nullptr, "Vant_R", nullptr);
        }
        ASSERT_NE(form, nullptr);
        EXPECT_TRUE(launcher.Running());
        if (killed) {
            host.Kill();
        } else {
            PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
            EXPECT_TRUE(host.WaitExit(kEndMs));
        }
        EXPECT_TRUE(launcher.WaitExit(kEndMs)) << "the preview outlived its window";
        EXPECT_EQ(launcher.ExitCode(), 0u);
        launcher.Kill();
    }
}

// ---------------------------------------------------------------------------------------------
// Two launchers started at the same instant: one saver, and both end with it.

using RobustRace = RobustBase;

TEST_F(RobustRace, TwoLaunchersAtOnceGiveOneSaverAndBothEndWithIt)
{
    ASSERT_TRUE(dir.Copy(zt::DistDir() + "\\Zirel.dll", "Zirel.dll"));
    launcher = StartLauncher("/s");
    zt::Process second = StartLauncher("/s");
    ASSERT_TRUE(launcher.Started() && second.Started());

    HWND renderer = zt::WaitForWindow(kRendererTitle, kStartMs);
    ASSERT_NE(renderer, nullptr);
    zt::Pump(2000);  // time for a second renderer, if one was started, to show its window
    for (HANDLE child : ChildProcesses(second.Id()))
        children.push_back(child);
    HoldChildren(0);
    int renderers = 0;
    EnumWindows(
        [](HWND window, LPARAM count) -> BOOL {
            char title[16] = {};
            GetWindowTextA(window, title, sizeof(title));
            *reinterpret_cast<int*>(count) += std::string(title) == kRendererTitle;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&renderers));
    EXPECT_EQ(renderers, 1);

    PostMessageA(renderer, WM_KEYDOWN, VK_SPACE, 0);
    // Either launcher may have won the race: wait for both before looking for their windows.
    EXPECT_TRUE(second.WaitExit(kEndMs));
    EXPECT_EQ(second.ExitCode(), 0u);
    for (HANDLE child : ChildProcesses(second.Id()))  // processes started after the first look
        children.push_back(child);
    ExpectEverythingEnded();
}

// ---------------------------------------------------------------------------------------------
// The settings dialog when its file cannot be written or its process is killed: nothing is
// shown and Zirel.ini keeps exactly what it held.

enum class Obstacle {
    None,
    ReadOnly,  // Zirel.ini and its folder read-only
    HeldOpen,  // another program holds Zirel.ini open for reading, so it cannot be written
};
enum class DialogEnd { PressSet, Kill, ChooseCdThenKill };

struct DialogRow {
    const char* name;
    Obstacle obstacle;
    DialogEnd end;
};

class RobustDialog : public RobustBase, public ::testing::WithParamInterface<DialogRow> {
protected:
    void TearDown() override
    {
        SetFileAttributesA(dir.Path().c_str(), FILE_ATTRIBUTE_NORMAL);
        RobustBase::TearDown();
    }
};

// True when opening the file for writing fails, as it must for a read-only file.
// NOTE: Wine keeps the read-only attribute as Unix permission bits, which do not stop root.
bool WritesAreRefused(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return true;
    CloseHandle(file);
    return false;
}

TEST_P(RobustDialog, LeavesZirelIniIntact)
{
    using namespace zirel::dialog;
    const DialogRow& row = GetParam();
    ASSERT_TRUE(dir.Copy(zt::DistDir() + "\\Zirel.dll", "Zirel.dll"));
    ASSERT_TRUE(dir.Write("song.mp3", "ID3"));
    // Without the track key, so that "設定" has something to add: the profile functions skip a
    // write that changes nothing.
    const std::string before = std::string("[") + kSettingsSection + "]\r\n" + kKeyBgmKind +
                               "= 2\r\n" + kKeyBgmFile + "=" + dir.File("song.mp3") + "\r\n";
    ASSERT_TRUE(dir.Write("Zirel.ini", before));
    std::optional<LockedFile> holder;
    if (row.obstacle == Obstacle::ReadOnly) {
        ASSERT_TRUE(SetFileAttributesA(dir.File("Zirel.ini").c_str(), FILE_ATTRIBUTE_READONLY));
        ASSERT_TRUE(SetFileAttributesA(dir.Path().c_str(), FILE_ATTRIBUTE_READONLY));
        if (!WritesAreRefused(dir.File("Zirel.ini")))
            GTEST_SKIP() << "this system lets a read-only file be written";
    }
    if (row.obstacle == Obstacle::HeldOpen)
        holder.emplace(dir.File("Zirel.ini"), GENERIC_READ, FILE_SHARE_READ);

    launcher = StartLauncher("/c");
    ASSERT_TRUE(launcher.Started());
    HWND dialog = zt::WaitForWindow(kDialogTitle, kStartMs);
    ASSERT_NE(dialog, nullptr);
    zt::Pump(300);
    switch (row.end) {
    case DialogEnd::PressSet:
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(kIdSet, BN_CLICKED),
                     LPARAM(GetDlgItem(dialog, kIdSet)));
        EXPECT_TRUE(launcher.WaitExit(kEndMs)) << "the dialog did not close";
        EXPECT_EQ(launcher.ExitCode(), 0u);
        break;
    case DialogEnd::ChooseCdThenKill:
        PostMessageW(GetDlgItem(GetDlgItem(dialog, kIdPanel), kIdOptionLabel + 1), WM_LBUTTONDOWN,
                     MK_LBUTTON, MAKELPARAM(2, 2));
        zt::Pump(300);
        [[fallthrough]];
    case DialogEnd::Kill:
        EXPECT_EQ(VisibleWindowsOf(launcher.Id()), std::vector<std::string>{kDialogTitle});
        launcher.Kill();
        break;
    }
    EXPECT_EQ(FindWindowA("#32770", nullptr), nullptr) << "a message box appeared";
    holder.reset();
    EXPECT_EQ(dir.Read("Zirel.ini"), before);
}

const DialogRow kDialogRows[] = {
    {"SetWithReadOnlyIniAndFolder", Obstacle::ReadOnly, DialogEnd::PressSet},
    {"SetWithIniHeldOpenByAnotherProgram", Obstacle::HeldOpen, DialogEnd::PressSet},
    {"KilledWhileOpen", Obstacle::None, DialogEnd::Kill},
    {"KilledAfterChoosingAnOption", Obstacle::None, DialogEnd::ChooseCdThenKill},
};

INSTANTIATE_TEST_SUITE_P(Robust, RobustDialog, ::testing::ValuesIn(kDialogRows),
                         [](const ::testing::TestParamInfo<DialogRow>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
