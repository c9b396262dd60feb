// The one way the launcher makes a font for its texts: a caption, a label or the dialog's own.
#pragma once

#include <windows.h>

#include "command_button.h"

namespace zirel {

// The screen's dots per inch (96 at 100 %), by which the launcher scales its fonts and layouts.
int ScreenDpi();

// `font` sized for the screen's dots per inch: its points to the nearest pixel (points are kept
// to hundredths, as saved fonts carry them).
HFONT CreateUiFont(const CaptionFont& font);

}  // namespace zirel
