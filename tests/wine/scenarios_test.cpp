// Zirel.scr and Zirel.dll under Wine, row by row: what crosses a process, a window, the file
// system or a DLL. The rules behind them (parsers, music steps, input thresholds) are host-tested.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "scenario.h"
#include "settings_file.h"

namespace {

using namespace zt;

std::string Ini(const char* kind, const std::string& file)
{
    return std::string("[") + kSettingsSection + "]\r\n" + kKeyBgmKind + "=" + kind + "\r\n" +
           kKeyBgmRepeat + "= 0\r\n" + kKeyBgmFile + "=" + file + "\r\n";
}

// 255 bytes naming sound.wav beside the program: what the profile functions leave of a longer
// value.
const std::string kCut = Replace(std::string(123, '*'), "*", ".\\") + "sound.wav";

// The renderer's window closed a quarter second after the second MP3 query (the sixth record):
// halfway between two ticks of the launcher's watch.
void CloseRendererBetweenTicks(Run& run)
{
    Until([&] { return Lines(run.dir.Read("standin.log")).size() >= 6; }, kStartMs);
    Pump(250);
    PostMessageA(FindWindowA(nullptr, kRendererTitle), WM_CLOSE, 0, 0);
}

// A preview in the host, or else in the row's window.
void StartPreviewInHost(Run& run)
{
    run.host = run.host ? run.host : run.Window();
    CloseHandle(run.Start("Zirel.scr /p %HOST%").info.hProcess);
    Until([&] { return FindWindowExA(run.host, nullptr, "Vant_R", nullptr); }, kStartMs);
}

void DestroyHost(Run& run)
{
    DestroyWindow(std::exchange(run.host, nullptr));
}

void StartTheSameAgain(Run& run)
{
    CloseHandle(run.Start(run.row.command).info.hProcess);
}

void AcceptPasswords(Run& run)
{
    run.dir.Write("standin.txt", "VerifyScreenSavePwd=1");
}

void Kill(Run& run)
{
    TerminateProcess(run.program.info.hProcess, 99);
}

// Coloured lit tops that move over black: two shots 2 s apart, once the colours have faded in.
void TopsMoveOverBlack(Run& run)
{
    Screenshot shots[2];
    int coloured = 0, lit = 0, moved = 0;
    for (int shot = 0; shot < 62 && (shot < 2 || coloured < 300); ++shot, Pump(1000)) {
        shots[shot % 2] =
            CaptureRect({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
        coloured = lit = moved = 0;
        for (size_t i = 0; i < shots[0].pixels.size() && shot; ++i) {
            const uint8_t* c = reinterpret_cast<const uint8_t*>(&shots[shot % 2].pixels[i]);
            const int high = std::max({c[0], c[1], c[2]}), low = std::min({c[0], c[1], c[2]});
            coloured += high >= 48 && (high - low) * 3 >= high;  // grey highlights are no colour
            lit += high > 16;
            moved += shots[0].pixels[i] != shots[1].pixels[i];
        }
    }
    SaveArtifact(shots[0], "scene.bmp");
    run.seen.push_back(std::string(coloured >= 300 ? "coloured" : "grey") +
                       (lit * 4 < int(shots[0].pixels.size()) ? " on black" : " on light") +
                       (moved > 100 ? ", moving" : ", still"));
}

const std::string kAppWindow = "Zirel ZirelApplication 84000000 0 0,0,0,0",
                  kRunForm = "Vant_Main Vant_S 84000000 0 0,0,0,0";
const std::string kSaver = "Vant_VC WindowsScreenSaverClass 96000000 8 0,0,1024,768 foreground";
const std::string kMessage = "Zirel #32770 94c801c4 10101 412,340,612,428 foreground";
const std::string kPreview = "> Preview Window Vant_R 56000000 0 ",
                  kPicture = ">  Img_Prev 50000000 0 ";
const std::string kMp3 = Ini(" 2", "%DIR%\\song.mp3"), kWav = Ini(" 2", "%DIR%\\sound.wav"),
                  kPlaying = "mci: status MP3Play mode=0 playing\n";
const std::string kOpenMp3 = "mci: open \"%DIR%\\song.mp3\" type MPEGVideo Alias MP3Play",
                  kStarted = "Zirel.dll: %DIR%\\Zirel.dll show=1 flags=1";
const Step kKey{WM_KEYDOWN, VK_SPACE}, kLookNow{kLook};

// Zirel.dll alone, ended by one input.
Scenario EndedBy(const char* name, Step input, unsigned kit = 0, const char* command = "Zirel.dll")
{
    return {name, command, "", "VerifyScreenSavePwd=0", kit, kRendererTitle, {input}, {"exit 0"}};
}

const Scenario kRows[] = {
    // The saver run: music, then the renderer exactly as started, with the cursor hidden; all ends
    // with the renderer.
    {"RunHidesTheCursorPlaysTheWavAndEndsWithTheRenderer",
     "Zirel.scr /s",
     kWav,
     "",
     kRenderer,
     kRendererTitle,
     {kLookNow, kKey},
     {kRunForm, kSaver, kAppWindow, "exit 0", "cursor -1", "waveOutGetNumDevs",
      "PlaySoundA: %DIR%\\sound.wav flags=9", "PlaySoundA: (null) flags=0", "cursor 0"}},
    {"BareRunKeepsTheCursorAndGivesUpAMissingCdDrive",
     "Zirel.scr",
     Ini(" 1", ""),
     "mci: open cdaudio=266\nmci: set cdaudio=263\nmci: status cdaudio=263\n",
     kRenderer,
     kRendererTitle,
     {kKey},
     {"exit 0", "cursor 0", "mci: open cdaudio", "mci: set cdaudio time format tmsf",
      "mci: status cdaudio current track @200", "mcierror: 263", "cursor 0"}},
    {"RendererStartsExactlyAfterTheMusicAndIsWatchedByItsTitle",
     "Zirel.scr /s",
     kMp3,
     "Zirel.dll=1 10000\n" + kPlaying,
     kFakeRenderer,
     kRendererTitle,
     {{.act = CloseRendererBetweenTicks}},
     {"exit 0, 1 left", "cursor -1", kOpenMp3, "mci: play MP3Play", kStarted,
      "+mci: status MP3Play mode @1000", "mci: stop MP3Play @500", "mci: close MP3Play",
      "cursor 0"}},
    {"RendererWithoutAWindowKeepsTheRunUntilItEnds",
     "Zirel.scr /s",
     kMp3,
     "Zirel.dll=0 1500\n" + kPlaying,
     kFakeRenderer,
     "",
     {{kSleep, 1000}, kLookNow},
     {kRunForm, kAppWindow, "exit 0", "cursor -1", kOpenMp3, "mci: play MP3Play", kStarted,
      "+mci: status MP3Play mode @1000", "mci: stop MP3Play", "mci: close MP3Play", "cursor 0"}},
    {"RendererThatIsNoProgramEndsTheRunWithoutASoundDevice",
     "Zirel.scr /s",
     kWav,
     "waveOutGetNumDevs=0",
     kTextRenderer,
     "",
     {},
     {"exit 0", "cursor -1", "waveOutGetNumDevs", "PlaySoundA: (null) flags=0", "cursor 0"}},
    {"StoppedMp3IsRestartedEverySecond",
     "Zirel.scr /s",
     kMp3,
     "mci: status MP3Play mode=0 stopped",
     kRenderer,
     kRendererTitle,
     {{kSleep, 2500}, kKey},
     {"exit 0", "cursor -1", kOpenMp3, "mci: play MP3Play", "+mci: status MP3Play mode @1000",
      "+mci: stop MP3Play", "+mci: play MP3Play from 0", "mci: stop MP3Play", "mci: close MP3Play",
      "cursor 0"}},
    {"CdIsWatchedFiveTimesASecond",
     "Zirel.scr /s",
     Ini(" 1", ""),
     "mci: status cdaudio mode=0 playing\nmci: status cdaudio current track=0 1\n",
     kRenderer,
     kRendererTitle,
     {{kSleep, 1000}, kKey},
     {"exit 0", "cursor -1", "mci: open cdaudio", "mci: set cdaudio time format tmsf",
      "+mci: status cdaudio current track @200", "+mci: status cdaudio number of tracks",
      "+mci: status cdaudio mode", "mci: stop cdaudio", "mci: close cdaudio", "cursor 0"}},
    {"TenThousandCharacterValuesAreCutTo255Bytes",
     "Zirel.scr /s",
     Ini(" 2", kCut + std::string(9745, 'x')),
     "",
     kRenderer,
     kRendererTitle,
     {kKey},
     {"exit 0", "cursor -1", "waveOutGetNumDevs", "PlaySoundA: " + kCut + " flags=9",
      "PlaySoundA: (null) flags=0", "cursor 0"}},
    {"MusicFileThatIsAFolderMeansNoMusic",
     "Zirel.scr /s",
     Ini(" 2", "%DIR%\\"),
     "",
     kRenderer,
     kRendererTitle,
     {kKey},
     {"exit 0"}},
    {"TwoRunsAtOnceGiveOneSaver",
     "Zirel.scr /s",
     "",
     "",
     kRenderer,
     kRendererTitle,
     {{.act = StartTheSameAgain}, {kSleep, 3000}, kLookNow, kKey},
     {kRunForm, kSaver, kAppWindow, "exit 0"}},
    {"OtherSwitchesEndAtOnce", "Zirel.scr /a", "", "", kRenderer, "", {}, {"exit 0"}},
    {"ARunningSaverStopsASecondRun",
     "Zirel.scr /s",
     "",
     "",
     kRenderer,
     "",
     {},
     {"exit 0"},
     kRunTitle},
    {"AnOpenDialogStopsAPreview",
     "Zirel.scr /p %HOST%",
     "",
     "",
     0,
     "",
     {},
     {"exit 0"},
     kDialogTitle,
     {10, 10, 162, 122}},
    {"ConfigurationShowsTheDialog",
     "Zirel.scr /c",
     "",
     "",
     kRenderer,
     kDialogTitle,
     {kLookNow, {WM_CLOSE}},
     {" ComboLBox 4ca08041 80 390,280,431,451",
      "<Zirel> ZirelSettingsDialog 16c80000 100 261,165,763,436 foreground", "exit 0"}},
    {"MissingRendererMessageWaitsForOk",
     "Zirel.scr /s",
     "",
     "",
     0,
     "Zirel",
     {{kLook, 1}, {WM_COMMAND, IDOK}},
     {kMessage, ">  Static 50000003 4 429,376,457,402", "> OK Button 50030001 4 489,391,541,417",
      "> Zirel.dll が同じﾌｫﾙﾀﾞに見つかりません！ Static 50020080 4 429,370,595,383", "exit 0"}},
    {"PreviewComesUpWhileTheMissingRendererMessageIsOpen",
     "Zirel.scr /s",
     "",
     "",
     0,
     "Zirel",
     {{.act = StartPreviewInHost}, kLookNow, {.act = DestroyHost}, {WM_COMMAND, IDOK}},
     {kMessage, kAppWindow, "preview area WindowsScreenSaverClass 96000000 8 40,40,192,152",
      kPreview + "40,40,192,152", kPicture + "40,40,192,152", "exit 0"},
     "preview area",
     {40, 40, 192, 152}},
    // It ends through its close path, long before the once-a-second check of its parent.
    {"PreviewFillsItsParentAndEndsWithIt",
     "Zirel.scr /p %HOST%",
     "",
     "",
     0,
     "Preview Window",
     {kLookNow, {kSleep, 1100}, {.act = DestroyHost}, {kEnds, 300}},
     {kAppWindow, "preview area WindowsScreenSaverClass 96000000 8 300,200,620,440",
      kPreview + "300,200,620,440", kPicture + "300,200,620,440", "exit 0", "exit 0"},
     "preview area",
     {300, 200, 620, 440}},
    {"PreviewOfTheMessageOnlyHandleEnds", "Zirel.scr /p 4294967293", "", "", 0, "", {}, {"exit 0"}},
    {"PreviewOfTheBroadcastHandleEnds", "Zirel.scr /p 65535", "", "", 0, "", {}, {"exit 0"}},
    {"PreviewInAKilledProgramsWindowEnds",
     "Zirel.dll",
     "",
     "",
     0,
     kRendererTitle,
     {{.act = StartPreviewInHost}, kLookNow, {.act = Kill}, {kSleep, 2000}},
     {kSaver, kPreview + "0,0,1024,768", kPicture + "0,0,1024,768", kAppWindow, "exit 99"}},

    {"RendererCoversTheScreenWithColouredTopsThatMove",
     "Zirel.dll",
     "",
     "",
     0,
     kRendererTitle,
     {kLookNow, {.act = TopsMoveOverBlack}, kKey},
     {kSaver, "coloured on black, moving", "exit 0"}},
    EndedBy("IgnoresItsCommandLineAndEndsOnTheLeftButton", {WM_LBUTTONDOWN, MK_LBUTTON}, 0,
            "Zirel.dll /p 1234"),
    EndedBy("KeyEndsItAndTheNtFamilyNeverAsksForThePassword", {WM_KEYDOWN, 'A'}, kPasswordCpl),
    EndedBy("SystemKeyEndsIt", {WM_SYSKEYDOWN, VK_MENU}),
    EndedBy("RightButtonEndsItWhenThePasswordModuleIsMissing", {WM_RBUTTONDOWN, MK_RBUTTON},
            kWin98),
    EndedBy("MiddleButtonEndsIt", {WM_MBUTTONDOWN, MK_MBUTTON}),
    EndedBy("DeactivationEndsIt", {WM_ACTIVATEAPP, FALSE}),
    // Not activity: releases, characters, the wheel, foreign closes, the first move however far, a
    // move of 4 pixels.
    // System commands but close never reach DefWindowProc.
    {"OnlyMovesOfFivePixelsEndIt",
     "Zirel.dll",
     "",
     "",
     0,
     kRendererTitle,
     {{WM_KEYUP, 'A', LPARAM(0xC0000001)},
      {WM_LBUTTONUP},
      {WM_CHAR, 'a'},
      {WM_MOUSEWHEEL, WHEEL_DELTA << 16},
      {WM_CLOSE},
      {WM_SYSCOMMAND, SC_CLOSE},
      {kMove, 700, 500},
      {kMove, 203, 201},
      {WM_SYSCOMMAND, SC_SCREENSAVE},
      {WM_SYSCOMMAND, SC_NEXTWINDOW},
      {kSleep, 500},
      kLookNow,
      {kMove, 208, 201}},
     {kSaver, "exit 0", "syscommand f060"}},
    {"RefusedPasswordKeepsItArmedTillSystemClose",
     "Zirel.dll",
     "",
     "VerifyScreenSavePwd=0",
     kPasswordCpl | kWin98,
     kRendererTitle,
     {{WM_KEYDOWN, 'A'},
      {kSleep, 1000},
      kLookNow,
      {.act = AcceptPasswords},
      {WM_SYSCOMMAND, SC_CLOSE}},
     {kSaver, "exit 0", "VerifyScreenSavePwd running=1", "syscommand f060",
      "VerifyScreenSavePwd running=1"}},
    {"HandsOverToASaverStillStarting",
     "Zirel.dll",
     "",
     "",
     0,
     "",
     {{kEnds, kEndMs}, kLookNow},
     {"exit 0", "Screensaver WindowsScreenSaverClass 96000000 8 0,0,50,50 foreground", "exit 0"},
     "Screensaver",
     {0, 0, 50, 50}},
};

class Scenarios : public ::testing::TestWithParam<Scenario> {};
TEST_P(Scenarios, AreSeen)
{
    RunScenario(GetParam());
}
INSTANTIATE_TEST_SUITE_P(Wine, Scenarios, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
