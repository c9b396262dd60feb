// The Windows-side tests are rows of one table: a command line, a Zirel.ini, the stand-ins'
// script, steps, and what must be seen. RunScenario plays a row in a scratch folder and compares
// what it saw with the row, naming the first line that differs.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zt {

inline constexpr char kRendererTitle[] = "Vant_VC";
inline constexpr char kRunTitle[] = "Vant_Main";
inline constexpr char kDialogTitle[] = "<Zirel>";
inline constexpr DWORD kStartMs = 15000;
inline constexpr DWORD kEndMs = 5000;

// What lies beside the program besides the recording winmm.dll (always there).
enum Kit : unsigned {
    kRenderer = 1,      // the real Zirel.dll
    kFakeRenderer = 2,  // the stand-in as Zirel.dll: logs how it was started; script "Zirel.dll=<window 0|1> <life ms>"
    kTextRenderer = 4,  // a Zirel.dll that is no program
    kPasswordCpl = 8,   // the stand-in as PASSWORD.CPL; script "VerifyScreenSavePwd=<1 lets it close>"
    kWin98 = 16,        // Wine tells Zirel.dll it runs on Windows 98
    kCursor = 32,       // looks and the end also read the launcher's cursor count ("cursor -1")
};

struct Run;

// Pseudo-messages of a step; any other message is posted to the row's window.
enum : UINT {
    kLook = WM_APP,  // note every window of the row's processes and of the host (wParam 1: with children)
    kSleep,          // pump wParam ms
    kMove,           // cursor to (wParam, lParam), then WM_MOUSEMOVE to the row's window
    kEnds,           // note "exit N" once the program ends within wParam ms, else "running"
    kStart,          // start the program here (without it, it starts before the first step)
};

struct Step {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    void (*act)(Run&) = nullptr;  // when set, called instead
};

// "%DIR%" stands for the scratch folder everywhere, "%HOST%" for the host window's handle.
struct Scenario {
    const char* name;
    std::string command;            // "Zirel.scr /s" or "Zirel.dll ..."; the program is copied
    std::string ini;                // Zirel.ini; none when empty
    std::string script;             // the stand-ins' answers: "<logged line prefix>=<answer>" lines
    unsigned kit = 0;
    const char* window = "";        // title of the window steps go to (top-level or the host's child)
    std::vector<Step> steps;
    // Seen, in order: the looks' lines, "exit N" (", K left" when processes it started outlive it),
    // "cursor N" (kCursor), the stand-ins' log ("*"/"+" before lines: a group repeated 0+/1+
    // times; " @ms" after one: that long after the line before, within 50 ms), then `file`.
    std::vector<std::string> seen;
    const char* host = "";          // title of a test-owned window, visible where hostRect is set
    RECT hostRect{};
    const char* file = "";          // a file of the folder whose lines end what is seen
};

void RunScenario(const Scenario& row);

// The parts, for acts and for tests that need one on its own.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    bool Copy(const std::string& sourcePath, const std::string& name) const;
    bool Write(const std::string& name, const std::string& content) const;
    std::string Read(const std::string& name) const;

private:
    std::string path_;
};

// A started program, ended by its handle when the object goes.
class Process {
public:
    Process() = default;
    ~Process() { Kill(); }
    Process(Process&& other) noexcept : info_(other.info_) { other.info_ = {}; }
    Process& operator=(Process&& other) noexcept;
    static Process Start(const std::string& exe, const std::string& commandLine,
                         const std::string& workingDir = "", DWORD flags = 0);
    bool Started() const { return info_.hProcess != nullptr; }
    DWORD Id() const { return info_.dwProcessId; }
    DWORD ThreadId() const { return info_.dwThreadId; }
    HANDLE Handle() const { return info_.hProcess; }
    bool WaitExit(DWORD ms) const;  // pumping this thread's messages meanwhile
    bool Running() const { return Started() && !WaitExit(0); }
    DWORD ExitCode() const;
    void Kill();

private:
    PROCESS_INFORMATION info_{};
};

// A row being played.
struct Run {
    const Scenario& row;
    ScratchDir dir;
    HANDLE job = nullptr;            // every process the row starts, and theirs
    Process program;
    std::vector<Process> others;     // started by acts
    HWND host = nullptr;
    HMODULE hooks = nullptr;         // zirel_hooks.dll, hooked into every Zirel.dll started
    std::vector<HHOOK> hooked;
    std::vector<std::string> seen;

    // Starts "<program> <arguments>" from the folder, placeholders replaced, inside the job.
    Process Start(const std::string& command);
    std::string Expand(std::string text) const;
    HWND Window(DWORD ms = kStartMs) const;  // the row's window
};

// Waits up to `ms` for a top-level window with that title (and class); pumps meanwhile.
HWND WaitForWindow(const char* title, DWORD ms, const char* windowClass = nullptr);
void Pump(DWORD ms);
std::vector<std::string> Lines(const std::string& text);

struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first
    uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
};
Screenshot CaptureRect(const RECT& rect);
Screenshot CaptureScreen();
// Writes a BMP into the artifact folder (ZIREL_ARTIFACTS) when there is one.
std::string SaveArtifact(const Screenshot& shot, const std::string& name);
std::string DistDir();

}  // namespace zt
