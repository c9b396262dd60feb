// The setup program and its uninstaller under Wine, run silently: what they leave in the folder and
// the registry, and the installed saver started as Windows starts it on idle, updated while it
// runs.
#include <gtest/gtest.h>

#include "scenario.h"
#include "zirel_version.h"

namespace {

using namespace zt;

const string kDist = std::getenv("ZIREL_DIST");
const string kFolder = std::getenv("LOCALAPPDATA") + string("\\Programs\\Zirel");
const string kSetup = "Zirel-" ZIREL_VERSION_TEXT "-setup.exe /S";
const char kDesktop[] = "Control Panel\\Desktop";
const char kEntry[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zirel";

// Runs "<dir>\<command>" until it and what it starts have ended (an uninstaller goes on as a copy
// of itself).
void Play(const string& dir, const string& command)
{
    Run run{Scenario{"setup"}, dir};
    run.program = Start(run, command);
    EXPECT_TRUE(Until([&] { return Ended(run.job); }, 60000)) << command;
}

// The saver's settings and the uninstall entry's values, whether the folder is there and whether
// the Start-menu shortcut runs rundll32.exe (its path held in ANSI) with its arguments (UTF-16).
string State()
{
    string seen;
    for (const char* name :
         {"SCRNSAVE.EXE", "ScreenSaveActive", "DisplayVersion", "UninstallString"}) {
        char text[MAX_PATH] = "-";
        DWORD length = MAX_PATH;
        if (RegGetValueA(HKEY_CURRENT_USER, kDesktop, name, RRF_RT_REG_SZ, nullptr, text, &length))
            RegGetValueA(HKEY_CURRENT_USER, kEntry, name, RRF_RT_REG_SZ, nullptr, text, &length);
        seen += text + string(" ");
    }
    const auto has = [](const string& text, const string& part) {
        return text.find(part) != string::npos;
    };
    seen += std::filesystem::exists(kFolder) ? "folder" : "no folder";
    const std::wstring arguments = L"desk.cpl,InstallScreenSaver " + P(kFolder).wstring();
    const string link = Read(std::getenv("APPDATA") + string("\\Microsoft\\Windows\\Start Menu"
                                                             "\\Programs\\Zirel screen saver.lnk"));
    const bool shortcut = has(link, "\\system32\\rundll32.exe") &&
                          has(link, string((char*)arguments.data(), arguments.size() * 2));
    seen += shortcut ? " shortcut" : " -";
    return Replace(Replace(seen, kFolder, "%DIR%"), ZIREL_VERSION_TEXT, "%V%") + "\n";
}

// Installs into the row's folder, whose name has blanks, and plays the row from the folder that
// SCRNSAVE.EXE names, read up to its first blank: only the 8.3 form, by which Windows starts a
// saver on idle, has none.
void InstallHere(Run& run)
{
    Play(kDist, kSetup + " /D=" + run.dir);
    const string saver = State();
    run.dir = saver.substr(0, saver.rfind('\\', saver.find(' ')));
}

// A second install while the saver runs: in place, and "moved" when the running renderer, which
// cannot be replaced, went aside.
void UpdateWhileRunning(Run& run)
{
    Play(kDist, kSetup);
    run.seen.push_back(std::filesystem::exists(run.File("Zirel.dll.1.old")) ? "moved" : "-");
}

TEST(Setup, InstallsUpdatesUninstallsAndStartsAsWindowsDoes)
{
    RegSetKeyValueA(HKEY_CURRENT_USER, kDesktop, "SCRNSAVE.EXE", REG_SZ, "C:\\other.scr", 13);
    RegSetKeyValueA(HKEY_CURRENT_USER, kDesktop, "ScreenSaveActive", REG_SZ, "0", 2);
    RegDeleteTreeA(HKEY_CURRENT_USER, kEntry);
    Play(kDist, kSetup);
    const string installed = State();
    std::ofstream(kFolder + "\\Zirel.dll") << "older";
    std::ofstream(kFolder + "\\Zirel.ini") << "settings";
    // An update whose rename is refused (the renderer held open without sharing) changes nothing.
    HANDLE held = CreateFileA((kFolder + "\\Zirel.dll").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    Play(kDist, kSetup);
    CloseHandle(held);
    EXPECT_EQ(State() + Read(kFolder + "\\Zirel.dll"), installed + "older");
    Play(kFolder, "Uninstall.exe /S");
    const string settings = std::getenv("APPDATA") + string("\\Zirel");
    EXPECT_EQ(installed + State() + Read(settings + "\\Zirel.ini"),
              "%DIR%\\Zirel.scr 1 %V% \"%DIR%\\Uninstall.exe\" folder shortcut\n"
              "C:\\other.scr 0 - - no folder -\nsettings");
    std::filesystem::remove_all(settings);
    // The renderer and the WAV of Zirel.ini beside the programs: the launcher found both.
    RunScenario(Scenario("Run by the saver path", "Zirel.scr /s", Ini(" 2", " 0", "sound.wav"),
                         kSound, kRendererTitle, {Listen, UpdateWhileRunning, Post(WM_KEYDOWN)},
                         "tone\nmoved\nexit 0", "", InstallHere));
}

}  // namespace
