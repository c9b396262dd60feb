// The command button as a Win32 child window: translates mouse, focus, timer and size messages
// into calls on zirel::Command and paints the faces it asks for into a persistent image.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "command_button.h"

namespace zirel {

// The six 64 x 25 face images, in ButtonFace order. Owned by the caller; they must outlive
// every button created with them.
using CommandFaceImages = std::array<HBITMAP, 6>;

// Sent by a button (and other see-through children) to its parent to paint what lies under it:
// wParam is the HDC to paint into, lParam the child window; the parent paints the part of its
// background under the child at the DC's origin and returns TRUE. A parent that does not
// answer gets the system's button-face colour.
constexpr UINT kPaintBackgroundMessage = WM_APP + 0x30;

// Creates a button with control id `id` at `bounds` (pixels, in the parent's client area).
// It restores `saved` and applies its size, which paints it; the host calls Initialize.
// The button reports a click as WM_COMMAND (id, BN_CLICKED) to its parent.
HWND CreateCommandButton(HWND parent, int id, const RECT& bounds, const PropertyBag& saved,
                         const CaptionFont& ambientFont, const CommandFaceImages& faces);

// The state machine behind a button window, or nullptr for any other window.
Command* CommandOf(HWND window);

// Writes the `Enabled` property and keeps the window's own enabled state (tab stops, input) in
// step with it.
void SetCommandEnabled(HWND window, bool enabled);

}  // namespace zirel
