// The Windows-side tests are rows of one table: a command line, a Zirel.ini, the recorder's
// script, steps, and what must be seen. RunScenario plays a row in a scratch folder and compares
// what it saw with the row line by line, so that a failure shows the lines that differ.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "renderer_contract.h"
#include "settings_file.h"

namespace zt {

inline constexpr char kDialogTitle[] = "<Zirel>";
inline constexpr DWORD kStartMs = 15000;

// Copied beside Zirel.scr, with the music files (tones of 440 Hz), and but for kWinmm the
// recorder as winmm.dll (it logs "cursor N" as the launcher loads it at the first music call and
// unloads it at the exit):
//   kRenderer   the real Zirel.dll
//   kFake       the recorder as Zirel.dll: it logs how it was started and shows a window
//   kPassword   the recorder as PASSWORD.CPL; script "VerifyScreenSavePwd=<1 lets it close>"
//   kWin98      Wine tells Zirel.dll it runs on Windows 98
//   kWinmm      Wine's own winmm, with no sound server
//   kSound      Wine's own winmm playing into a sound server that Listen hears (run.sh's, kept
//               on till a kWinmm row or the end)
enum Kit { kRenderer = 1, kFake = 2, kPassword = 4, kWin98 = 8, kWinmm = 16, kSound = 48 };

struct Run;

// A step: `act` when set, else a message posted to the row's window, or one of these:
//   kLook   a line for the row's window (see Look)
//   kSleep  pump wParam ms
//   kMove   the cursor to (wParam, lParam), then WM_MOUSEMOVE
//   kEnds   "exit N" once the program ends within wParam ms, else "running"
enum : UINT { kLook = WM_APP, kSleep, kMove, kEnds };
struct Step {
    Step(UINT m, WPARAM w = 0, LPARAM l = 0) : message(m), wParam(w), lParam(l) {}
    Step(void (*act)(Run&)) : act(act) {}
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    void (*act)(Run&) = nullptr;
};

// "%DIR%" stands for the scratch folder, "%HOST%" for the host window's handle.
struct Scenario {
    const char* name;
    std::string command;  // "Zirel.scr /s" or "Zirel.dll ..."
    std::string ini;      // Zirel.ini
    std::string script;   // the recorder's answers: "<start of a logged line>=<answer>" lines
    unsigned kit = 0;
    const char* window = "";  // the window steps go to (top-level or the host's child), by title
    std::vector<Step> steps;
    // Seen: the looks, "exit N" or "running", the recorder's log in time order, then the lines of
    // `file`.
    std::string seen;
    const char* file = "";
    void (*prepare)(Run&) = [](Run&) {};  // before the start
};

// Zirel.ini with the three settings.
inline std::string Ini(const char* kind, const char* repeat, const std::string& file)
{
    return std::string("[") + kSettingsSection + "]\r\n" + kKeyBgmKind + "=" + kind + "\r\n" +
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

inline std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line.substr(0, line.find_last_not_of('\r') + 1));
    return lines;
}

inline std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

inline std::string Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Asks run.sh for work on the Linux side (a line it reads), then waits up to 5 s for the file
// it answers in, whose text it returns.
inline std::string AskRunSh(const std::string& request, const std::string& answer)
{
    std::filesystem::remove(answer);
    std::printf("%s\n", request.c_str());
    std::fflush(stdout);
    Until([&] { return std::filesystem::exists(answer); }, 5000);
    return Read(answer);
}

// Sound work (on, off, listen) and its answer.
inline std::string Sound(const std::string& request)
{
    return AskRunSh("sound " + request, std::getenv("ZIREL_ARTIFACTS") + std::string("\\sound"));
}

// The ids of the job's processes (a JOBOBJECT_BASIC_PROCESS_ID_LIST: two counts, then the ids).
inline std::vector<ULONG_PTR> JobProcesses(HANDLE job)
{
    std::vector<ULONG_PTR> list(65, 64);
    QueryInformationJobObject(job, JobObjectBasicProcessIdList, list.data(), 65 * 8, nullptr);
    return {list.begin() + 1, list.begin() + 1 + (list[0] >> 32)};
}

// A row being played; its job holds what it started and what that started.
struct Run {
    const Scenario& row;
    std::string dir;  // the scratch folder
    HANDLE job = CreateJobObjectA(nullptr, nullptr);
    PROCESS_INFORMATION program{};
    HWND host = nullptr;    // a test window, for a preview
    HWND window = nullptr;  // the row's
    std::vector<std::string> seen;
    std::string File(const std::string& name) const { return dir + "\\" + name; }
};

