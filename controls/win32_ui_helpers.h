// Small Win32 helpers shared by the launcher's own controls and the settings dialog.
#pragma once

#include <windows.h>

#include <string>

namespace zirel {

// `text` in the code page `codePage` (CP_UTF8 for our own strings, CP_ACP for paths and values
// as the A functions give them), as UTF-16 for the W functions.
std::wstring WideFrom(const std::string& text, UINT codePage);

inline std::wstring Utf16FromUtf8(const std::string& text) { return WideFrom(text, CP_UTF8); }

// An off-screen image the size of a window's client area, kept between repaints, so a repaint
// is one copy and drawing happens only when something changes.
struct PersistentImage {
    PersistentImage() = default;
    PersistentImage(const PersistentImage&) = delete;
    PersistentImage& operator=(const PersistentImage&) = delete;

    HBITMAP bitmap = nullptr;
    int width = 0, height = 0;

    void Resize(HWND window, int w, int h)
    {
        if (bitmap && w == width && h == height)
            return;
        if (bitmap)
            DeleteObject(bitmap);
        HDC screen = GetDC(window);
        bitmap = CreateCompatibleBitmap(screen, w > 0 ? w : 1, h > 0 ? h : 1);
        ReleaseDC(window, screen);
        width = w;
        height = h;
    }
    ~PersistentImage()
    {
        if (bitmap)
            DeleteObject(bitmap);
    }
    // Copies the part at (x, y) of the image to `dc`'s origin.
    void CopyTo(HDC dc, int x, int y, int w, int h) const
    {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(dc, 0, 0, w, h, memory, x, y, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
};

// Registers a window class with the arrow cursor once per instance; true when it is there.
bool RegisterClassOnce(HINSTANCE instance, const wchar_t* className, WNDPROC procedure);

}  // namespace zirel
