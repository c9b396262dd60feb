// What the settings dialog shows: its artwork and fonts, its controls made at their places in the
// layout table, the panel Pic_C with its tiled texture, and the background of horizontal lines.
#pragma once

#include <windows.h>

#include "command_button.h"
#include "win32_command_button.h"
#include "win32_window.h"

namespace zirel::dialog {

// The dialog's artwork from the program's resources and its fonts at the screen's scale.
struct DialogArt {
    // `textFont` is the font of the dialog's labels and button captions.
    explicit DialogArt(const CaptionFont& textFont);
    ~DialogArt();
    DialogArt(const DialogArt&) = delete;
    DialogArt& operator=(const DialogArt&) = delete;

    CommandFaceImages faces{};
    HBITMAP texture = nullptr;
    HBITMAP optionImages[2] = {};  // Img_Ra(0) unmarked, Img_Ra(1) marked
    HCURSOR handCursor = nullptr;
    HFONT font = nullptr, panelFont = nullptr, linkFont = nullptr;
};

// The panel Pic_C: a sunken child whose persistent image holds the tiled texture; it passes its
// children's notifications on to the dialog and paints under its see-through children.
struct Panel {
    PersistentImage image;

    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// Makes the panel and every control at its place scaled to `dpi`, the captions in `captionFont`;
// the panel's window.
HWND CreateControls(HWND dialog, Panel& panel, const DialogArt& art, const CaptionFont& captionFont,
                    int dpi);

// Draws the background into `image`, which it sizes to the window's client area.
void PaintBackground(HWND window, PersistentImage& image);

// Draws the panel's image: its base colour, the copies of `texture` and the heading's frame.
void PaintPanel(HWND panel, Panel& panelImage, HBITMAP texture, int dpi);

// Paints `child`'s share of `image` (which covers `parent`'s client area) into `dc`.
void PaintUnderChild(const PersistentImage& image, HWND parent, HWND child, HDC dc);

}  // namespace zirel::dialog
