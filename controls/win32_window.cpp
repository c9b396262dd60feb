#include "win32_window.h"

namespace zirel {

bool RegisterClassOnce(const wchar_t* className, WNDPROC procedure, HICON icon, HBRUSH background)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.hInstance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing = windowClass;
    if (GetClassInfoExW(windowClass.hInstance, className, &existing))
        return true;
    windowClass.lpfnWndProc = procedure;
    windowClass.hIcon = icon;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = className;
    return RegisterClassExW(&windowClass) != 0;
}

PersistentImage::~PersistentImage()
{
    if (bitmap)
        DeleteObject(bitmap);
}

void PersistentImage::Resize(HWND window, int w, int h)
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

void PersistentImage::CopyTo(HDC dc, int x, int y, int w, int h) const
{
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(dc, 0, 0, w, h, memory, x, y, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void PersistentImage::Paint(HWND window) const
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    CopyTo(dc, 0, 0, width, height);
    EndPaint(window, &paint);
}

}  // namespace zirel
