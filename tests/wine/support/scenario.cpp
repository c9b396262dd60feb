// The scenario driver and the parts it is made of.
#include "scenario.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>

namespace zt {

namespace {

using Seen = std::vector<std::pair<long long, std::string>>;  // time stamp (-1: none), line

std::string Env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
        const std::string child = path + "\\" + found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            DeleteFileA(child.c_str());
        else if (found.cFileName[0] != '.')
            RemoveTree(child);
    }
    FindClose(search);
    RemoveDirectoryA(path.c_str());
}

// A per-program Wine setting (HKCU\Software\Wine\AppDefaults\<key>); a null value removes the key.
void AppDefault(const std::string& key, const char* name, const char* value)
{
    const std::string path = "Software\\Wine\\AppDefaults\\" + key;
    HKEY handle = nullptr;
    if (!value || RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return void(RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str()));
    RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), DWORD(std::strlen(value) + 1));
    RegCloseKey(handle);
}

std::vector<DWORD> JobProcesses(HANDLE job)
{
    struct {
        JOBOBJECT_BASIC_PROCESS_ID_LIST list;
        ULONG_PTR more[63];
    } ids{};
    ids.list.NumberOfAssignedProcesses = 64;
    QueryInformationJobObject(job, JobObjectBasicProcessIdList, &ids, sizeof(ids), nullptr);
    return {ids.list.ProcessIdList, ids.list.ProcessIdList + ids.list.NumberOfProcessIdsInList};
}

