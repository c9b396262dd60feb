// The saver window's procedure chain: SaverFrameProc -> SaverLifecycleProc -> SaverInputProc.
// Each stage finishes a message or hands the same four arguments on.
#include "win32_renderer.h"
#include "scene.h"

namespace {

CursorPoint CurrentCursor()
{
    POINT p{};
    GetCursorPos(&p);
    return CursorPoint{p.x, p.y};
}

void SaveCursorReference()
{
    POINT p{};
    GetCursorPos(&p);
    renderer.input.savedCursorPos = CursorPoint{p.x, p.y};
}

// Activity: arm the close and ask for it; WM_CLOSE does the password check.
void RequestClose(HWND window)
{
    ArmClose(renderer.input);
    PostMessageA(window, WM_CLOSE, 0, 0);
}

}  // namespace

LRESULT CALLBACK SaverFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        SaveCursorReference();
        SetCursor(nullptr);
        break;
    }
    case WM_SYSCOMMAND: {
        // NOTE: compared as the whole value, without masking the low four bits.
        if (wParam == SC_NEXTWINDOW || wParam == SC_PREVWINDOW || wParam == SC_SCREENSAVE)
            return 0;
        break;
    }
    case WM_DESTROY: {
        PostQuitMessage(0);
        break;
    }
    }
    return SaverLifecycleProc(window, message, wParam, lParam);
}

LRESULT SaverLifecycleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        SetSceneDefaults();
        SetWindowTextA(window, kRendererTitle);
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_LOWEST);
        LayOutDisplay();
        InitGL(window);
        renderer.glReady = 1;
        ListenForViewers(window);
        break;
    }
    case WM_DISPLAYCHANGE: {
        // A monitor added or removed, another resolution, a remote session: the saver goes on
        // over the new layout, and the cursor the system may have moved ends nothing.
        FollowDisplay(window);
        RetakeCursorReference(renderer.input, CurrentCursor());
        break;
    }
    case WM_POWERBROADCAST:
    case WM_WTSSESSION_CHANGE: {
        NoteViewers(message, wParam, lParam);
        break;
    }
    case WM_DESTROY: {
        StopListeningForViewers(window);
        renderer.glReady = 0;
        ShutdownGL(window);
        break;
    }
    }
    return SaverInputProc(window, message, wParam, lParam);
}

LRESULT SaverInputProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        if (!renderer.input.closeRequested)
            return 0;  // nothing has happened yet: a close from outside is refused
        if (!VerifyPasswordToClose(window)) {
            SaveCursorReference();
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (renderer.passwordDialogActive)
        return DefWindowProcA(window, message, wParam, lParam);

    switch (message) {
    case WM_SHOWWINDOW: {
        if (wParam)
            SetCursor(nullptr);
        break;
    }
    case WM_ACTIVATEAPP: {
        if (!wParam)
            RequestClose(window);
        break;
    }
    case WM_SETCURSOR: {
        SetCursor(nullptr);
        return TRUE;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        RequestClose(window);
        break;
    }
    case WM_MOUSEMOVE: {
        // The message's own coordinates are client-relative; the rule works in screen pixels.
        if (MouseMoveEndsSaver(renderer.input, CurrentCursor()))
            PostMessageA(window, WM_CLOSE, 0, 0);
        break;
    }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