// The row's folder made read-only, as a program folder in System32 is to a user; the test skips
// where this machine does not allow mounts. Undone as run.sh ends; the next run removes it.
inline void ReadOnly(Run& run)
{
    if (AskRunSh("readonly " + run.dir, run.dir + ".mounted").rfind("yes", 0) != 0)
        GTEST_SKIP() << "no read-only bind mount here";
}

// Starts "<program> <arguments>" from the folder; each Zirel.dll with the recorder's hooks.
inline PROCESS_INFORMATION Start(Run& run, const std::string& command)
{
    const std::string handle = std::to_string(uint32_t(uintptr_t(run.host)));
    std::string line = Replace(run.File(command), "%HOST%", handle);
    const std::string program = command.substr(0, command.find(' '));
    STARTUPINFOA startup{sizeof(startup)};
    PROCESS_INFORMATION process{};
    CreateProcessA(run.File(program).c_str(), line.data(), nullptr, nullptr, FALSE,
                   CREATE_SUSPENDED, nullptr, run.dir.c_str(), &startup, &process);
    AssignProcessToJobObject(run.job, process.hProcess);
    // The recorder: system commands noted, real mouse input dropped.
    static const HMODULE hooks =
        LoadLibraryA((std::getenv("ZIREL_STANDINS") + std::string("\\recorder.dll")).c_str());
    for (auto [type, name] : {std::pair{WH_CBT, "CbtHook"}, {WH_MOUSE, "MouseHook"}})
        if (program == "Zirel.dll")
            SetWindowsHookExA(type, HOOKPROC(GetProcAddress(hooks, name)), hooks,
                              process.dwThreadId);
    ResumeThread(process.hThread);
    CloseHandle(process.hThread);
    return process;
}

// The row's window: "<style> <extended style> <rectangle>[ foreground]".
inline void Look(Run& run)
{
    RECT r{};
    char line[64] = {};
    GetWindowRect(run.window, &r);
    std::snprintf(line, 64, "%08lx %lx %ld,%ld,%ld,%ld%s", GetWindowLongA(run.window, GWL_STYLE),
                  GetWindowLongA(run.window, GWL_EXSTYLE), r.left, r.top, r.right, r.bottom,
                  run.window == GetForegroundWindow() ? " foreground" : "");
    run.seen.push_back(line);
}

inline void Play(Run& run, const Step& step)
{
    DWORD code = STILL_ACTIVE;
    const auto ended = [&] {
        return GetExitCodeProcess(run.program.hProcess, &code) && code != STILL_ACTIVE;
    };
    Pump(step.message == kLook ? 250 : 0);  // shown, drawn and in front
    if (step.act)
        step.act(run);
    else if (step.message == kLook)
        Look(run);
    else if (step.message == kEnds && Until(ended, DWORD(step.wParam)))
        run.seen.push_back("exit " + std::to_string(code));
    else if (step.message == kEnds)
        run.seen.push_back("running");
    else if (step.message == kMove && SetCursorPos(int(step.wParam), int(step.lParam)))
        PostMessageA(run.window, WM_MOUSEMOVE, 0, 0);
    else if (step.message != kSleep && step.message != kMove)
        PostMessageA(run.window, step.message, step.wParam, step.lParam);
    Pump(step.message == kSleep ? DWORD(step.wParam) : step.message == kMove ? 100 : 0);
}

// The renderer's frames (the stand-in notes each swap) in the 2 s before 2.5 s from now: "paced"
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

// 2 s of what the sound server plays, as heard: "tone" (the music files'), "silence" or figures.
inline const auto Listen = +[](Run& run) { run.seen.push_back(Sound("listen")); };

