// The Windows-side tests are rows of one table: a command line, a Zirel.ini, the recorder's
// script, steps, and what must be seen. RunScenario plays a row in a scratch folder and names the
// first line of what it saw that differs from the row, the way Wine's message tests do.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>
#include <shellapi.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace zt {

inline constexpr char kRendererTitle[] = "Vant_VC", kRunTitle[] = "Vant_Main",
                      kDialogTitle[] = "<Zirel>";
inline constexpr DWORD kStartMs = 15000, kEndMs = 5000;

// Beside the program, besides Zirel.scr and the recorder as winmm.dll (which logs "cursor N" as
// the launcher loads it at the first music call and unloads it at the exit):
//   kRenderer      the real Zirel.dll (always there when it is the program)
//   kFake       the recorder as Zirel.dll; script "Zirel.dll=<window 0|1> <life ms>"
//   kText       a Zirel.dll that is no program
//   kPassword   the recorder as PASSWORD.CPL; script "VerifyScreenSavePwd=<1 lets it close>"
//   kWin98      Wine tells Zirel.dll it runs on Windows 98
enum Kit : unsigned { kRenderer = 1, kFake = 2, kText = 4, kPassword = 8, kWin98 = 16 };

struct Run;

// A step: `act` when set, else a message posted to the row's window or one of these:
//   kLook   a line per window of the row's processes and of the host (wParam 1: with children)
//   kSleep  pump wParam ms
//   kMove   the cursor to (wParam, lParam), then WM_MOUSEMOVE, handled before the next step
//   kEnds   "exit N" once the program ends within wParam ms, else "running"
//   kStart  start the program here (without it, it starts before the first step)
enum : UINT { kLook = WM_APP, kSleep, kMove, kEnds, kStart };
struct Step {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    void (*act)(Run&) = nullptr;
};

// "%DIR%" stands for the scratch folder, "%HOST%" for the host window's handle.
struct Scenario {
    const char* name;
    std::string command;  // "Zirel.scr /s" or "Zirel.dll ..."
    std::string ini;      // Zirel.ini; none when empty
    std::string script;   // the recorder's answers: "<start of a logged line>=<answer>" lines
    unsigned kit = 0;
    const char* window = "";  // title of the window steps go to (top-level or the host's child)
    std::vector<Step> steps;
    // Seen: the looks, "exit N" (", K left": processes it started still run 3 s later), the
    // recorder's log in time order, then `file`. "*"/"+" lead a group of lines repeated 0+/1+
    // times; " @ms" ends a line seen that long (within 50 ms) after the line before.
    std::vector<std::string> seen;
    const char* host = "";  // title of a test window of class WindowsScreenSaverClass
    RECT hostRect{};        // where the host shows; hidden when empty
    const char* file = "";
    friend std::ostream& operator<<(std::ostream& out, const Scenario& row)
    {
        return out << row.name;
    }
};

// Handles this thread's messages until `done` holds or `ms` have passed; whether it holds.
template <typename Done>
bool Until(Done done, DWORD ms)
{
    for (const DWORD start = GetTickCount(); !done(); Sleep(5)) {
        for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);)
            DispatchMessageA(&msg);
        if (GetTickCount() - start >= ms)
            return false;
    }
    return true;
}

inline void Pump(DWORD ms)
{
    Until([] { return false; }, ms);
}

inline HWND WaitForWindow(const char* title, DWORD ms, const char* windowClass = nullptr)
{
    HWND window = nullptr;
    Until([&] { return window = FindWindowA(windowClass, title); }, ms);
    return window;
}

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

// The windows below `parent` (top-level ones for nullptr), with that title where one is given.
inline std::vector<HWND> Windows(HWND parent, const char* title = nullptr)
{
    std::vector<HWND> windows;
    for (HWND window = nullptr; (window = FindWindowExA(parent, window, nullptr, title));)
        windows.push_back(window);
    return windows;
}

// The ids of the job's processes (a JOBOBJECT_BASIC_PROCESS_ID_LIST: two counts, then the ids).
inline std::vector<ULONG_PTR> JobProcesses(HANDLE job)
{
    std::vector<ULONG_PTR> list(65, 64);
    QueryInformationJobObject(job, JobObjectBasicProcessIdList, list.data(), 65 * 8, nullptr);
    return {list.begin() + 1, list.begin() + 1 + (list[0] >> 32)};
}

