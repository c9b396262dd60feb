// What every window of the launcher needs: its class registered once, and the object behind it
// reached from its window procedure.
#pragma once

#include <windows.h>

namespace zirel {

// Registers the class `className` of this program (arrow cursor) unless it is there; true when
// it is.
bool RegisterClassOnce(const wchar_t* className, WNDPROC procedure, HICON icon = nullptr,
                       HBRUSH background = nullptr);

// The object kept with `window`, or null.
template <typename T>
T* WindowObject(HWND window)
{
    return reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// The window procedure of a window whose object handles its messages: the object is
// CreateWindowEx's last argument, kept with the window from WM_NCCREATE on and let go after
// WM_NCDESTROY; T::Handle(window, message, wParam, lParam) answers each message. Messages that
// come before it (WM_GETMINMAXINFO) go to DefWindowProcW.
template <typename T>
LRESULT CALLBACK ObjectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(create->lpCreateParams));
    }
    T* object = WindowObject<T>(window);
    if (message == WM_NCDESTROY)
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return object ? object->Handle(window, message, wParam, lParam)
                  : DefWindowProcW(window, message, wParam, lParam);
}

// An off-screen image the size of a window's client area, kept between repaints, so a repaint
// is one copy and drawing happens only when something changes.
struct PersistentImage {
    PersistentImage() = default;
    PersistentImage(const PersistentImage&) = delete;
    PersistentImage& operator=(const PersistentImage&) = delete;
    ~PersistentImage();

    HBITMAP bitmap = nullptr;
    int width = 0, height = 0;

    void Resize(HWND window, int w, int h);
    // Copies the part at (x, y) of the image to `dc`'s origin.
    void CopyTo(HDC dc, int x, int y, int w, int h) const;
    // Answers WM_PAINT for `window`, whose whole face the image is.
    void Paint(HWND window) const;
};

}  // namespace zirel
