// Zirel.scr and Zirel.dll under Wine, row by row: what crosses a process, a window, the file
// system or a DLL. The rules behind them (parsers, music steps, input thresholds) are host-tested.
#include <gtest/gtest.h>

#include <utility>

#include "scenario.h"

namespace {

using namespace zt;

// The renderer's window closed a quarter second after the second MP3 query (the eighth record):
// halfway between two ticks of the launcher's watch.
void CloseRendererBetweenTicks(Run& run)
{
    Until([&] { return Lines(Read(run.File("standin.log"))).size() >= 8; }, kStartMs);
    Pump(250);
    PostMessageA(FindWindowA(nullptr, kRendererTitle), WM_CLOSE, 0, 0);
}

// A preview in the host, or else in the row's window; the preview once shown.
void StartPreviewInHost(Run& run)
{
    run.host = run.host ? run.host : run.window;
    CloseHandle(Start(run, "Zirel.scr /p %HOST%").hProcess);
    HWND preview = nullptr;
    Until([&] { return preview = FindWindowExA(run.host, nullptr, "Vant_R", nullptr); }, kStartMs);
    Pump(250);
    Describe(preview, run.seen);
}

// The renderer alone, ended by one message.
Scenario Ends(const char* name, Step step, unsigned kit = 0, const char* script = "")
{
    return Scenario(name, "Zirel.dll", "", script, kit, kRendererTitle, {step}, "exit 0");
}

const auto kDestroyHost = +[](Run& run) { DestroyWindow(std::exchange(run.host, nullptr)); };
const std::string kPreview = "Preview Window Vant_R 56000000 0 %1\n>  Img_Prev 50000000 0 %1\n";
const std::string kMp3 =
    "cursor -1\nmci: open \"%DIR%\\song.mp3\" type MPEGVideo Alias MP3Play\nmci: play MP3Play\n"
    "Zirel.dll: %DIR%\\Zirel.dll show=1 flags=1\n";
const std::string kMp3Loop =
    "mci: status MP3Play mode @1000\nmci: stop MP3Play\nmci: play MP3Play from 0\n";
// 255 bytes naming sound.wav beside the program: what the profile functions keep of a longer value.
const std::string kCut = Replace(std::string(123, '*'), "*", ".\\") + "sound.wav";
const RECT kSmallArea{40, 40, 192, 152};

const Scenario kRows[] = {
    // Runs: the music, then the renderer exactly as started, the cursor hidden; all ends with it.
    // A value of 10,000 characters whose first 255 bytes, all the profile functions keep, name a
    // file.
    Scenario("RunHidesTheCursorAndPlaysTheWavThatACutValueNames", "Zirel.scr /s",
             Ini(" 2", " 0", kCut + std::string(9745, 'x')), "", kRenderer, kRendererTitle,
             {Step(WM_SYSKEYDOWN, VK_MENU)},
             "exit 0\ncursor -1\nwaveOutGetNumDevs\nPlaySoundA: " + kCut +
                 " flags=9\nPlaySoundA: (null) flags=0\ncursor 0"),
    Scenario("BareRunKeepsTheCursorAndGivesUpAMissingCdDrive", "Zirel.scr", Ini(" 1", " 0", ""),
             "mci: open cdaudio=266\nmci: set cdaudio=263\nmci: status cdaudio=263", kRenderer,
             kRendererTitle, {WM_MBUTTONDOWN},
             "exit 0\ncursor 0\nmci: open cdaudio\nmci: set cdaudio time format tmsf\n"
             "mci: status cdaudio current track @200\nmcierror: 263\ncursor 0"),
    // A renderer that lives on without its window; the stopped file is started again at each tick.
    Scenario("RendererStartsExactlyAfterTheMusicAndIsWatchedByItsTitle", "Zirel.scr /s",
             Ini(" 2", " 0", "%DIR%\\song.mp3"), "mci: status MP3Play mode=0 stopped", kFake,
             kRendererTitle, {CloseRendererBetweenTicks},
             "exit 0, 1 left\n" + kMp3 + kMp3Loop + kMp3Loop +
                 "mci: stop MP3Play @500\nmci: close MP3Play\ncursor 0"),
    Scenario("OtherSwitchesEndAtOnce", "Zirel.scr /a", "", "", kRenderer, "", {}, "exit 0"),
    Scenario("ARunningSaverStopsASecondRun", "Zirel.scr /s", "", "", kRenderer, "", {}, "exit 0",
             "Vant_Main"),
    Scenario("AnOpenDialogStopsAPreview", "Zirel.scr /p %HOST%", "", "", 0, "", {}, "exit 0",
             kDialogTitle, kSmallArea),

    // Previews: in their parent's whole area, ending with it.
    Scenario("PreviewComesUpWhileTheMissingRendererMessageIsOpen", "Zirel.scr /s", "", "", 0,
             "Zirel", {StartPreviewInHost, kLook, kDestroyHost, Step(WM_COMMAND, IDOK)},
             Replace(kPreview, "%1", "40,40,192,152") +
                 "Zirel #32770 94c801c4 10101 412,340,612,428 foreground\n"
                 ">  Static 50000003 4 429,376,457,402\n> OK Button 50030001 4 489,391,541,417\n"
                 "> Zirel.dll が同じﾌｫﾙﾀﾞに見つかりません！ Static 50020080 4 429,370,595,383\n"
                 "exit 0",
             "preview area", kSmallArea),
    // It ends through its close path, long before the once-a-second check of its parent.
    Scenario("PreviewFillsItsParentAndEndsWithIt", "Zirel.scr /p %HOST%", "", "", 0,
             "Preview Window", {kLook, Step(kSleep, 1100), kDestroyHost, Step(kEnds, 300)},
             Replace(kPreview, "%1", "300,200,620,440") + "exit 0\nexit 0", "preview area",
             {300, 200, 620, 440}),
    Scenario("PreviewInAKilledProgramsWindowEnds", "Zirel.dll", "", "", 0, kRendererTitle,
             {StartPreviewInHost, +[](Run& run) { TerminateProcess(run.program.hProcess, 99); },
              Step(kSleep, 2000)},
             Replace(kPreview, "%1", "0,0,1024,768") + "exit 99"),

    // The renderer: what ends it and what does not. Not activity: releases, characters, the
    // wheel, foreign closes, the first move however far, a move of 4 pixels. System commands but
    // close never reach DefWindowProc.
    Scenario("OnlyMovesOfFivePixelsEndIt", "Zirel.dll", "", "", 0, kRendererTitle,
             {Step(WM_KEYUP, 'A', LPARAM(0xC0000001)), WM_LBUTTONUP, Step(WM_CHAR, 'a'),
              Step(WM_MOUSEWHEEL, WHEEL_DELTA << 16), WM_CLOSE, Step(WM_SYSCOMMAND, SC_CLOSE),
              Step(kMove, 700, 500), Step(kMove, 203, 201), Step(WM_SYSCOMMAND, SC_SCREENSAVE),
              Step(WM_SYSCOMMAND, SC_NEXTWINDOW), Step(kSleep, 500), kLook, Step(kMove, 208, 201)},
             "Vant_VC WindowsScreenSaverClass 96000000 8 0,0,1024,768 foreground\nexit 0\n"
             "syscommand f060"),
    // Whatever its command line says, it runs full screen.
    Scenario("RefusedPasswordKeepsItArmedTillSystemClose", "Zirel.dll /p 1234", "",
             "VerifyScreenSavePwd=0", kPassword | kWin98, kRendererTitle,
             {Step(WM_KEYDOWN, 'A'), Step(kSleep, 1000), kEnds,
              +[](Run& run) { std::ofstream(run.File("standin.txt")) << "VerifyScreenSavePwd=1"; },
              Step(WM_SYSCOMMAND, SC_CLOSE)},
             "running\nexit 0\nVerifyScreenSavePwd running=1\nsyscommand f060\n"
             "VerifyScreenSavePwd running=1"),
    Ends("KeyEndsItAndTheNtFamilyNeverAsksForThePassword", Step(WM_KEYDOWN, 'A'), kPassword,
         "VerifyScreenSavePwd=0"),
    Ends("LeftButtonEndsIt", WM_LBUTTONDOWN),
    Ends("RightButtonEndsItWhenThePasswordModuleIsMissing", WM_RBUTTONDOWN, kWin98),
    Ends("DeactivationEndsIt", WM_ACTIVATEAPP),
    Scenario("HandsOverToASaverStillStarting", "Zirel.dll", "", "", 0, "Screensaver",
             {Step(kEnds, 5000), kLook},
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
