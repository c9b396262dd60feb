// Zirel.scr entry: the instance guard and the dispatch on the screen-saver switches.
#include <windows.h>

#include <string>

#include "command_line.h"
#include "renderer_contract.h"
#include "settings.h"
#include "settings_dialog.h"
#include "settings_file.h"
#include "win32_application_window.h"
#include "win32_preview_form.h"
#include "win32_profile.h"
#include "win32_saver_form.h"
#include "win32_text.h"
#include "win32_user_texts.h"

namespace {

using zirel::UiText;
using zirel::UserText;

// The folder of Zirel.scr (UTF-8), without a trailing backslash. NOTE: through the W function, so
// a folder named outside the ANSI code page (a Japanese user name on an English Windows) stays
// whole; its length is not limited to MAX_PATH.
std::string ProgramFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()))) == path.size())
        path.resize(path.size() * 2);
    path.resize(length);
    return FolderOf(zirel::Utf8FromWide(path));
}

// NOTE: two launchers started at the same instant both pass the window test of the instance
// guard before either has made its window, so each would start a renderer, and the one below
// would be left on screen when the user ends the other. Runs and dialogs therefore also hold
// this named mutex for their whole life; the system lets it go when the process ends.
constexpr char kRunOrDialogMutex[] = "Zirel.RunOrDialog";

// True when another launcher holds a run or a dialog. When `claim` is set and none does, this
// process takes the mutex for itself.
bool AnotherRunOrDialog(bool claim)
{
    if (!claim) {
        HANDLE held = OpenMutexA(SYNCHRONIZE, FALSE, kRunOrDialogMutex);
        if (held)
            CloseHandle(held);
        return held != nullptr;
    }
    return CreateMutexA(nullptr, FALSE, kRunOrDialogMutex) && GetLastError() == ERROR_ALREADY_EXISTS;
}

// A window handle passed as decimal text is its 32-bit form, sign-extended on 64-bit Windows.
HWND HandleFromValue(uint32_t value)
{
    return reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(value)));
}

}  // namespace

// Returns only for a preview or a full-screen run, leaving a form that keeps the process alive.
void LauncherMain()
{
    // A running saver ("Vant_Main") or an open settings dialog ("<Zirel>"): never a second one.
    if (FindWindowA(nullptr, "Vant_Main") || FindWindowA(nullptr, "<Zirel>"))
        EndLauncher();

    const std::string arguments(ArgumentText(zirel::Utf8FromWide(GetCommandLineW())));
    const char switchCharacter = SwitchCharacter(arguments);
    if (switchCharacter == 'P') {
        if (AnotherRunOrDialog(false))
            EndLauncher();
        AttachPreview(HandleFromValue(PreviewParentHandle(arguments)));
        return;
    }

    const std::string programFolder = ProgramFolder();
    Win32ProfileStore profile;
    LoadSettings(settings, profile, programFolder, PerUserSettingsPath(ApplicationDataFolder()));

    if (!FileExists(programFolder + "\\" + kRendererFileName)) {
        MessageBoxW(nullptr, UserText(UiText::MissingRenderer).c_str(),
                    UserText(UiText::MessageCaption).c_str(), MB_OK);
        EndLauncher();
    }
    if (switchCharacter != 'S' && switchCharacter != 'C' && !arguments.empty())
        EndLauncher();  // /a and every other switch
    // Claimed here, where a run or dialog begins: the message above must not stop a preview.
    if (AnotherRunOrDialog(true))
        EndLauncher();
    if (switchCharacter == 'C') {
        ShowSettingsDialog(settings, programFolder);
        EndLauncher();
    }
    if (switchCharacter == 'S')
        ShowCursor(FALSE);  // no arguments: the run keeps the cursor visible
    Vant_S::Open(programFolder, switchCharacter);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    LauncherMain();
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
