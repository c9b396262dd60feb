// Vant_S: the hidden form "Vant_Main" that carries a full-screen run. It starts the music, then
// the renderer, keeps the music going and ends the launcher once the renderer has gone.
#pragma once

#include <windows.h>

#include <string>

#include "music_player.h"
#include "win32_winmm_mci.h"

class Vant_S {
public:
    // Creates the hidden window and runs Load. The object lives until the process ends.
    static void Open(const std::string& programFolder, char switchCharacter);

    // Every message of its window.
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    Vant_S(const std::string& programFolder, char switchCharacter);

    // Handlers of the form.
    void Load();
    [[noreturn]] void CloseRequest();  // never cancels: stops the music, gives the cursor back, ends the process
    void Timer1Tick();    // MP3 restart, 1000 ms
    void Timer2Tick();    // CD watch, 200 ms
    void Timer3Tick();    // renderer watch, 500 ms

    void EnableTimer(UINT id, bool enabled);
    bool TimerEnabled(UINT id) const { return timerEnabled_[id]; }
    void StartRenderer();

    static constexpr UINT kTimer1 = 1, kTimer2 = 2, kTimer3 = 3;

    HWND window_ = nullptr;
    std::string programFolder_;
    char switchCharacter_;
    WinmmMci mci_;
    MusicPlayer player_;
    bool timerEnabled_[4] = {};
    bool rendererSeen_ = false;
    std::string rendererPath_;
    // Held so that a renderer that crashes or never shows its window still ends the run.
    HANDLE rendererProcess_ = nullptr;
};
