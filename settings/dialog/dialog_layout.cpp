// The settings dialog's layout. See dialog_layout.h.
#include "dialog_layout.h"

namespace zirel::dialog {

Rect PlaceOf(int id)
{
    for (const Place& place : kLayout)
        if (place.id == id)
            return place.rect;
    return {0, 0, 0, 0};
}

int Scaled(int pixels, int dpi)
{
    // Halves away from zero, as MulDiv rounds.
    const long long scaled = 2LL * pixels * dpi;
    return int(scaled >= 0 ? (scaled + 96) / 192 : (scaled - 96) / 192);
}

Rect Scaled(const Rect& rect, int dpi)
{
    const int x = Scaled(rect.x, dpi), y = Scaled(rect.y, dpi);
    return {x, y, Scaled(rect.Right(), dpi) - x, Scaled(rect.Bottom(), dpi) - y};
}

}  // namespace zirel::dialog
