// Helpers for the Windows-side tests: scratch folders with copies of the programs, processes
// that are always ended by handle, waiting for windows by title, and screen captures.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zt {

// The window titles the programs are found by.
inline constexpr char kRendererTitle[] = "Vant_VC";  // the renderer's full-screen window
inline constexpr char kRunTitle[] = "Vant_Main";     // the launcher's hidden run form
inline constexpr char kDialogTitle[] = "<Zirel>";    // the settings dialog

// How long a test waits for a program to come up (a Wine start takes a few seconds) or end.
inline constexpr DWORD kStartMs = 15000;
inline constexpr DWORD kEndMs = 5000;

// Folder holding the built Zirel.scr / Zirel.dll (environment ZIREL_DIST, a Windows path).
std::string DistDir();
// Folder holding the built stand-ins (environment ZIREL_STANDINS).
std::string StandinDir();
// Folder for screenshots and other evidence (environment ZIREL_ARTIFACTS; may be empty).
std::string ArtifactDir();

// A fresh folder under %TEMP%, removed with its content when the object goes.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    // Copies `sourcePath` into this folder under `name`.
    bool Copy(const std::string& sourcePath, const std::string& name) const;
    bool Write(const std::string& name, const std::string& content) const;
    std::string Read(const std::string& name) const;

private:
    std::string path_;
};

// A started program. The destructor ends it (by its handle) if it is still running.
class Process {
public:
    Process() = default;
    ~Process();
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Starts `exe` with the whole command line `commandLine` (nullptr: exe alone).
    static Process Start(const std::string& exe, const std::string& commandLine,
                         const std::string& workingDir = "");

    bool Started() const { return info_.hProcess != nullptr; }
    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }
    // True when the process has ended within `ms`.
    bool WaitExit(DWORD ms) const;
    bool Running() const { return Started() && !WaitExit(0); }
    DWORD ExitCode() const;
    void Kill();

private:
    PROCESS_INFORMATION info_{};
};

// Top-level window with that title (and class, when given), waiting up to `ms`; nullptr if none.
HWND WaitForWindow(const char* title, DWORD ms, const char* windowClass = nullptr);
// True when no top-level window with that title exists within `ms`.
bool WaitForNoWindow(const char* title, DWORD ms);
// Handles this thread's messages for `ms` (keeps test-owned windows alive while waiting).
void Pump(DWORD ms);

struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first

    uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

// What the screen shows now (GDI reads what the X server shows).
Screenshot CaptureScreen();
// Part of the screen: the given rectangle in screen coordinates.
Screenshot CaptureRect(const RECT& rect);
// Writes a 24-bit BMP into ArtifactDir() (when set); returns the path written or "".
std::string SaveArtifact(const Screenshot& shot, const std::string& name);

// The lines of a text file's content, without their line ends (LF or CRLF).
std::vector<std::string> Lines(const std::string& text);

// Sets or removes the Windows version Wine reports to one program (e.g. "win98").
void SetWineVersionFor(const std::string& exeName, const char* version);

// While it lives, Wine loads winmm.dll from the program's own folder for programs named
// `exeName` (the recording stand-in, when a test has copied it there).
// NOTE: WINEDLLOVERRIDES set from a Windows process does not reach its children under Wine 8;
// the per-program registry entry does.
class ScopedNativeWinmm {
public:
    explicit ScopedNativeWinmm(const std::string& exeName);
    ~ScopedNativeWinmm();
    ScopedNativeWinmm(const ScopedNativeWinmm&) = delete;
    ScopedNativeWinmm& operator=(const ScopedNativeWinmm&) = delete;

private:
    std::string key_;
};

}  // namespace zt
