// The setup program and its uninstaller under Wine, run silently: what they leave in the folder and
// the registry, and the installed saver started as Windows starts it on idle, updated while it
// runs.
#include <gtest/gtest.h>

#include "scenario.h"
#include "zirel_version.h"

namespace {

using namespace zt;

const std::string kDist = std::getenv("ZIREL_DIST");
const std::string kFolder = std::getenv("LOCALAPPDATA") + std::string("\\Programs\\Zirel");
const std::string kSettings = std::getenv("APPDATA") + std::string("\\Zirel");
const std::string kPrograms =
    std::getenv("APPDATA") + std::string("\\Microsoft\\Windows\\Start Menu\\Programs");
const std::string kSetup = "Zirel-" ZIREL_VERSION_TEXT "-setup.exe /S";
const char kDesktop[] = "Control Panel\\Desktop";
const char kEntry[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zirel";
// The settings dialog's credit line, as the launcher holds it.
const std::string kCredit = "Zirel screen saver  Ver." ZIREL_VERSION_TEXT;

// Runs "<dir>\<command>" until it and what it starts have ended (an uninstaller goes on as a copy
// of itself).
void Play(const std::string& dir, const std::string& command)
{
    Run run{Scenario{"setup"}, dir};
    run.program = Start(run, command);
    EXPECT_TRUE(Until([&] { return JobProcesses(run.job).empty(); }, 60000)) << command;
}

// The saver and the uninstall entry, whether the folder is there, the file version of its
// programs' version resources ("credit": the program holds the dialog's credit line) and the
// Start-menu shortcut.
std::string State()
{
    const char* names[] = {"SCRNSAVE.EXE",        "ScreenSaveActive", "DisplayName",
                           "DisplayVersion",      "DisplayIcon",      "UninstallString",
                           "QuietUninstallString"};
    std::string seen;
    for (int i = 0; i < 7; ++i) {
        char text[MAX_PATH] = "-";
        DWORD length = MAX_PATH;
        RegGetValueA(HKEY_CURRENT_USER, i < 2 ? kDesktop : kEntry, names[i], RRF_RT_REG_SZ, nullptr,
                     text, &length);
        seen += text + std::string(" ");
    }
    seen += std::filesystem::exists(kFolder) ? "folder" : "no folder";
    for (const std::string program : {"\\Zirel.scr", "\\Zirel.dll"}) {
        char data[8192] = {};
        char* version = const_cast<char*>("-");
        UINT length = 0;
        GetFileVersionInfoA((kFolder + program).c_str(), 0, sizeof(data), data);
        VerQueryValueA(data, "\\StringFileInfo\\041104b0\\FileVersion", (void**)&version, &length);
        const bool credit = Read(kFolder + program).find(kCredit) != std::string::npos;
        seen += program + " " + version + (credit ? " credit" : "");
    }
    // The Start-menu shortcut: rundll32.exe (its path held in ANSI) with its arguments (UTF-16).
    const std::wstring arguments = L"desk.cpl,InstallScreenSaver " + P(kFolder).wstring();
    const std::string link = Read(kPrograms + "\\Zirel screen saver.lnk");
    const std::string wide((char*)arguments.data(), arguments.size() * 2);
    const bool shortcut = link.find("\\system32\\rundll32.exe") != std::string::npos &&
                          link.find(wide) != std::string::npos;
    seen += shortcut ? " shortcut" : " -";
    return Replace(Replace(seen, kFolder, "%DIR%"), ZIREL_VERSION_TEXT, "%V%") + "\n";
}

// Installs into the row's folder, whose name has blanks, and plays the row from the folder that
// SCRNSAVE.EXE names, read up to its first blank: only the 8.3 form, by which Windows starts a
// saver on idle, has none.
const auto kInstallHere = +[](Run& run) {
    Play(kDist, kSetup + " /D=" + run.dir);
    const std::string saver = State();
    run.dir = saver.substr(0, saver.rfind('\\', saver.find(' ')));
};

// A second install while the saver runs: in place, and "moved" when the running renderer, which
// cannot be replaced, went aside.
const auto kUpdateWhileRunning = +[](Run& run) {
    Play(kDist, kSetup);
    run.seen.push_back(std::filesystem::exists(run.File("Zirel.dll.1.old")) ? "moved" : "-");
};

TEST(Setup, InstallsUpdatesUninstallsAndStartsAsWindowsDoes)
{
    RegSetKeyValueA(HKEY_CURRENT_USER, kDesktop, "SCRNSAVE.EXE", REG_SZ, "C:\\other.scr", 13);
    RegSetKeyValueA(HKEY_CURRENT_USER, kDesktop, "ScreenSaveActive", REG_SZ, "0", 2);
    RegDeleteTreeA(HKEY_CURRENT_USER, kEntry);
    Play(kDist, kSetup);
    const std::string installed = State();
    std::ofstream(kFolder + "\\Zirel.dll") << "older";
    std::ofstream(kFolder + "\\Zirel.ini") << "settings";
    // An update whose rename is refused (the renderer held open without sharing) changes nothing.
    const std::string before = State();
    HANDLE held = CreateFileA((kFolder + "\\Zirel.dll").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    Play(kDist, kSetup);
    CloseHandle(held);
    EXPECT_EQ(State() + Read(kFolder + "\\Zirel.dll"), before + "older");
    Play(kDist, kSetup);
    EXPECT_EQ(State(), installed);
    Play(kFolder, "Uninstall.exe /S");
    EXPECT_EQ(installed + State() + Read(kSettings + "\\Zirel.ini"),
              "%DIR%\\Zirel.scr 1 Zirel %V% %DIR%\\Zirel.scr \"%DIR%\\Uninstall.exe\" "
              "\"%DIR%\\Uninstall.exe\" /S folder\\Zirel.scr %V% credit\\Zirel.dll %V% shortcut\n"
              "C:\\other.scr 0 - - - - - no folder\\Zirel.scr -\\Zirel.dll - -\nsettings");
    std::filesystem::remove_all(kSettings);
    // The renderer and the WAV of Zirel.ini beside the programs: the launcher found both.
    RunScenario(Scenario("Run by the saver path", "Zirel.scr /s", Ini(" 2", " 0", "sound.wav"), "",
                         kSound, kRendererTitle, {Listen, kUpdateWhileRunning, WM_KEYDOWN},
                         "tone\nmoved\nexit 0", "", kInstallHere));
}

}  // namespace
