// The settings dialog's focus order and modal loop. See win32_dialog_focus.h.
#include "win32_dialog_focus.h"

#include <algorithm>

namespace zirel::dialog {
namespace {

// The focus order opens with the panel, which holds two of the other stops. The dialog manager
// never stops on a window that holds tab stops (WS_EX_CONTROLPARENT), and without that style it
// would not reach the panel's children, so Tab walks this order here.
void MoveFocus(HWND dialog, const FocusOrder& order, bool backwards)
{
    const int count = int(order.size());
    int at = backwards ? 0 : count - 1;  // with the focus elsewhere, start at either end
    for (HWND held = GetFocus(); held; held = GetParent(held)) {  // the combo's edit counts as the combo
        const auto found = std::find(order.begin(), order.end(), held);
        if (found != order.end()) {
            at = int(found - order.begin());
            break;
        }
    }
    for (int step = 1; step < count; ++step) {
        const HWND next = order[size_t((at + (backwards ? count - step : step)) % count)];
        if (IsWindowVisible(next) && IsWindowEnabled(next)) {
            SendMessageW(dialog, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
            SetFocus(next);
            return;
        }
    }
}

}  // namespace

void RunModalLoop(HWND dialog, const FocusOrder& order)
{
    MSG message;
    while (IsWindow(dialog)) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                PostQuitMessage(int(message.wParam));  // leave it for the caller's loop
            break;
        }
        if (message.message == WM_KEYDOWN && message.wParam == VK_TAB &&
            (message.hwnd == dialog || IsChild(dialog, message.hwnd))) {
            MoveFocus(dialog, order, GetKeyState(VK_SHIFT) < 0);
            continue;
        }
        if (!IsDialogMessageW(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

}  // namespace zirel::dialog