// The folder's files and the per-program Wine settings; removed afterwards.
inline void Prepare(Run& run)
{
    const Scenario& row = run.row;
    const std::string dist = std::getenv("ZIREL_DIST") + std::string("\\Zirel.");
    const std::string recorder = std::getenv("ZIREL_STANDINS") + std::string("\\recorder.");
    const std::string music = std::getenv("ZIREL_ARTIFACTS") + std::string("\\");
    const std::pair<std::string, const char*> copies[] = {
        {dist + "scr", "Zirel.scr"},
        {row.kit & kRenderer ? dist + "dll" : "", "Zirel.dll"},
        {row.kit & kFake ? recorder + "exe" : "", "Zirel.dll"},
        {row.kit & kWinmm ? "" : recorder + "dll", "winmm.dll"},
        {row.kit & kPassword ? recorder + "dll" : "", "PASSWORD.CPL"},
        {music + "song.mp3", "song.mp3"},
        {music + "sound.wav", "sound.wav"}};
    std::filesystem::remove_all(run.dir);  // what an interrupted run left
    std::filesystem::create_directory(run.dir);
    for (const auto& [from, to] : copies)
        ASSERT_TRUE(from.empty() || CopyFileA(from.c_str(), run.File(to).c_str(), FALSE)) << from;
    std::ofstream(run.File("standin.txt"), std::ios::binary) << row.script;
    std::ofstream(run.File("Zirel.ini"), std::ios::binary) << Replace(row.ini, "%DIR%", run.dir);
    // NOTE: Wine takes these per program from the registry (WINEDLLOVERRIDES does not reach
    // children). Unmanaged, a window goes at once; a managed one waits 2 s for a window manager.
    const std::string apps = "Software\\Wine\\AppDefaults\\Zirel.";
    for (const char* app : {"scr\\X11 Driver", "dll\\X11 Driver"})
        RegSetKeyValueA(HKEY_CURRENT_USER, (apps + app).c_str(), "Managed", REG_SZ, "N", 2);
    if (!(row.kit & kWinmm))
        RegSetKeyValueA(HKEY_CURRENT_USER, (apps + "scr\\DllOverrides").c_str(), "winmm", REG_SZ,
                        "native", 7);
    RegSetKeyValueA(HKEY_CURRENT_USER, (apps + "dll").c_str(), "Version", REG_SZ,
                    row.kit & kWin98 ? "win98" : "win10", 6);
    SetCursorPos(200, 200);
    if (row.kit & kWinmm)
        Sound((row.kit & kSound) == kSound ? "on" : "off");
}

// What the row's processes left: their records in the order they were made, then `file`.
inline std::string Collect(Run& run)
{
    TerminateJobObject(run.job, 99);
    Until([&] { return JobProcesses(run.job).empty(); }, 5000);
    CloseHandle(run.job);
    CloseHandle(run.program.hProcess);
    DestroyWindow(run.host);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\Zirel.scr");
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\Zirel.dll");
    std::vector<std::string> records = Lines(Read(run.File("standin.log")));
    std::sort(records.begin(), records.end());  // by their times, all of 17 digits
    for (const std::string& record : records)
        run.seen.push_back(record.substr(record.find(' ') + 1));
    for (const std::string& line : Lines(Read(run.File(run.row.file))))
        run.seen.push_back(line);
    std::string seen;
    for (const std::string& line : run.seen)
        seen += Replace(line, run.dir, "%DIR%") + "\n";
    std::error_code readOnly;  // a read-only folder stays till run.sh ends
    std::filesystem::remove_all(run.dir, readOnly);
    return seen;
}

inline void RunScenario(const Scenario& row)
{
    Run run{row, std::getenv("TEMP") + ("\\zirel_" + std::string(row.name))};
    Prepare(run);
    row.prepare(run);
    if (::testing::Test::IsSkipped())
        return (void)Collect(run);
    run.program = Start(run, row.command);
    const auto shown = [&] {  // the row's window: the host's child or a top-level one
        run.window = FindWindowExA(run.host, nullptr, nullptr, row.window);
        run.window = run.window ? run.window : FindWindowA(nullptr, row.window);
        return IsWindowVisible(run.window);
    };
    Until(shown, *row.window ? kStartMs : 0);
    for (const Step& step : row.steps)
        Play(run, step);
    Play(run, Step(kEnds, 5000));
    std::string expected;
    for (const std::string& line : Lines(row.seen))
        expected += line + "\n";
    EXPECT_EQ(Collect(run), expected);
}

// The screen's area of `window` (none: all monitors) as `file` (.png, .ppm, ...) in the
// artifacts' folder; its path.
inline std::string SaveArtifact(HWND window, const std::string& file)
{
    RECT r{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
           r.left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
           r.top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    if (window)
        GetWindowRect(window, &r);
    const std::string path = std::getenv("ZIREL_ARTIFACTS") + ("\\" + file);
    char area[64];
    std::snprintf(area, 64, "%ldx%ld+%ld+%ld", r.right - r.left, r.bottom - r.top, r.left, r.top);
    AskRunSh("screenshot " + std::string(area) + " " + file, path);
    return path;
}

}  // namespace zt
