#include "input_rules.h"

#include <cstdlib>

bool MouseMoveEndsSaver(InputState& input, CursorPoint now)
{
    if (!input.firstMouseMoveSeen)
        input.firstMouseMoveSeen = 1;
    else
        input.closeRequested = 1;

    const int64_t distance = std::llabs(int64_t{input.savedCursorPos.x} - now.x) +
                             std::llabs(int64_t{input.savedCursorPos.y} - now.y);
    if (distance > input.mouseMoveThreshold)
        return true;
    input.savedCursorPos = now;
    return false;
}