struct ScratchDir {
    std::string path;
    const std::string& Path() const { return path; }
    std::string File(const std::string& name) const { return path + "\\" + name; }
    bool Write(const std::string& name, const std::string& text) const
    {
        return bool(std::ofstream(File(name), std::ios::binary) << text);
    }
    std::string Read(const std::string& name) const
    {
        std::ifstream in(File(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

struct Process {
    PROCESS_INFORMATION info{};
    DWORD ThreadId() const { return info.dwThreadId; }
};

// A row being played; its job holds what it started and what that started.
struct Run {
    const Scenario& row;
    ScratchDir dir;
    HANDLE job = CreateJobObjectA(nullptr, nullptr);
    Process program;
    HWND host = nullptr;
    // The recorder, hooked into each Zirel.dll: system commands noted, real mouse input dropped.
    HMODULE hooks = nullptr;
    std::vector<std::string> seen;

    // "<program> <arguments>", from the folder.
    Process Start(const std::string& command)
    {
        const std::string handle = std::to_string(uint32_t(uintptr_t(host)));
        const std::string text = Replace(Replace(command, "%DIR%", dir.path), "%HOST%", handle);
        const std::string program = text.substr(0, text.find(' '));
        const std::string exe = dir.File(program);
        std::string line = exe + text.substr(program.size());
        STARTUPINFOA startup{sizeof(startup)};
        Process process;
        CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                       dir.path.c_str(), &startup, &process.info);
        AssignProcessToJobObject(job, process.info.hProcess);
        hooks = hooks ? hooks : LoadLibraryA(dir.File("zirel_hooks.dll").c_str());
        for (auto [type, name] : {std::pair{WH_CBT, "CbtHook"}, {WH_MOUSE, "MouseHook"}})
            if (program == "Zirel.dll")
                SetWindowsHookExA(type, HOOKPROC(GetProcAddress(hooks, name)), hooks,
                                  process.ThreadId());
        ResumeThread(process.info.hThread);
        CloseHandle(process.info.hThread);
        return process;
    }

    // The row's window, once shown.
    HWND Window(DWORD ms = kStartMs) const
    {
        HWND found = nullptr;
        Until(
            [&] {
                for (HWND parent : {host, HWND(nullptr)})
                    for (HWND window : Windows(parent, row.window))
                        found = found ? found : IsWindowVisible(window) ? window : nullptr;
                return found != nullptr;
            },
            ms);
        return found;
    }
};

// "exit N" once the program has ended within `ms`, else "running".
inline std::string Exit(const Run& run, DWORD ms)
{
    DWORD code = 0;
    const HANDLE process = run.program.info.hProcess;
    if (!Until([&] { return WaitForSingleObject(process, 0) != WAIT_TIMEOUT; }, ms))
        return "running";
    GetExitCodeProcess(process, &code);
    if (Until([&] { return JobProcesses(run.job).empty(); }, 3000))
        return "exit " + std::to_string(code);
    return "exit " + std::to_string(code) + ", " + std::to_string(JobProcesses(run.job).size()) +
           " left";
}

// "<title> <class> <style> <extended style> <rectangle>[ foreground]", then its children led by
// "> " when asked for.
inline void Describe(HWND window, bool children, std::vector<std::string>& lines,
                     const char* lead = "")
{
    wchar_t title[256] = {};
    char line[1024] = {};
    char className[64] = {};
    RECT r{};
    GetWindowTextW(window, title, 256);
    GetClassNameA(window, className, 64);
    GetWindowRect(window, &r);
    const int at = WideCharToMultiByte(CP_UTF8, 0, title, -1, line, 768, nullptr, nullptr) - 1;
    std::snprintf(line + at, 256, " %s %08lx %lx %ld,%ld,%ld,%ld%s", className,
                  GetWindowLongA(window, GWL_STYLE), GetWindowLongA(window, GWL_EXSTYLE), r.left,
                  r.top, r.right, r.bottom, window == GetForegroundWindow() ? " foreground" : "");
    lines.push_back(lead + std::string(line));
    for (HWND child : children ? Windows(window) : std::vector<HWND>{})
        Describe(child, true, lines, "> ");
}

// Every window of the row's processes but Wine's input-method ones, and the host with its children.
inline void Look(Run& run, bool deep)
{
    run.Window(*run.row.window ? kStartMs : 0);
    Pump(250);  // shown, drawn and in front
    const std::vector<ULONG_PTR> ids = JobProcesses(run.job);
    std::vector<std::vector<std::string>> windows;
    for (HWND window : Windows(nullptr)) {
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        if (window == run.host || std::count(ids.begin(), ids.end(), id))
            Describe(window, deep || window == run.host, windows.emplace_back());
    }
    std::sort(windows.begin(), windows.end());
    for (const auto& lines : windows)
        if (lines[0].find(" IME ") == std::string::npos)
            run.seen.insert(run.seen.end(), lines.begin(), lines.end());
}

inline void Play(Run& run, const Step& step)
{
    const UINT message = step.message == kMove ? UINT(WM_MOUSEMOVE) : step.message;
    if (step.act)
        step.act(run);
    else if (step.message == kStart)
        run.program = run.Start(run.row.command);
    else if (step.message == kLook)
        Look(run, step.wParam);
    else if (step.message == kEnds)
        run.seen.push_back(Exit(run, DWORD(step.wParam)));
    else if (step.message != kSleep &&
             (step.message != kMove || SetCursorPos(step.wParam, step.lParam)))
        PostMessageA(run.Window(), message, message == step.message ? step.wParam : 0,
                     message == step.message ? step.lParam : 0);
    Pump(step.message == kSleep ? DWORD(step.wParam) : step.message == kMove ? 100 : 0);
}

using Seen = std::vector<std::pair<long long, std::string>>;  // microseconds (0: no record), line

// Whether seen line `at` is the expected one ("*"/"+" mark and " @ms" allowed).
inline bool Matches(const Seen& seen, size_t at, std::string pattern)
{
    pattern.erase(0, pattern[0] == '*' || pattern[0] == '+');
    const size_t gap = pattern.rfind(" @");
    const long long ms = gap == std::string::npos ? -1 : std::atoi(pattern.c_str() + gap + 2);
    if (at >= seen.size() || seen[at].second != pattern.substr(0, gap))
        return false;
    return ms < 0 || (at > 0 && std::llabs((seen[at].first - seen[at - 1].first) / 1000 - ms) < 50);
}

// "" when the seen lines follow the expected ones, else the first expected row that differs.
inline std::string Compare(const Seen& seen, const std::vector<std::string>& expected)
{
    size_t s = 0;
    size_t e = 0;
    for (size_t end = 0; e < expected.size(); e = end) {
        const char mark = expected[e].find_first_of("*+") == 0 ? expected[e][0] : 0;
        for (end = e + 1; mark && end < expected.size() && expected[end][0] == mark;)
            ++end;
        int times = 0;
        for (bool whole = true; whole && (times == 0 || mark); times += whole) {
            size_t at = s;
            for (size_t k = e; k < end && whole; ++k)
                whole = Matches(seen, at++, expected[k]);
            s = whole ? at : s;
        }
        if (times == 0 && mark != '*')
            break;
    }
    std::string out =
        "expected row " + std::to_string(e) + ": " + (e < expected.size() ? expected[e] : "");
    for (size_t i = 0; i < seen.size(); ++i)
        out += (i == s ? "\n=> " : "\n   ") + seen[i].second + " @" +
               std::to_string(seen[i].first / 1000 % 100000);
    return e == expected.size() && s == seen.size() ? "" : out;
}

// The folder's files, the per-program Wine settings and the host; removed afterwards.
inline void Prepare(Run& run)
{
    const Scenario& row = run.row;
    const std::string dist = std::getenv("ZIREL_DIST") + std::string("\\");
    const std::string recorder = std::getenv("ZIREL_STANDINS") + std::string("\\recorder.");
    const bool renderer = row.kit & kRenderer || row.command.rfind("Zirel.dll", 0) == 0;
    const std::pair<std::string, const char*> copies[] = {
        {dist + "Zirel.scr", "Zirel.scr"},
        {renderer ? dist + "Zirel.dll" : "", "Zirel.dll"},
        {row.kit & kFake ? recorder + "exe" : "", "Zirel.dll"},
        {recorder + "dll", "winmm.dll"},
        {recorder + "dll", "zirel_hooks.dll"},
        {row.kit & kPassword ? recorder + "dll" : "", "PASSWORD.CPL"}};
    CreateDirectoryA(run.dir.path.c_str(), nullptr);
    for (const auto& [from, to] : copies)
        ASSERT_TRUE(from.empty() || CopyFileA(from.c_str(), run.dir.File(to).c_str(), 0)) << from;
    run.dir.Write("song.mp3", "ID3");
    run.dir.Write("sound.wav", "RIFF");
    run.dir.Write("standin.txt", Replace(row.script, "%DIR%", run.dir.path));
    if (!row.ini.empty())
        run.dir.Write("Zirel.ini", Replace(row.ini, "%DIR%", run.dir.path));
    if (row.kit & kText)
        run.dir.Write("Zirel.dll", "This is not a program.");
    // NOTE: Wine takes these per program from the registry; WINEDLLOVERRIDES does not reach
    // children.
    const char* const keys[] = {"Software\\Wine\\AppDefaults\\Zirel.scr\\DllOverrides",
                                "Software\\Wine\\AppDefaults\\Zirel.dll"};
    RegSetKeyValueA(HKEY_CURRENT_USER, keys[0], "winmm", REG_SZ, "native", 7);
    RegSetKeyValueA(HKEY_CURRENT_USER, keys[1], "Version", REG_SZ,
                    row.kit & kWin98 ? "win98" : "win10", 6);
    static const WNDCLASSA kHost{.lpfnWndProc = DefWindowProcA,
                                 .lpszClassName = "WindowsScreenSaverClass"};
    static const ATOM registered = RegisterClassA(&kHost);
    const RECT& r = row.hostRect;
    if (*row.host)
        run.host =
            CreateWindowExA(r.right ? WS_EX_TOPMOST : 0, MAKEINTATOM(registered), row.host,
                            WS_POPUP | WS_CLIPCHILDREN | (r.right ? WS_VISIBLE : 0), r.left, r.top,
                            r.right - r.left, r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(GetDesktopWindow());
    SetCursorPos(200, 200);
}

// What the row's processes left: their records, in the order they were made, and `file`.
inline Seen Collect(Run& run)
{
    TerminateJobObject(run.job, 99);
    Until([&] { return JobProcesses(run.job).empty(); }, kEndMs);
    CloseHandle(run.job);
    CloseHandle(run.program.info.hProcess);
    FreeLibrary(run.hooks);
    DestroyWindow(run.host);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\Zirel.scr");
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\Zirel.dll");
    Seen seen;
    for (const std::string& line : run.seen)
        seen.emplace_back(0, Replace(line, run.dir.path, "%DIR%"));
    std::istringstream log(Replace(run.dir.Read("standin.log"), run.dir.path, "%DIR%"));
    long long stamp = 0;
    for (std::string text; log >> stamp && log.get() && std::getline(log, text);)
        seen.emplace_back(stamp, text);
    std::stable_sort(seen.begin(), seen.end(), [](auto& a, auto& b) { return a.first < b.first; });
    for (const std::string& line : Lines(*run.row.file ? run.dir.Read(run.row.file) : ""))
        seen.emplace_back(0, Replace(line, run.dir.path, "%DIR%"));
    const std::string from = run.dir.path + '\0';  // a list of names, ended by an empty one
    SHFILEOPSTRUCTA remove{nullptr, FO_DELETE, from.c_str(), nullptr, FOF_NO_UI};
    SHFileOperationA(&remove);
    return seen;
}

inline void RunScenario(const Scenario& row)
{
    static int rows = 0;
    const std::string id = std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++rows);
    Run run{row, {std::getenv("TEMP") + ("\\zirel_" + id)}};
    Prepare(run);
    if (std::none_of(row.steps.begin(), row.steps.end(),
                     [](auto& s) { return s.message == kStart; }))
        Play(run, {kStart});
    for (const Step& step : row.steps)
        Play(run, step);
    run.seen.push_back(Exit(run, kEndMs));
    EXPECT_EQ(Compare(Collect(run), row.seen), "");
}

struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first
    uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

inline Screenshot CaptureRect(const RECT& rect)
{
    Screenshot shot{rect.right - rect.left, rect.bottom - rect.top};
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), shot.width, -shot.height, 1, 32}};
    shot.pixels.resize(size_t(shot.width) * shot.height);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, shot.width, shot.height);
    DeleteObject(SelectObject(memory, bitmap));
    BitBlt(memory, 0, 0, shot.width, shot.height, screen, rect.left, rect.top, SRCCOPY);
    GetDIBits(memory, bitmap, 0, shot.height, shot.pixels.data(), &info, DIB_RGB_COLORS);
    for (uint32_t& pixel : shot.pixels)
        pixel &= 0x00FFFFFF;
    DeleteDC(memory);
    DeleteObject(bitmap);
    ReleaseDC(nullptr, screen);
    return shot;
}

// As a BMP file in the folder ZIREL_ARTIFACTS names.
inline void SaveArtifact(const Screenshot& shot, const std::string& name)
{
    const DWORD size = DWORD(shot.pixels.size() * 4);
    const DWORD headers = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    const BITMAPFILEHEADER file{0x4D42, headers + size, 0, 0, headers};
    const BITMAPINFOHEADER info{sizeof(info), shot.width, -shot.height, 1, 32};
    std::ofstream out(std::getenv("ZIREL_ARTIFACTS") + ("\\" + name), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(reinterpret_cast<const char*>(shot.pixels.data()), size);
}

}  // namespace zt
