// Zirel.scr and Zirel.dll under Wine, row by row: what crosses a process, a window, the file
// system or a DLL. The rules behind them (parsers, music steps, input thresholds) are host-tested.
#include <gtest/gtest.h>

#include <algorithm>

#include "scenario.h"
#include "settings_file.h"

namespace zt {
void PrintTo(const Scenario& row, std::ostream* out) { *out << row.name; }
}  // namespace zt

namespace {

using namespace zt;

std::string Ini(const char* kind, const std::string& file, const char* repeat = " 0")
{
    return std::string("[") + kSettingsSection + "]\r\n" + kKeyBgmKind + "=" + kind + "\r\n" + kKeyBgmRepeat + "=" +
           repeat + "\r\n" + kKeyBgmFile + "=" + file + "\r\n";
}

// 255 bytes naming sound.wav beside the program: what the profile functions leave of a longer value.
std::string Cut()
{
    std::string path;
    while (path.size() < 246)
        path += ".\\";
    return path + "sound.wav";
}

// The number of records so far that start with `text`.
size_t Records(const Run& run, const std::string& text)
{
    const std::vector<std::string> log = Lines(run.dir.Read("standin.log"));
    return std::count_if(log.begin(), log.end(), [&](const std::string& line) { return line.find(" " + text) < 20; });
}

// The renderer's window closed a quarter second after the second MP3 query, halfway between
// two ticks of the launcher's watch.
void CloseRendererBetweenTicks(Run& run)
{
    while (Records(run, "mci: status MP3Play mode") < 2 && run.program.Running())
        Pump(5);
    Pump(250);
    PostMessageA(FindWindowA(nullptr, kRendererTitle), WM_CLOSE, 0, 0);
}

void DestroyHost(Run& run)
{
    DestroyWindow(run.host);
    run.host = nullptr;
}

void AdoptWindowAsHost(Run& run) { run.host = run.Window(); }

void StartPreviewInHost(Run& run)
{
    run.others.push_back(run.Start("Zirel.scr /p %HOST%"));
    for (int i = 0; i < 300 && !FindWindowExA(run.host, nullptr, "Vant_R", nullptr); ++i)
        Pump(50);
}

void StartTheSameAgain(Run& run) { run.others.push_back(run.Start(run.row.command)); }

void AcceptPasswords(Run& run) { run.dir.Write("standin.txt", "VerifyScreenSavePwd=1"); }

// Hue sixths with enough clearly coloured pixels to be a top; `lit` counts what is not black.
int Hues(const Screenshot& shot, int& lit)
{
    int sixths[6] = {};
    lit = 0;
    for (uint32_t pixel : shot.pixels) {
        const int c[3] = {int(pixel >> 16 & 255), int(pixel >> 8 & 255), int(pixel & 255)};
        const int top = int(std::max_element(c, c + 3) - c);
        const int low = *std::min_element(c, c + 3);
        lit += c[top] > 16;
        if (c[top] >= 48 && (c[top] - low) * 3 >= c[top])
            ++sixths[top * 2 + (c[(top + 1) % 3] >= c[(top + 2) % 3])];
    }
    return int(std::count_if(sixths, sixths + 6, [](int n) { return n >= 40; }));
}

// Two shots 2 s apart, once tops of two colours show (the colours fade in over the first frames).
void TopsMoveOverBlack(Run& run)
{
    Screenshot first;
    int lit = 0;
    for (int second = 0; second < 60 && Hues(first = CaptureScreen(), lit) < 2; ++second)
        Pump(1000);
    Pump(2000);
    const Screenshot later = CaptureScreen();
    SaveArtifact(first, "scene-1.bmp");
    SaveArtifact(later, "scene-2.bmp");
    int litLater = 0;
    size_t moved = 0;
    for (size_t i = 0; i < first.pixels.size(); ++i)
        moved += first.pixels[i] != later.pixels[i];
    const bool seen = Hues(first, lit) >= 2 && Hues(later, litLater) >= 2 && moved > 100 && lit * 4 < int(first.pixels.size());
    run.seen.push_back(seen ? "coloured lit tops move over black" : "lit " + std::to_string(lit) + ", moved " + std::to_string(moved));
}

const std::string kAppWindow = "Zirel ZirelApplication 84000000 0 0,0,0,0";
const std::string kRunForm = "Vant_Main Vant_S 84000000 0 0,0,0,0";
const std::string kSaver = "Vant_VC WindowsScreenSaverClass 96000000 8 0,0,1024,768 foreground";
const std::string kMessage = "Zirel #32770 94c801c4 10101 412,340,612,428 foreground";
const std::string kMp3 = Ini(" 2", "%DIR%\\song.mp3");
const std::string kWav = Ini(" 2", "%DIR%\\sound.wav");
const std::string kOpenMp3 = "mci: open \"%DIR%\\song.mp3\" type MPEGVideo Alias MP3Play";
const std::string kPlaying = "mci: status MP3Play mode=0 playing\n";
const Step kKey{WM_KEYDOWN, VK_SPACE};

// Zirel.dll alone: every input that ends it, and its window on screen.
Scenario Ends(const char* name, UINT message, WPARAM wParam, unsigned kit = 0, const char* command = "Zirel.dll")
{
    return {name, command, "", "VerifyScreenSavePwd=0", kit, kRendererTitle, {{message, wParam}}, {"exit 0"}};
}

const Scenario kRows[] = {
    // The saver run: music first, then the renderer, hidden cursor; it ends with the renderer.
    {"SaverRunHidesTheCursorPlaysTheWavAndEndsWithTheRenderer", "Zirel.scr /s", kWav, "", kRenderer | kCursor,
     kRendererTitle, {{kLook}, kKey},
     {kRunForm, kSaver, kAppWindow, "cursor -1", "exit 0", "cursor 0", "waveOutGetNumDevs",
      "PlaySoundA: %DIR%\\sound.wav flags=9", "PlaySoundA: (null) flags=0"}},
    {"BareRunKeepsTheCursorAndGivesUpAMissingCdDrive", "Zirel.scr", Ini(" 1", ""),
     "mci: open cdaudio=266\nmci: set cdaudio=263\nmci: status cdaudio=263\n", kRenderer | kCursor, kRendererTitle,
     {{kLook}, kKey},
     {kRunForm, kSaver, kAppWindow, "cursor 0", "exit 0", "cursor 0", "mci: open cdaudio",
      "mci: set cdaudio time format tmsf", "mci: status cdaudio current track @200", "mcierror: 263"}},
    {"RendererStartedExactlyAfterTheMusicAndWatchedByItsTitle", "Zirel.scr /s", kMp3,
     "Zirel.dll=1 10000\n" + kPlaying, kFakeRenderer, kRendererTitle, {{.act = CloseRendererBetweenTicks}},
     {"exit 0, 1 left", kOpenMp3, "mci: play MP3Play", "Zirel.dll: %DIR%\\Zirel.dll show=1 flags=1",
      "+mci: status MP3Play mode @1000", "mci: stop MP3Play @500", "mci: close MP3Play"}},
    {"RendererWithoutAWindowKeepsTheRunUntilItEnds", "Zirel.scr /s", kMp3, "Zirel.dll=0 1500\n" + kPlaying,
     kFakeRenderer, "", {{kSleep, 1000}, {kLook}},
     {kRunForm, kAppWindow, "exit 0", kOpenMp3, "mci: play MP3Play", "Zirel.dll: %DIR%\\Zirel.dll show=1 flags=1",
      "+mci: status MP3Play mode @1000", "mci: stop MP3Play", "mci: close MP3Play"}},
    {"RendererThatIsNoProgramEndsTheRunWithoutASoundDevice", "Zirel.scr /s", kWav, "waveOutGetNumDevs=0",
     kTextRenderer, "", {}, {"exit 0", "waveOutGetNumDevs", "PlaySoundA: (null) flags=0"}},
    {"StoppedMp3IsRestartedEverySecond", "Zirel.scr /s", kMp3, "mci: status MP3Play mode=0 stopped", kRenderer,
     kRendererTitle, {{kSleep, 2500}, kKey},
     {"exit 0", kOpenMp3, "mci: play MP3Play", "+mci: status MP3Play mode @1000", "+mci: stop MP3Play",
      "+mci: play MP3Play from 0", "mci: stop MP3Play", "mci: close MP3Play"}},
    {"CdIsWatchedFiveTimesASecond", "Zirel.scr /s", Ini(" 1", ""),
     "mci: status cdaudio mode=0 playing\nmci: status cdaudio current track=0 1\n", kRenderer, kRendererTitle,
     {{kSleep, 1000}, kKey},
     {"exit 0", "mci: open cdaudio", "mci: set cdaudio time format tmsf", "+mci: status cdaudio current track @200",
      "+mci: status cdaudio number of tracks", "+mci: status cdaudio mode", "mci: stop cdaudio", "mci: close cdaudio"}},
    {"TenThousandCharacterValuesAreCutTo255Bytes", "Zirel.scr /s", Ini(" 2", Cut() + std::string(9745, 'x')), "",
     kRenderer, kRendererTitle, {kKey},
     {"exit 0", "waveOutGetNumDevs", "PlaySoundA: " + Cut() + " flags=9", "PlaySoundA: (null) flags=0"}},
    {"MusicFileThatIsAFolderMeansNoMusic", "Zirel.scr /s", Ini(" 2", "%DIR%\\"), "", kRenderer, kRendererTitle,
     {kKey}, {"exit 0"}},
    {"TwoRunsAtOnceGiveOneSaver", "Zirel.scr /s", "", "", kRenderer, kRendererTitle,
     {{.act = StartTheSameAgain}, {kSleep, 3000}, {kLook}, kKey}, {kRunForm, kSaver, kAppWindow, "exit 0"}},
    {"OtherSwitchesEndAtOnce", "Zirel.scr /a", "", "", kRenderer, "", {}, {"exit 0"}},
    {"ARunningSaverStopsASecondRun", "Zirel.scr /s", "", "", kRenderer, "", {}, {"exit 0"}, kRunTitle},
    {"AnOpenDialogStopsAPreview", "Zirel.scr /p %HOST%", "", "", 0, "", {}, {"exit 0"}, kDialogTitle,
     {10, 10, 162, 122}},
    {"ConfigurationShowsTheDialog", "Zirel.scr /c", "", "", kRenderer, kDialogTitle, {{kLook}, {WM_CLOSE}},
     {" ComboLBox 4ca08041 80 390,280,431,451", "<Zirel> ZirelSettingsDialog 16c80000 100 261,165,763,436 foreground",
      "exit 0"}},
    {"MissingRendererMessageWaitsForOk", "Zirel.scr /s", "", "", 0, "Zirel", {{kLook, 1}, {WM_COMMAND, IDOK}},
     {kMessage, ">  Static 50000003 4 429,376,457,402", "> OK Button 50030001 4 489,391,541,417",
      "> Zirel.dll が同じﾌｫﾙﾀﾞに見つかりません！ Static 50020080 4 429,370,595,383", "exit 0"}},
    {"PreviewComesUpWhileTheMissingRendererMessageIsOpen", "Zirel.scr /s", "", "", 0, "Zirel",
     {{.act = StartPreviewInHost}, {kLook}, {.act = DestroyHost}, {WM_COMMAND, IDOK}},
     {kMessage, kAppWindow, "preview area WindowsScreenSaverClass 96000000 8 40,40,192,152",
      "> Preview Window Vant_R 56000000 0 40,40,192,152", ">  Img_Prev 50000000 0 40,40,192,152", "exit 0"},
     "preview area", {40, 40, 192, 152}},
    // The preview fills its parent; it ends through its close path, long before the once-a-second check.
    {"PreviewFillsItsParentAndEndsWithIt", "Zirel.scr /p %HOST%", "", "", 0, "Preview Window",
     {{kLook}, {kSleep, 1100}, {.act = DestroyHost}, {kEnds, 300}},
     {kAppWindow, "preview area WindowsScreenSaverClass 96000000 8 300,200,620,440",
      "> Preview Window Vant_R 56000000 0 300,200,620,440", ">  Img_Prev 50000000 0 300,200,620,440", "exit 0",
      "exit 0"},
     "preview area",
     {300, 200, 620, 440}},
    {"PreviewOfTheMessageOnlyHandleEnds", "Zirel.scr /p 4294967293", "", "", 0, "", {}, {"exit 0"}},
    {"PreviewOfTheBroadcastHandleEnds", "Zirel.scr /p 65535", "", "", 0, "", {}, {"exit 0"}},
    {"PreviewInAKilledProgramsWindowEnds", "Zirel.dll", "", "", 0, kRendererTitle,
     {{.act = AdoptWindowAsHost}, {.act = StartPreviewInHost}, {kLook}, {.act = [](Run& run) { TerminateProcess(run.program.Handle(), 99); }},
      {kSleep, 2000}},
     {kSaver, "> Preview Window Vant_R 56000000 0 0,0,1024,768", ">  Img_Prev 50000000 0 0,0,1024,768", kAppWindow,
      "exit 99"}},

    {"RendererCoversTheScreenWithColouredTopsThatMove", "Zirel.dll", "", "", 0, kRendererTitle,
     {{kLook}, {.act = TopsMoveOverBlack}, kKey}, {kSaver, "coloured lit tops move over black", "exit 0"}},
    Ends("IgnoresItsCommandLineAndEndsOnTheLeftButton", WM_LBUTTONDOWN, MK_LBUTTON, 0, "Zirel.dll /p 1234"),
    Ends("KeyEndsItAndTheNtFamilyNeverAsksForThePassword", WM_KEYDOWN, 'A', kPasswordCpl),
    Ends("SystemKeyEndsIt", WM_SYSKEYDOWN, VK_MENU),
    Ends("RightButtonEndsItWhenThePasswordModuleIsMissing", WM_RBUTTONDOWN, MK_RBUTTON, kWin98),
    Ends("MiddleButtonEndsIt", WM_MBUTTONDOWN, MK_MBUTTON),
    Ends("DeactivationEndsIt", WM_ACTIVATEAPP, FALSE),
    // Nothing here is activity: releases, characters, the wheel, foreign closes, the first move
    // however far, a move of 4 pixels. System commands other than close never reach DefWindowProc.
    {"OnlyMovesOfFivePixelsEndIt", "Zirel.dll", "", "", 0, kRendererTitle,
     {{WM_KEYUP, 'A', LPARAM(0xC0000001)}, {WM_LBUTTONUP}, {WM_CHAR, 'a'}, {WM_MOUSEWHEEL, WHEEL_DELTA << 16},
      {WM_CLOSE}, {WM_SYSCOMMAND, SC_CLOSE}, {kMove, 700, 500}, {kMove, 203, 201}, {WM_SYSCOMMAND, SC_SCREENSAVE},
      {WM_SYSCOMMAND, SC_NEXTWINDOW}, {kSleep, 500}, {kLook}, {kMove, 208, 201}},
     {kSaver, "exit 0", "syscommand f060"}},
    {"RefusedPasswordKeepsItArmedTillSystemClose", "Zirel.dll", "", "VerifyScreenSavePwd=0", kPasswordCpl | kWin98,
     kRendererTitle, {{WM_KEYDOWN, 'A'}, {kSleep, 1000}, {kLook}, {.act = AcceptPasswords}, {WM_SYSCOMMAND, SC_CLOSE}},
     {kSaver, "exit 0", "VerifyScreenSavePwd running=1", "syscommand f060", "VerifyScreenSavePwd running=1"}},
    {"HandsOverToASaverStillStarting", "Zirel.dll", "", "", 0, "", {{kEnds, kEndMs}, {kLook}},
     {"exit 0", "Screensaver WindowsScreenSaverClass 96000000 8 0,0,50,50 foreground", "exit 0"}, "Screensaver",
     {0, 0, 50, 50}},
};

class Scenarios : public ::testing::TestWithParam<Scenario> {};

TEST_P(Scenarios, AreSeen) { RunScenario(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Wine, Scenarios, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
