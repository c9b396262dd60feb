// Zirel.scr and Zirel.dll under Wine, row by row: what crosses a process, a window, the file
// system or a DLL. The rules behind them (parsers, music steps, input thresholds) are host-tested.
#include <gtest/gtest.h>

#include <utility>

#include "scenario.h"

namespace {

using namespace zt;

// A preview area, shown without activation so that Wine leaves it unmanaged and it goes at once.
void OpenAPreviewArea(Run& run)
{
    run.host = CreateWindowExA(WS_EX_TOPMOST, "Static", "preview area", WS_POPUP, 300, 200, 320,
                               240, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(run.host, SW_SHOWNA);
}

// The form of a full-screen run, as it is titled.
void OpenARunsForm(Run& run)
{
    run.host = CreateWindowExA(0, "Static", "Vant_Main", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr,
                               nullptr, nullptr);
}

// A saver still starting: a window of the renderer's class not yet renamed.
void OpenAStartingSaver(Run& run)
{
    WNDCLASSA saver{0, DefWindowProcA};
    saver.lpszClassName = kRendererClassName;
    RegisterClassA(&saver);
    run.host = CreateWindowExA(0, kRendererClassName, kRendererStartingTitle, WS_POPUP | WS_VISIBLE,
                               0, 0, 64, 64, nullptr, nullptr, nullptr, nullptr);
}

// A display change as Windows sends it (Wine cannot change Xephyr's screens) after the cursor
// went to the second monitor, then a move message where it is.
void ChangeTheDisplay(Run& run)
{
    SetCursorPos(1500, 300);
    SendMessageTimeoutA(run.window, WM_DISPLAYCHANGE, 24, MAKELPARAM(1824, 768), 0, 5000, nullptr);
    PostMessageA(run.window, WM_MOUSEMOVE, 0, 0);
}

const auto kDestroyHost = +[](Run& run) { DestroyWindow(std::exchange(run.host, nullptr)); };
const Scenario kRows[] = {
    // The music as heard: the file is 1 s long, so what is heard 2 s after the renderer's window
    // came up is a repeat; 1 s after the key, silence. The file named without a folder is the one
    // beside the programs. (The MP3's repeat is host-tested call by call.)
    Scenario("RunLoopsTheWavTillItEnds", "Zirel.scr /s", Ini(" 2", " 0", "sound.wav"),
             kRenderer | kSound, kRendererTitle,
             {Listen, Listen, Post(WM_SYSKEYDOWN, VK_MENU), Wait(1000), Listen},
             "tone\ntone\nsilence\nexit 0"),
    // Started as Windows starts a saver from a folder named in Japanese with blanks and no short
    // name, without a sound server: the renderer comes up all the same.
    Scenario("RunsFromAJapaneseFolderWithoutASoundServer", "Zirel.scr /s",
             Ini(" 2", " 0", "song.mp3"), kRenderer | kNoSoundServer, kRendererTitle,
             {Post(WM_LBUTTONDOWN)}, "exit 0", "", InAJapaneseFolder),

    // A preview comes up in its parent's whole area and ends through its close path, long before
    // the once-a-second check of its parent.
    Scenario("PreviewFillsItsParentAndEndsWithIt", "Zirel.scr /p %HOST%", "", 0, "Preview Window",
             {Look, Wait(1100), kDestroyHost, Ends(300)},
             "56000000 0 300,200,620,440\nexit 0\nexit 0", "", OpenAPreviewArea),
    // The preview's picture. Wine shows no child of another process's window: the area it is
    // given is the desktop.
    Scenario("PreviewShowsItsPicture", "Zirel.scr /p %HOST%", "", 0, "Preview Window",
             {Wait(1000), [](Run& run) { run.seen.push_back(Compare(run.window, "preview.png")); },
              Post(WM_CLOSE)},
             "0\nexit 0", "", [](Run& run) { run.host = GetDesktopWindow(); }),
    // A preview beside a run ends at once.
    Scenario("NoPreviewBesideARun", "Zirel.scr /p %HOST%", "", 0, "", {}, "exit 0", "",
             OpenARunsForm),
    // A renderer that finds a saver still starting hands over to it and ends.
    Scenario("HandsOverToASaverStillStarting", "Zirel.dll", "", kRenderer, "", {}, "exit 0", "",
             OpenAStartingSaver),

    // The renderer: what ends it and what does not. Not activity: releases, the wheel, foreign
    // closes, the first move however far, a move of 4 pixels. System commands but close never
    // reach DefWindowProc.
    Scenario("OnlyMovesOfFivePixelsEndIt", "Zirel.dll", "", kRenderer, kRendererTitle,
             {Post(WM_KEYUP, 'A', 0xC0000001), Post(WM_LBUTTONUP),
              Post(WM_MOUSEWHEEL, WHEEL_DELTA << 16), Post(WM_CLOSE), Post(WM_SYSCOMMAND, SC_CLOSE),
              Move(700, 500), Move(203, 201), Post(WM_SYSCOMMAND, SC_SCREENSAVE), Pace, Look,
              Move(208, 201)},
             "paced\n96000000 8 0,0,1024,768 foreground\nexit 0\nsyscommand 61536"),
    // On two monitors (run.sh plays this row on 1024x768 and 800x600 side by side): the window is
    // the virtual screen (one top-most window, as the row above shows), both show the tops, a key
    // ends it.
    // A display change that moved the cursor ends nothing; the saver goes on at the same pace.
    Scenario("TwoMonitors", "Zirel.dll", "", kRenderer, kRendererTitle,
             {Move(201, 200), ChangeTheDisplay, Pace,
              [](Run& run) { run.seen.push_back(AskRunSh("monitors", "monitors")); },
              Post(WM_KEYDOWN, 'A')},
             "paced\nlit moving\nlit moving\nexit 0"),
};

class Scenarios : public ::testing::TestWithParam<Scenario> {};

TEST_P(Scenarios, AreSeen)
{
    RunScenario(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Wine, Scenarios, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return string(info.param.name); });

}  // namespace