BOOL CALLBACK Collect(HWND window, LPARAM windows)
{
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

// Top-level windows, or every window below `parent`.
std::vector<HWND> Windows(HWND parent)
{
    std::vector<HWND> windows;
    parent ? EnumChildWindows(parent, Collect, LPARAM(&windows)) : EnumWindows(Collect, LPARAM(&windows));
    return windows;
}

// "<title> <class> <style> <extended style> <screen rectangle>[ foreground]".
std::string Describe(HWND window)
{
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    char text[768] = {};
    WideCharToMultiByte(CP_UTF8, 0, title, -1, text, sizeof(text), nullptr, nullptr);
    char className[64] = {};
    GetClassNameA(window, className, sizeof(className));
    RECT r{};
    GetWindowRect(window, &r);
    char line[1024];
    std::snprintf(line, sizeof(line), "%s %s %08lx %lx %ld,%ld,%ld,%ld%s", text, className,
                  GetWindowLongA(window, GWL_STYLE), GetWindowLongA(window, GWL_EXSTYLE), r.left, r.top, r.right,
                  r.bottom, window == GetForegroundWindow() ? " foreground" : "");
    return line;
}

// The first visible window with that title below `parent` (nullptr: the top-level ones).
HWND Visible(HWND parent, const char* title)
{
    HWND window = nullptr;
    do
        window = FindWindowExA(parent, window, nullptr, title);
    while (window && !IsWindowVisible(window));
    return window;
}

// The launcher's cursor count: this thread shares its input, and with it the count.
std::string Cursor(const Run& run)
{
    AttachThreadInput(GetCurrentThreadId(), run.program.ThreadId(), TRUE);
    const int count = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    return "cursor " + std::to_string(count);
}

void Look(Run& run, bool deep, HWND)
{
    Pump(250);  // settled: shown, drawn and in front
    const std::vector<DWORD> ids = JobProcesses(run.job);
    std::vector<std::string> lines;
    for (HWND window : Windows(nullptr)) {
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        char className[8] = {};
        GetClassNameA(window, className, sizeof(className));
        if ((window != run.host && std::find(ids.begin(), ids.end(), id) == ids.end()) || !strcmp(className, "IME"))
            continue;
        lines.push_back(Describe(window));
        for (HWND child : deep || window == run.host ? Windows(window) : std::vector<HWND>{})
            lines.back() += "\n> " + Describe(child);
    }
    std::sort(lines.begin(), lines.end());
    for (const std::string& line : lines)
        for (const std::string& part : Lines(line))
            run.seen.push_back(part);
    if (run.row.kit & kCursor)
        run.seen.push_back(Cursor(run));
}

// "exit N" and how many processes of the run outlive the program by a second; "running".
std::string Exit(const Run& run, DWORD ms)
{
    if (!run.program.WaitExit(ms))
        return "running";
    for (DWORD start = GetTickCount(); !JobProcesses(run.job).empty() && GetTickCount() - start < 1000;)
        Pump(20);
    const size_t left = JobProcesses(run.job).size();
    return "exit " + std::to_string(run.program.ExitCode()) + (left ? ", " + std::to_string(left) + " left" : "");
}

// The stand-ins' records in the order they happened.
Seen Log(const Run& run)
{
    Seen log;
    std::istringstream in(run.dir.Read("standin.log"));
    long long stamp = 0;
    for (std::string text; in >> stamp && in.get() && std::getline(in, text);)
        log.emplace_back(stamp, text);
    std::stable_sort(log.begin(), log.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return log;
}

// Whether seen line `at` is the expected line `pattern` ("*"/"+" mark and " @ms" gap allowed).
bool Matches(const Seen& seen, size_t at, std::string pattern)
{
    pattern.erase(0, pattern[0] == '*' || pattern[0] == '+');
    const size_t gap = pattern.rfind(" @");
    const int ms = gap == std::string::npos ? -1 : std::atoi(pattern.c_str() + gap + 2);
    if (at >= seen.size() || seen[at].second != pattern.substr(0, gap))
        return false;
    return ms < 0 || (at > 0 && std::abs((seen[at].first - seen[at - 1].first) / 1000 - ms) < 50);
}

// "" when the seen lines follow the expected ones, else the first expected row that differs.
std::string Compare(const Seen& seen, const std::vector<std::string>& expected)
{
    size_t s = 0;
    size_t e = 0;
    while (e < expected.size()) {
        const char mark = expected[e][0] == '*' || expected[e][0] == '+' ? expected[e][0] : 0;
        size_t end = e + 1;
        while (mark && end < expected.size() && expected[end][0] == mark)
            ++end;
        int times = 0;
        for (bool whole = true; whole && (times == 0 || mark);) {
            size_t at = s;
            for (size_t k = e; k < end && whole; ++k)
                whole = Matches(seen, at++, expected[k]);
            s = whole ? at : s;
            times += whole;
        }
        if (times == 0 && mark != '*')
            break;
        e = end;
    }
    if (e == expected.size() && s == seen.size())
        return "";
    std::ostringstream out;
    out << "expected row " << e << ": " << (e < expected.size() ? expected[e] : "(end)") << "\nseen:\n";
    for (size_t i = 0; i < seen.size(); ++i)
        out << (i == s ? "=> " : "   ") << seen[i].second << (seen[i].first > 0 && i > 0 && seen[i - 1].first > 0 ? " @" + std::to_string((seen[i].first - seen[i - 1].first) / 1000) : "") << "\n";
    return out.str();
}

}  // namespace

std::string DistDir() { return Env("ZIREL_DIST"); }

ScratchDir::ScratchDir()
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    static int counter = 0;
    do
        path_ = std::string(temp) + "zirel_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
    while (!CreateDirectoryA(path_.c_str(), nullptr));
}

ScratchDir::~ScratchDir() { RemoveTree(path_); }

bool ScratchDir::Copy(const std::string& sourcePath, const std::string& name) const
{
    return CopyFileA(sourcePath.c_str(), File(name).c_str(), FALSE) != 0;
}

bool ScratchDir::Write(const std::string& name, const std::string& content) const
{
    std::ofstream out(File(name), std::ios::binary | std::ios::trunc);
    return bool(out << content);
}

std::string ScratchDir::Read(const std::string& name) const
{
    std::ostringstream text;
    text << std::ifstream(File(name), std::ios::binary).rdbuf();
    return text.str();
}

Process& Process::operator=(Process&& other) noexcept
{
    std::swap(info_, other.info_);
    return *this;
}

Process Process::Start(const std::string& exe, const std::string& commandLine, const std::string& workingDir,
                       DWORD flags)
{
    Process process;
    STARTUPINFOA startup{sizeof(startup)};
    std::string line = commandLine;
    if (!CreateProcessA(exe.c_str(), line.empty() ? nullptr : line.data(), nullptr, nullptr, FALSE, flags, nullptr,
                        workingDir.empty() ? nullptr : workingDir.c_str(), &startup, &process.info_))
        process.info_ = {};
    return process;
}

