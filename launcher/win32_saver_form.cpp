// The saver run form over Win32: timers and window messages in, the run's decisions from
// saver_run_rules.h, music through MusicPlayer.
#include "win32_saver_form.h"

#include "renderer_contract.h"
#include "saver_run_rules.h"
#include "settings.h"
#include "win32_application_window.h"
#include "win32_text.h"
#include "win32_window.h"

namespace {

constexpr wchar_t kClassName[] = L"Vant_S";
constexpr wchar_t kTitle[] = L"Vant_Main";  // what a second launcher looks for

constexpr UINT kIntervals[] = {0, 1000, 200, 500};  // ms, by timer id

}  // namespace

Vant_S::Vant_S(const std::string& programFolder, char switchCharacter)
    : programFolder_(programFolder), switchCharacter_(switchCharacter), player_(mci_, settings)
{
}

void Vant_S::Open(const std::string& programFolder, char switchCharacter)
{
    static Vant_S form(programFolder, switchCharacter);

    zirel::RegisterClassOnce(kClassName, zirel::ObjectWindowProc<Vant_S>);
    // Never shown: it exists so that its title marks a run in progress.
    form.window_ = CreateWindowExW(0, kClassName, kTitle, WS_POPUP, 0, 0, 0, 0, ApplicationWindow(),
                                   nullptr, nullptr, &form);
    form.EnableTimer(kTimer3, true);
    form.Load();
}

void Vant_S::Load()
{
    if (settings.bgmKind == 1) {
        player_.CdOpen();
        EnableTimer(kTimer2, true);  // its first tick sends the first play command
    }
    if (settings.bgmKind == 2) {
        const MusicType type = MusicTypeOf(settings.bgmFile);
        if (type == MusicType::Wav)
            player_.WavStart();
        if (type == MusicType::Mp3) {
            player_.Mp3Start();
            EnableTimer(kTimer1, true);
        }
    }
    rendererSeen_ = false;
    rendererPath_ = programFolder_ + "\\" + kRendererFileName;
    StartRenderer();
}

void Vant_S::StartRenderer()
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    const std::wstring path = zirel::Utf16FromUtf8(rendererPath_);
    std::wstring commandLine = path;  // exactly the path: no quotes, no arguments
    // NOTE: the path is also the application name, so a folder with blanks (C:\Program Files\...)
    // cannot make Windows try C:\Program.exe first.
    if (CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        rendererProcess_ = process.hProcess;
    }
}

void Vant_S::Timer1Tick()
{
    player_.Mp3Loop();
}

void Vant_S::Timer2Tick()
{
    EnableTimer(kTimer2, player_.CdWatch());
}

void Vant_S::Timer3Tick()
{
    const bool windowFound = FindWindowA(nullptr, kRendererTitle) != nullptr;
    const bool processEnded =
        rendererProcess_ == nullptr || WaitForSingleObject(rendererProcess_, 0) == WAIT_OBJECT_0;
    if (RendererWatchStep(rendererSeen_, windowFound, processEnded) == WatchAction::EndRun) {
        EnableTimer(kTimer3, false);
        CloseRequest();
    }
}

void Vant_S::CloseRequest()
{
    if (TimerEnabled(kTimer2)) {
        EnableTimer(kTimer2, false);
        player_.CdClose();
    }
    if (settings.bgmKind == 2) {
        const MusicType type = MusicTypeOf(settings.bgmFile);
        if (type == MusicType::Wav)
            player_.WavStop();
        if (type == MusicType::Mp3) {
            EnableTimer(kTimer1, false);
            player_.Mp3Close();
        }
    }
    if (switchCharacter_ == 'S')
        ShowCursor(TRUE);  // balances the hiding at the start of a /s run
    if (rendererProcess_)
        CloseHandle(rendererProcess_);
    EndLauncher();
}

void Vant_S::EnableTimer(UINT id, bool enabled)
{
    if (enabled == timerEnabled_[id])
        return;
    timerEnabled_[id] = enabled;
    if (enabled)
        SetTimer(window_, id, kIntervals[id], nullptr);
    else
        KillTimer(window_, id);
}

LRESULT Vant_S::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        // A tick already queued when its timer was switched off is dropped.
        if (wParam < 4 && TimerEnabled(UINT(wParam))) {
            if (wParam == kTimer1) Timer1Tick();
            if (wParam == kTimer2) Timer2Tick();
            if (wParam == kTimer3) Timer3Tick();
        }
        return 0;
    case WM_CLOSE:
    case WM_QUERYENDSESSION:  // log-off or shut-down: stop the music and give the cursor back
        CloseRequest();
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
