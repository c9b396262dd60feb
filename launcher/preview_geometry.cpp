// Twips arithmetic of the preview form (portable).
#include "preview_geometry.h"

int TwipsPerPixel(int dotsPerInch)
{
    return dotsPerInch > 0 ? 1440 / dotsPerInch : 15;
}

int16_t PreviewTwips(int pixels, int twipsPerPixel)
{
    const long long twips = static_cast<long long>(pixels) * twipsPerPixel;
    return (twips < -32768 || twips > 32767) ? int16_t(0) : int16_t(twips);
}

PreviewLayout LayoutPreview(int parentWidth, int parentHeight, int twipsPerPixelX,
                            int twipsPerPixelY)
{
    PreviewLayout layout;
    layout.widthTwips = PreviewTwips(parentWidth, twipsPerPixelX);
    layout.heightTwips = PreviewTwips(parentHeight, twipsPerPixelY);
    if (twipsPerPixelX > 0)
        layout.widthPixels = layout.widthTwips / twipsPerPixelX;
    if (twipsPerPixelY > 0)
        layout.heightPixels = layout.heightTwips / twipsPerPixelY;
    return layout;
}