bool Process::WaitExit(DWORD ms) const
{
    for (const DWORD start = GetTickCount(); Started(); Pump(10)) {
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0)
            return true;
        if (GetTickCount() - start >= ms)
            return false;
    }
    return false;
}

DWORD Process::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

void Process::Kill()
{
    if (!Started())
        return;
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, kEndMs);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
    info_ = {};
}

Process Run::Start(const std::string& command)
{
    const std::string text = Expand(command);
    const std::string program = text.substr(0, text.find(' '));
    const std::string exe = dir.File(program);
    Process process = Process::Start(exe, exe + text.substr(program.size()), dir.Path(), CREATE_SUSPENDED);
    AssignProcessToJobObject(job, process.Handle());
    if (program == "Zirel.dll") {
        hooks = hooks ? hooks : LoadLibraryA(dir.File("zirel_hooks.dll").c_str());
        for (auto [type, name] : {std::pair{WH_CBT, "CbtHook"}, {WH_MOUSE, "MouseHook"}})
            hooked.push_back(SetWindowsHookExA(type, HOOKPROC(GetProcAddress(hooks, name)), hooks, process.ThreadId()));
    }
    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, process.ThreadId());
    ResumeThread(thread);
    CloseHandle(thread);
    return process;
}

std::string Run::Expand(std::string text) const
{
    const std::string handle = std::to_string(uint32_t(reinterpret_cast<uintptr_t>(host)));
    for (auto [name, value] : {std::pair{"%DIR%", dir.Path()}, {"%HOST%", handle}})
        for (size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + value.size()))
            text.replace(at, std::strlen(name), value);
    return text;
}

HWND Run::Window(DWORD ms) const
{
    HWND window = nullptr;
    for (const DWORD start = GetTickCount(); !window && GetTickCount() - start < ms; Pump(20))
        window = host && Visible(host, row.window) ? Visible(host, row.window) : Visible(nullptr, row.window);
    return window;
}

