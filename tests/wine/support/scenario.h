// The Windows-side tests are rows of one table: a command line, a Zirel.ini, steps, and what must
// be seen. RunScenario plays a row in a scratch folder and compares what it saw with the row line
// by line, so that a failure shows the lines that differ.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "renderer_contract.h"
#include "settings_file.h"

namespace zt {

using std::string;

inline constexpr char kDialogTitle[] = "<Zirel>";
inline constexpr DWORD kStartMs = 15000;

// Copied beside Zirel.scr, with the music files (tones of 1 s at 440 Hz):
//   kRenderer       the real Zirel.dll
// The sound server that Listen hears (run.sh's, shared by the rows), for music rows:
//   kSound          on
//   kNoSoundServer  off
enum Kit { kRenderer = 1, kSound = 2, kNoSoundServer = 4 };

struct Run;

// A step of a row, played in order once the row's window shows.
using Step = std::function<void(Run&)>;

// "%DIR%" stands for the scratch folder, "%HOST%" for the host window's handle.
struct Scenario {
    const char* name;
    string command;  // "Zirel.scr /s" or "Zirel.dll ..."
    string ini;      // Zirel.ini
    unsigned kit = 0;
    const char* window = "";  // the window steps go to (top-level or the host's child), by title
    std::vector<Step> steps;
    // Seen: what the steps noted, "exit N" or "running", the system commands the renderer did not
    // answer itself (the recorder's log), then the lines of `file`.
    string seen;
    const char* file = "";
    void (*prepare)(Run&) = [](Run&) {};  // before the start
};

// Zirel.ini with the three settings.
inline string Ini(const char* kind, const char* repeat, const string& file)
{
    return string("[") + kSettingsSection + "]\r\n" + kKeyBgmKind + "=" + kind + "\r\n" +
           kKeyBgmRepeat + "=" + repeat + "\r\n" + kKeyBgmFile + "=" + file + "\r\n";
}

// Handles this thread's messages until `done` holds or `ms` have passed; whether it holds.
template <typename Done>
bool Until(Done done, DWORD ms)
{
    const DWORD start = GetTickCount();
    for (MSG msg; !done() && GetTickCount() - start < ms; Sleep(5))
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    return done();
}

inline constexpr auto Pump = [](DWORD ms) { Until([] { return false; }, ms); };

inline string Replace(string text, const string& from, const string& to)
{
    for (size_t at = text.find(from); at != string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The text's lines but the empty ones, each ended by "\n" alone.
inline string Tidy(const string& text)
{
    string tidy;
    std::istringstream in(Replace(text, "\r", ""));
    for (string line; std::getline(in, line);)
        tidy += line.empty() ? "" : line + "\n";
    return tidy;
}

// A path written in UTF-8, as the rows write every text, for the W functions; and back.
inline std::filesystem::path P(const string& utf8)
{
    return std::u8string(utf8.begin(), utf8.end());
}

inline string U8(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

inline string Read(const string& path)
{
    std::ifstream in(P(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The file of that name in the artifacts' folder.
inline string Artifact(const string& name)
{
    return std::getenv("ZIREL_ARTIFACTS") + ("\\" + name);
}

// Asks run.sh for work on the Linux side (a line it reads), then waits up to 10 s for the
// artifact it answers in, whose text it returns.
inline string AskRunSh(const string& request, const string& answer)
{
    std::filesystem::remove(Artifact(answer));
    std::printf("%s\n", request.c_str());
    std::fflush(stdout);
    Until([&] { return std::filesystem::exists(Artifact(answer)); }, 10000);
    return Read(Artifact(answer));
}

// Whether every process of the job has ended.
inline bool Ended(HANDLE job)
{
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION counts{};
    QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &counts, sizeof(counts),
                              nullptr);
    return !counts.ActiveProcesses;
}

// A row being played; its job holds what it started and what that started.
struct Run {
    const Scenario& row;
    string dir;  // the scratch folder
    HANDLE job = CreateJobObjectA(nullptr, nullptr);
    PROCESS_INFORMATION program{};
    HWND host = nullptr;    // a test window, for a preview
    HWND window = nullptr;  // the row's
    HANDLE held = nullptr;  // Zirel.ini, while no other process may write it
    std::vector<string> seen;
    string File(const string& name) const { return dir + "\\" + name; }
};

// 2 s of what the sound server plays, as heard: "tone" (the music files'), "silence" or figures.
inline void Listen(Run& run)
{
    run.seen.push_back(AskRunSh("sound listen", "sound"));
}

// The row's folder renamed into one named in Japanese, with blanks: under Wine's ANSI code page
// (1252) the name has no ANSI form, and without its short name (which Wine always makes) no form
// without blanks either.
inline void InAJapaneseFolder(Run& run)
{
    std::filesystem::rename(P(run.dir), P(run.dir + " 山田 太郎"));
    run.dir += " 山田 太郎";
}

// Zirel.ini beside the programs kept from being written, as a program folder in System32 is to a
// user: held open for reading and sharing only reads, till the row ends.
inline void ReadOnly(Run& run)
{
    run.held = CreateFileW(P(run.File("Zirel.ini")).c_str(), GENERIC_READ, FILE_SHARE_READ,
                           nullptr, OPEN_EXISTING, 0, nullptr);
}

// Starts "<program> <arguments>" from the folder, each Zirel.dll with the recorder's hooks, by
// the line Windows hands a saver: its path unquoted, blanks and all. NOTE: Wine quotes the path
// it found when no program is named, so the program is named.
inline PROCESS_INFORMATION Start(Run& run, const string& command)
{
    const string handle = std::to_string(uint32_t(uintptr_t(run.host)));
    std::wstring line = P(Replace(run.File(command), "%HOST%", handle)).wstring();
    const string program = command.substr(0, command.find(' '));
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION process{};
    CreateProcessW(P(run.File(program)).c_str(), line.data(), nullptr, nullptr, FALSE,
                   CREATE_SUSPENDED, nullptr, P(run.dir).c_str(), &startup, &process);
    AssignProcessToJobObject(run.job, process.hProcess);
    // The recorder: system commands noted, real mouse input dropped, swaps timed.
    static const HMODULE hooks =
        LoadLibraryA((std::getenv("ZIREL_STANDINS") + string("\\recorder.dll")).c_str());
    for (auto [type, name] : {std::pair{WH_CBT, "CbtHook"}, {WH_MOUSE, "MouseHook"}})
        if (program == "Zirel.dll")
            SetWindowsHookExA(type, HOOKPROC(GetProcAddress(hooks, name)), hooks,
                              process.dwThreadId);
    ResumeThread(process.hThread);
    CloseHandle(process.hThread);
    return process;
}

// A message posted to the row's window.
inline Step Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return [=](Run& run) { PostMessageA(run.window, message, wParam, lParam); };
}

inline Step Wait(DWORD ms)
{
    return [=](Run&) { Pump(ms); };
}

// The cursor to (x, y), then WM_MOUSEMOVE.
inline Step Move(int x, int y)
{
    return [=](Run& run) {
        SetCursorPos(x, y);
        PostMessageA(run.window, WM_MOUSEMOVE, 0, 0);
        Pump(100);
    };
}

// "exit N" once the program ends within `ms`, else "running".
inline Step Ends(DWORD ms)
{
    return [=](Run& run) {
        DWORD code = STILL_ACTIVE;
        const auto ended = [&] {
            return GetExitCodeProcess(run.program.hProcess, &code) && code != STILL_ACTIVE;
        };
        run.seen.push_back(Until(ended, ms) ? "exit " + std::to_string(code) : "running");
    };
}

// The row's window once shown, drawn and in front: "<style> <extended style> <rectangle>[
// foreground]".
inline void Look(Run& run)
{
    RECT r{};
    char look[64];
    Pump(250);
    GetWindowRect(run.window, &r);
    std::snprintf(look, 64, "%08lx %lx %ld,%ld,%ld,%ld%s", GetWindowLongA(run.window, GWL_STYLE),
                  GetWindowLongA(run.window, GWL_EXSTYLE), r.left, r.top, r.right, r.bottom,
                  run.window == GetForegroundWindow() ? " foreground" : "");
    run.seen.push_back(look);
}

// The renderer's frames (the recorder notes each swap) in the 2 s before 2.5 s from now: "paced"
// within 5 % of the display's 60 Hz, else the frames per second.
inline void Pace(Run& run)
{
    Pump(2500);
    LARGE_INTEGER now{}, frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    const double end = now.QuadPart * 1e6 / frequency.QuadPart;
    double frames = 0;
    std::istringstream swaps(Read(run.File("swaps.log")));
    for (double at; swaps >> at;)
        frames += at > end - 2e6 ? 0.5 : 0;
    run.seen.push_back(std::abs(frames - 60) <= 3 ? "paced" : std::to_string(frames) + " frames/s");
}

// The per-program Wine settings.
inline const string kApps = "Software\\Wine\\AppDefaults\\Zirel.";

// The folder's files and the per-program Wine settings; removed afterwards.
inline void Prepare(Run& run)
{
    const string dist = std::getenv("ZIREL_DIST") + string("\\Zirel.");
    const std::pair<string, const char*> copies[] = {
        {dist + "scr", "Zirel.scr"},
        {run.row.kit & kRenderer ? dist + "dll" : "", "Zirel.dll"},
        {Artifact("song.mp3"), "song.mp3"},
        {Artifact("sound.wav"), "sound.wav"}};
    std::filesystem::remove_all(P(run.dir));  // what an interrupted run left
    std::filesystem::create_directory(P(run.dir));
    for (const auto& [from, to] : copies)
        ASSERT_TRUE(from.empty() || CopyFileW(P(from).c_str(), P(run.File(to)).c_str(), FALSE))
            << from;
    std::ofstream(P(run.File("Zirel.ini")), std::ios::binary)
        << Replace(run.row.ini, "%DIR%", run.dir);
    // NOTE: Wine takes this per program from the registry. Unmanaged, a window goes at once; a
    // managed one waits 2 s for a window manager.
    for (const char* app : {"scr\\X11 Driver", "dll\\X11 Driver"})
        RegSetKeyValueA(HKEY_CURRENT_USER, (kApps + app).c_str(), "Managed", REG_SZ, "N", 2);
    SetCursorPos(200, 200);
    if (run.row.kit & (kSound | kNoSoundServer))
        AskRunSh(run.row.kit & kSound ? "sound on" : "sound off", "sound");
}

// What the row's processes left: the recorder's log, then `file`.
inline string Collect(Run& run)
{
    TerminateJobObject(run.job, 99);
    Until([&] { return Ended(run.job); }, 5000);
    for (HANDLE handle : {run.job, run.program.hProcess, run.held})
        CloseHandle(handle);
    // A window of the test's own; the desktop, which a row may hand out, is refused and stays.
    DestroyWindow(run.host);
    for (const char* app : {"scr", "dll"})
        RegDeleteTreeA(HKEY_CURRENT_USER, (kApps + app).c_str());
    run.seen.push_back(Read(run.File("standin.log")));
    run.seen.push_back(Read(run.File(run.row.file)));
    wchar_t shortDir[MAX_PATH] = L"|";  // its 8.3 form; none: "|", which no path holds
    GetShortPathNameW(P(run.dir).c_str(), shortDir, MAX_PATH);
    string seen;
    for (const string& line : run.seen)
        seen += line + "\n";
    std::filesystem::remove_all(P(run.dir));
    return Replace(Replace(Tidy(seen), run.dir, "%DIR%"), U8(shortDir), "%SHORT%");
}

inline void RunScenario(const Scenario& row)
{
    Run run{row, "C:\\zirel_" + string(row.name)};  // whoever runs the tests
    Prepare(run);
    row.prepare(run);
    run.program = Start(run, row.command);
    const auto shown = [&] {  // the row's window: the host's child or a top-level one
        run.window = FindWindowExA(run.host, nullptr, nullptr, row.window);
        run.window = run.window ? run.window : FindWindowA(nullptr, row.window);
        return IsWindowVisible(run.window);
    };
    EXPECT_TRUE(!*row.window || Until(shown, kStartMs)) << row.window;
    for (const Step& step : row.steps)
        step(run);
    Ends(5000)(run);
    EXPECT_EQ(Collect(run), Tidy(row.seen));
}

// The screen's area of `window` as artifact `file`.
inline void SaveArtifact(HWND window, const string& file)
{
    RECT r{};
    char area[64];
    GetWindowRect(window, &r);
    std::snprintf(area, 64, "%ldx%ld+%ld+%ld", r.right - r.left, r.bottom - r.top, r.left, r.top);
    AskRunSh("screenshot " + string(area) + " " + file, file);
}

// Picture `name` of `window` (none: of `parts`, side by side) against its reference: how many
// pixels differ by more than font smoothing makes them. Texts cut off or overlapping show here.
inline string Compare(HWND window, const string& name, const string& parts = "")
{
    if (window)
        SaveArtifact(window, name);
    return AskRunSh("compare " + name + " " + parts, "compare");
}

}  // namespace zt
