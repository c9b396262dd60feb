// The hidden application window that owns the launcher's forms.
#include "win32_application_window.h"

#include "win32_window.h"

namespace {

constexpr wchar_t kClassName[] = L"ZirelApplication";
constexpr wchar_t kTitle[] = L"Zirel";

LRESULT CALLBACK ApplicationWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:  // the preview form's unload closes its owner
        EndLauncher();
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

HWND ApplicationWindow()
{
    static HWND window = [] {
        zirel::RegisterClassOnce(kClassName, ApplicationWindowProc,
                                 LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)));
        return CreateWindowExW(0, kClassName, kTitle, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                               nullptr);
    }();
    return window;
}

void EndLauncher()
{
    ExitProcess(0);
}
