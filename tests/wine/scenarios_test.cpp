// Zirel.scr and Zirel.dll under Wine, row by row: what crosses a process, a window, the file
// system or a DLL. The rules behind them (parsers, music steps, input thresholds) are host-tested.
#include <gtest/gtest.h>

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

// A row whose seen lines are written one after another.
Scenario Row(const char* name, const char* command, const std::string& ini, const char* script,
             unsigned kit, const char* window, std::vector<Step> steps, const std::string& seen,
             const char* host = "", RECT hostRect = {})
{
    return {name, command, ini, script, kit, window, steps, Lines(seen), host, hostRect};
}

// The renderer's window closed a quarter second after the second MP3 query (the eighth record):
// halfway between two ticks of the launcher's watch.
void CloseRendererBetweenTicks(Run& run)
{
    Until([&] { return Lines(run.dir.Read("standin.log")).size() >= 8; }, kStartMs);
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

// Coloured lit tops that move over black: two shots a second apart, once colours have faded in.
void TopsMoveOverBlack(Run& run)
{
    Screenshot shot[2];
    int coloured = 0, lit = 0, moved = 0;
    for (int i = 0; i < 60 && (i < 2 || coloured < 300); Pump(1000), ++i) {
        shot[i % 2] =
            CaptureRect({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
        coloured = lit = moved = 0;
        for (size_t p = 0; p < shot[0].pixels.size() && i; ++p) {
            const auto* c = reinterpret_cast<const uint8_t*>(&shot[i % 2].pixels[p]);
            const int high = std::max({c[0], c[1], c[2]});
            coloured += high >= 48 && (high - std::min({c[0], c[1], c[2]})) * 3 >= high;  // no grey
            lit += high > 16;
            moved += shot[0].pixels[p] != shot[1].pixels[p];
        }
    }
    SaveArtifact(shot[0], "scene.bmp");
    const bool black = lit * 4 < int(shot[0].pixels.size());
    run.seen.push_back(std::to_string(coloured >= 300) + std::to_string(black) +
                       std::to_string(moved > 100));
}

const std::string kRun = "Vant_Main Vant_S 84000000 0 0,0,0,0\n" + std::string(kRendererTitle) +
                         " WindowsScreenSaverClass 96000000 8 0,0,1024,768 foreground\n";
const std::string kApp = "Zirel ZirelApplication 84000000 0 0,0,0,0\n";
const std::string kSaver = "Vant_VC WindowsScreenSaverClass 96000000 8 0,0,1024,768 foreground\n";
const std::string kBox = "Zirel #32770 94c801c4 10101 412,340,612,428 foreground\n";
const std::string kHost = "preview area WindowsScreenSaverClass 96000000 8 %1\n";
const std::string kPreview = "> Preview Window Vant_R 56000000 0 %1\n>  Img_Prev 50000000 0 %1\n";
const std::string kMp3 = Ini(" 2", "%DIR%\\song.mp3"), kWav = Ini(" 2", "%DIR%\\sound.wav");
const std::string kMp3Start =
    "cursor -1\nmci: open \"%DIR%\\song.mp3\" type MPEGVideo Alias MP3Play\n"
    "mci: play MP3Play\n";
const std::string kMp3End = "mci: stop MP3Play\nmci: close MP3Play\ncursor 0";
const std::string kStartedAs = "Zirel.dll: %DIR%\\Zirel.dll show=1 flags=1\n";
const std::string kWavEnd = "PlaySoundA: (null) flags=0\ncursor 0";
// 255 bytes naming sound.wav beside the program: what the profile functions keep of a longer value.
const std::string kCut = Replace(std::string(123, '*'), "*", ".\\") + "sound.wav";
const Step kKey{WM_KEYDOWN, VK_SPACE}, kLookNow{kLook};
const RECT kPreviewArea{300, 200, 620, 440}, kSmallArea{40, 40, 192, 152};

const Scenario kRows[] = {
    // Runs: music, then the renderer exactly as started, the cursor hidden; all ends with it.
    // A value of 10,000 characters whose first 255 bytes, all the profile functions keep, name a
    // file.
    Row("RunHidesTheCursorAndPlaysTheWavThatACutValueNames", "Zirel.scr /s",
        Ini(" 2", kCut + std::string(9745, 'x')), "", kRenderer, kRendererTitle, {kLookNow, kKey},
        kRun + kApp + "exit 0\ncursor -1\nwaveOutGetNumDevs\nPlaySoundA: " + kCut + " flags=9\n" +
            kWavEnd),
    Row("BareRunKeepsTheCursorAndGivesUpAMissingCdDrive", "Zirel.scr", Ini(" 1", ""),
        "mci: open cdaudio=266\nmci: set cdaudio=263\nmci: status cdaudio=263", kRenderer,
        kRendererTitle, {kKey},
        "exit 0\ncursor 0\nmci: open cdaudio\nmci: set cdaudio time format tmsf\n"
        "mci: status cdaudio current track @200\nmcierror: 263\ncursor 0"),
    // The stopped file is started again at each tick.
    Row("RendererStartsExactlyAfterTheMusicAndIsWatchedByItsTitle", "Zirel.scr /s", kMp3,
        "Zirel.dll=1 10000\nmci: status MP3Play mode=0 stopped", kFake, kRendererTitle,
        {{.act = CloseRendererBetweenTicks}},
        "exit 0, 1 left\n" + kMp3Start + kStartedAs +
            "+mci: status MP3Play mode @1000\n+mci: stop MP3Play\n+mci: play MP3Play from 0\n"
            "mci: stop MP3Play @500\nmci: close MP3Play\ncursor 0"),
    Row("RendererWithoutAWindowKeepsTheRunUntilItEnds", "Zirel.scr /s", kMp3,
        "Zirel.dll=0 1500\nmci: status MP3Play mode=0 playing", kFake, "",
        {{kSleep, 1000}, kLookNow},
        "Vant_Main Vant_S 84000000 0 0,0,0,0\n" + kApp + "exit 0\n" + kMp3Start + kStartedAs +
            "+mci: status MP3Play mode @1000\n" + kMp3End),
    Row("RendererThatIsNoProgramEndsTheRunWithoutASoundDevice", "Zirel.scr /s", kWav,
        "waveOutGetNumDevs=0", kText, "", {}, "exit 0\ncursor -1\nwaveOutGetNumDevs\n" + kWavEnd),
    Row("CdIsWatchedFiveTimesASecond", "Zirel.scr /s", Ini(" 1", ""),
        "mci: status cdaudio mode=0 playing\nmci: status cdaudio current track=0 1", kRenderer,
        kRendererTitle, {{kSleep, 1000}, kKey},
        "exit 0\ncursor -1\nmci: open cdaudio\nmci: set cdaudio time format tmsf\n"
        "+mci: status cdaudio current track @200\n+mci: status cdaudio number of tracks\n"
        "+mci: status cdaudio mode\nmci: stop cdaudio\nmci: close cdaudio\ncursor 0"),
    Row("TwoRunsAtOnceGiveOneSaver", "Zirel.scr /s", "", "", kRenderer, kRendererTitle,
        {{.act = [](Run& run) { CloseHandle(run.Start("Zirel.scr /s").info.hProcess); }},
         {kSleep, 3000},
         kLookNow,
         kKey},
        kRun + kApp + "exit 0"),
    Row("OtherSwitchesEndAtOnce", "Zirel.scr /a", "", "", kRenderer, "", {}, "exit 0"),
    Row("ARunningSaverStopsASecondRun", "Zirel.scr /s", "", "", kRenderer, "", {}, "exit 0",
        kRunTitle),
    Row("AnOpenDialogStopsAPreview", "Zirel.scr /p %HOST%", "", "", 0, "", {}, "exit 0",
        kDialogTitle, kSmallArea),
    Row("ConfigurationShowsTheDialog", "Zirel.scr /c", "", "", kRenderer, kDialogTitle,
        {kLookNow, {WM_CLOSE}},
        " ComboLBox 4ca08041 80 390,280,431,451\n"
        "<Zirel> ZirelSettingsDialog 16c80000 100 261,165,763,436 foreground\nexit 0"),

    // Previews: in their parent's whole area, ending with it; none where no window is named.
    Row("MissingRendererMessageWaitsForOk", "Zirel.scr /s", "", "", 0, "Zirel",
        {{kLook, 1}, {WM_COMMAND, IDOK}},
        kBox +
            ">  Static 50000003 4 429,376,457,402\n> OK Button 50030001 4 489,391,541,417\n"
            "> Zirel.dll が同じﾌｫﾙﾀﾞに見つかりません！ Static 50020080 4 429,370,595,383\nexit 0"),
    Row("PreviewComesUpWhileTheMissingRendererMessageIsOpen", "Zirel.scr /s", "", "", 0, "Zirel",
        {{.act = StartPreviewInHost},
         kLookNow,
         {.act = [](Run& run) { DestroyWindow(std::exchange(run.host, nullptr)); }},
         {WM_COMMAND, IDOK}},
        kBox + kApp + Replace(kHost + kPreview, "%1", "40,40,192,152") + "exit 0", "preview area",
        kSmallArea),
    // It ends through its close path, long before the once-a-second check of its parent.
    Row("PreviewFillsItsParentAndEndsWithIt", "Zirel.scr /p %HOST%", "", "", 0, "Preview Window",
        {kLookNow,
         {kSleep, 1100},
         {.act = [](Run& run) { DestroyWindow(std::exchange(run.host, nullptr)); }},
         {kEnds, 300}},
        kApp + Replace(kHost + kPreview, "%1", "300,200,620,440") + "exit 0\nexit 0",
        "preview area", kPreviewArea),
    Row("PreviewOfTheMessageOnlyHandleEnds", "Zirel.scr /p 4294967293", "", "", 0, "", {},
        "exit 0"),
    Row("PreviewInAKilledProgramsWindowEnds", "Zirel.dll", "", "", 0, kRendererTitle,
        {{.act = StartPreviewInHost},
         kLookNow,
         {.act = [](Run& run) { TerminateProcess(run.program.info.hProcess, 99); }},
         {kSleep, 2000}},
        kSaver + Replace(kPreview, "%1", "0,0,1024,768") + kApp + "exit 99"),

    // The renderer: its window, what ends it and what does not.
    Row("RendererCoversTheScreenWithColouredTopsThatMove", "Zirel.dll", "", "", 0, kRendererTitle,
        {kLookNow, {.act = TopsMoveOverBlack}, kKey}, kSaver + "111\nexit 0"),
    Row("IgnoresItsCommandLineAndEndsOnTheLeftButton", "Zirel.dll /p 1234", "", "", 0,
        kRendererTitle, {{WM_LBUTTONDOWN, MK_LBUTTON}}, "exit 0"),
    Row("KeyEndsItAndTheNtFamilyNeverAsksForThePassword", "Zirel.dll", "", "VerifyScreenSavePwd=0",
        kPassword, kRendererTitle, {{WM_KEYDOWN, 'A'}}, "exit 0"),
    Row("SystemKeyEndsIt", "Zirel.dll", "", "", 0, kRendererTitle, {{WM_SYSKEYDOWN, VK_MENU}},
        "exit 0"),
    Row("RightButtonEndsItWhenThePasswordModuleIsMissing", "Zirel.dll", "", "", kWin98,
        kRendererTitle, {{WM_RBUTTONDOWN, MK_RBUTTON}}, "exit 0"),
    Row("MiddleButtonEndsIt", "Zirel.dll", "", "", 0, kRendererTitle, {{WM_MBUTTONDOWN}}, "exit 0"),
    Row("DeactivationEndsIt", "Zirel.dll", "", "", 0, kRendererTitle, {{WM_ACTIVATEAPP, FALSE}},
        "exit 0"),
    // Not activity: releases, characters, the wheel, foreign closes, the first move however far,
    // a move of 4 pixels. System commands but close never reach DefWindowProc.
    Row("OnlyMovesOfFivePixelsEndIt", "Zirel.dll", "", "", 0, kRendererTitle,
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
        kSaver + "exit 0\nsyscommand f060"),
    Row("RefusedPasswordKeepsItArmedTillSystemClose", "Zirel.dll", "", "VerifyScreenSavePwd=0",
        kPassword | kWin98, kRendererTitle,
        {{WM_KEYDOWN, 'A'},
         {kSleep, 1000},
         kLookNow,
         {.act = [](Run& run) { run.dir.Write("standin.txt", "VerifyScreenSavePwd=1"); }},
         {WM_SYSCOMMAND, SC_CLOSE}},
        kSaver + "exit 0\nVerifyScreenSavePwd running=1\nsyscommand f060\n"
                 "VerifyScreenSavePwd running=1"),
    Row("HandsOverToASaverStillStarting", "Zirel.dll", "", "", 0, "", {{kEnds, kEndMs}, kLookNow},
        "exit 0\nScreensaver WindowsScreenSaverClass 96000000 8 0,0,50,50 foreground\nexit 0",
        "Screensaver", {0, 0, 50, 50}),
};

class Scenarios : public ::testing::TestWithParam<Scenario> {};

TEST_P(Scenarios, AreSeen)
{
    RunScenario(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Wine, Scenarios, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
