#include "win32_font.h"

#include "win32_text.h"

namespace zirel {

int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

HFONT CreateUiFont(const CaptionFont& font)
{
    return CreateFontW(-MulDiv(int(font.points * 100 + 0.5), ScreenDpi(), 7200), 0, 0, 0,
                       font.bold ? FW_BOLD : FW_NORMAL, font.italic, font.underline, FALSE,
                       font.charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, Utf16FromUtf8(font.faceName).c_str());
}

}  // namespace zirel
