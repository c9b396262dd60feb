// Runs each music procedure once through the real winmm binding, for the winmm stand-in's test.
// Exit code: 1 when the CD watch step left the watch running, else 0.
#include <windows.h>

#include "music_player.h"
#include "settings.h"
#include "win32_winmm_mci.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    Settings choice;
    choice.bgmRepeat = 3;
    choice.bgmFile = "C:\\m\\song.mp3";
    WinmmMci mci;
    MusicPlayer player(mci, choice);

    player.CdOpen();
    const bool watching = player.CdWatch();
    player.CdClose();
    player.Mp3Start();
    player.Mp3Loop();
    player.Mp3Close();
    choice.bgmFile = "C:\\m\\tune.wav";
    player.WavStart();
    player.WavStop();
    return watching ? 1 : 0;
}
