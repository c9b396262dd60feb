// Sizing of the preview form inside the display dialog's preview area (portable). Form
// measurements are twips (1/1440 inch) held as 16-bit signed numbers, as the form keeps them;
// the platform's twips per pixel (15 at 96 dots per inch) converts them.
#pragma once

#include <cstdint>

// Twips per pixel for a screen resolution in dots per inch (96 -> 15, 120 -> 12).
int TwipsPerPixel(int dotsPerInch);

// pixels x twipsPerPixel, or 0 when that exceeds 32767 twips (the form's 16-bit limit).
int16_t PreviewTwips(int pixels, int twipsPerPixel);

struct PreviewLayout {
    int16_t widthTwips = 0;
    int16_t heightTwips = 0;
    int widthPixels = 0;   // the form's (and the picture control's) size on screen
    int heightPixels = 0;
};

// The form covers the parent area of the given pixel size from its top-left corner.
PreviewLayout LayoutPreview(int parentWidth, int parentHeight, int twipsPerPixelX,
                            int twipsPerPixelY);