void RunScenario(const Scenario& row)
{
    SetCursorPos(200, 200);
    Run run{row};
    const std::string standins = Env("ZIREL_STANDINS");
    const std::string program = row.command.substr(0, row.command.find(' '));
    ASSERT_TRUE(run.dir.Copy(DistDir() + "\\Zirel.scr", "Zirel.scr"));
    run.dir.Copy(standins + "\\recorder.dll", "winmm.dll");
    run.dir.Copy(standins + "\\recorder.dll", "zirel_hooks.dll");
    if (row.kit & kPasswordCpl)
        run.dir.Copy(standins + "\\recorder.dll", "PASSWORD.CPL");
    if (row.kit & (kRenderer | kFakeRenderer) || program == "Zirel.dll")
        run.dir.Copy(row.kit & kFakeRenderer ? standins + "\\recorder.exe" : DistDir() + "\\Zirel.dll", "Zirel.dll");
    if (row.kit & kTextRenderer)
        run.dir.Write("Zirel.dll", "This is not a program.\r\n");
    run.dir.Write("song.mp3", "ID3");
    run.dir.Write("sound.wav", "RIFF");
    if (!row.ini.empty())
        run.dir.Write("Zirel.ini", run.Expand(row.ini));
    run.dir.Write("standin.txt", run.Expand(row.script));
    AppDefault("Zirel.scr\\DllOverrides", "winmm", "native");
    AppDefault("Zirel.dll", "Version", row.kit & kWin98 ? "win98" : nullptr);
    static const ATOM hostClass = [] {
        WNDCLASSA windowClass{0, DefWindowProcA, 0, 0, GetModuleHandleA(nullptr)};
        windowClass.hbrBackground = HBRUSH(GetStockObject(WHITE_BRUSH));
        windowClass.lpszClassName = "WindowsScreenSaverClass";  // what a saver still starting shows
        return RegisterClassA(&windowClass);
    }();
    const RECT& r = row.hostRect;
    if (*row.host)
        run.host = CreateWindowExA(r.right ? WS_EX_TOPMOST : 0, MAKEINTATOM(hostClass), row.host,
                                   WS_POPUP | WS_CLIPCHILDREN | (r.right ? WS_VISIBLE : 0), r.left, r.top,
                                   r.right - r.left, r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(GetDesktopWindow());
    run.job = CreateJobObjectA(nullptr, nullptr);

    if (std::none_of(row.steps.begin(), row.steps.end(), [](const Step& s) { return s.message == kStart; }))
        run.program = run.Start(row.command);
    for (const Step& step : row.steps) {
        if (step.act)
            step.act(run);
        else if (step.message == kStart)
            run.program = run.Start(row.command);
        else if (step.message == kLook)
            Look(run, step.wParam, run.Window(*row.window ? kStartMs : 0));
        else if (step.message == kSleep)
            Pump(DWORD(step.wParam));
        else if (step.message == kEnds)
            run.seen.push_back(Exit(run, DWORD(step.wParam)));
        else if (step.message == kMove && SetCursorPos(int(step.wParam), int(step.lParam)))
            PostMessageA(run.Window(), WM_MOUSEMOVE, 0, 0);
        else
            PostMessageA(run.Window(), step.message, step.wParam, step.lParam);
    }
    run.seen.push_back(Exit(run, kEndMs));
    if (row.kit & kCursor)
        run.seen.push_back(Cursor(run));
    TerminateJobObject(run.job, 99);
    CloseHandle(run.job);
    for (HHOOK hook : run.hooked)
        UnhookWindowsHookEx(hook);
    FreeLibrary(run.hooks);
    AppDefault("Zirel.scr\\DllOverrides", "", nullptr);
    AppDefault("Zirel.dll", "", nullptr);
    DestroyWindow(run.host);

    Seen seen = Log(run);
    for (const std::string& line : *row.file ? Lines(run.dir.Read(row.file)) : std::vector<std::string>{})
        seen.emplace_back(-1, line);
    for (auto line = run.seen.rbegin(); line != run.seen.rend(); ++line)
        seen.emplace(seen.begin(), -1, *line);
    for (auto& [stamp, line] : seen)
        for (size_t at = line.find(run.dir.Path()); at != std::string::npos; at = line.find(run.dir.Path()))
            line.replace(at, run.dir.Path().size(), "%DIR%");
    EXPECT_EQ(Compare(seen, row.seen), "");
}

HWND WaitForWindow(const char* title, DWORD ms, const char* windowClass)
{
    HWND window = nullptr;
    for (const DWORD start = GetTickCount(); !(window = FindWindowA(windowClass, title)) && GetTickCount() - start < ms;)
        Pump(20);
    return window;
}

void Pump(DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(5);
    } while (GetTickCount() - start < ms);
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line.substr(0, line.find_last_not_of('\r') + 1));
    return lines;
}

Screenshot CaptureRect(const RECT& rect)
{
    Screenshot shot{rect.right - rect.left, rect.bottom - rect.top};
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, shot.width, shot.height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.width, shot.height, screen, rect.left, rect.top, SRCCOPY);
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), shot.width, -shot.height, 1, 32}};
    shot.pixels.resize(size_t(shot.width) * shot.height);
    GetDIBits(memory, bitmap, 0, shot.height, shot.pixels.data(), &info, DIB_RGB_COLORS);
    for (uint32_t& p : shot.pixels)
        p &= 0x00FFFFFF;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

Screenshot CaptureScreen() { return CaptureRect(RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}); }

std::string SaveArtifact(const Screenshot& shot, const std::string& name)
{
    const std::string path = Env("ZIREL_ARTIFACTS") + "\\" + name;
    const DWORD size = DWORD(shot.pixels.size() * 4);
    BITMAPFILEHEADER file{0x4D42, DWORD(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) + size, 0, 0,
                          sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    BITMAPINFOHEADER info{sizeof(info), shot.width, -shot.height, 1, 32};
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file)).write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(reinterpret_cast<const char*>(shot.pixels.data()), size);
    return Env("ZIREL_ARTIFACTS").empty() || !out ? "" : path;
}

}  // namespace zt
