// The settings dialog's keyboard focus and its modal loop: Tab walks the dialog's own focus order,
// which the dialog manager cannot.
#pragma once

#include <windows.h>

#include <array>

namespace zirel::dialog {

// Panel, track box, "...", "設定", "ｷｬﾝｾﾙ".
using FocusOrder = std::array<HWND, 5>;

// Handles the thread's messages while `dialog` exists (a WM_QUIT is left for the caller's loop);
// Tab and Shift+Tab move the focus along `order`.
void RunModalLoop(HWND dialog, const FocusOrder& order);

}  // namespace zirel::dialog
