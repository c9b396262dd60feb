// The close-time password check. Only the Windows 95/98/Me family keeps the screen-saver
// password in PASSWORD.CPL; everywhere else (and when it cannot be loaded) the close is allowed.
#include "win32_renderer.h"

namespace {

using VerifyScreenSavePwdFn = BOOL(WINAPI*)(HWND);

bool IsWindows9xFamily()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);  // 148
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&version);
#pragma GCC diagnostic pop
    return version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

}  // namespace

BOOL VerifyPasswordToClose(HWND window)
{
    if (!IsWindows9xFamily())
        return TRUE;
    HMODULE module = LoadLibraryA("PASSWORD.CPL");
    if (!module)
        return TRUE;
    auto verify = reinterpret_cast<VerifyScreenSavePwdFn>(
        reinterpret_cast<void*>(GetProcAddress(module, "VerifyScreenSavePwd")));
    if (!verify) {
        FreeLibrary(module);
        return TRUE;
    }

    BOOL scratch = FALSE;  // receives the previous state, which is not used
    SystemParametersInfoA(SPI_SCREENSAVERRUNNING, 1, &scratch, 0);
    renderer.passwordDialogActive = 1;
    const BOOL result = verify(window);
    renderer.passwordDialogActive = 0;
    SystemParametersInfoA(SPI_SCREENSAVERRUNNING, 0, &scratch, 0);
    FreeLibrary(module);
    return result;
}
