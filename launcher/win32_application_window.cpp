// The hidden application window that owns the launcher's forms.
#include "win32_application_window.h"

namespace {

constexpr char kClassName[] = "ZirelApplication";
constexpr char kTitle[] = "Zirel";

LRESULT CALLBACK ApplicationWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:  // the preview form's unload closes its owner
        EndLauncher();
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

HWND ApplicationWindow()
{
    static HWND window = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = ApplicationWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hIcon = LoadIconA(windowClass.hInstance, MAKEINTRESOURCEA(1));
        windowClass.lpszClassName = kClassName;
        RegisterClassA(&windowClass);
        return CreateWindowExA(0, kClassName, kTitle, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               windowClass.hInstance, nullptr);
    }();
    return window;
}

void EndLauncher()
{
    ExitProcess(0);
}
