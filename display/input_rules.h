// When user input ends the saver: the decisions behind the renderer's input stage, free of
// Windows types so they can be tested on the host.
#pragma once

#include <cstdint>

struct CursorPoint {
    int32_t x;
    int32_t y;
};

struct InputState {
    int32_t closeRequested = 0;      // armed by any activity; WM_CLOSE honoured only when 1
    int32_t firstMouseMoveSeen = 0;  // the first move message never arms the close
    CursorPoint savedCursorPos{};    // reference for the movement test, screen pixels
    int32_t mouseMoveThreshold = 4;  // largest Manhattan movement that is not yet activity
};

// A key, button or deactivation: arms the close.
inline void ArmClose(InputState& input)
{
    input.closeRequested = 1;
}

// The display changed (a monitor added or removed, another resolution, a remote session): the
// system may have moved the cursor and will send a move message of its own. The reference is
// taken again at `now`, and the next move message counts as the first of the run.
inline void RetakeCursorReference(InputState& input, CursorPoint now)
{
    input.savedCursorPos = now;
    input.firstMouseMoveSeen = 0;
}

// A mouse-move message with the cursor now at `now`. Returns true when the caller must post
// WM_CLOSE (moved more than the threshold from the reference); otherwise the reference follows
// the cursor, so slow creeping never ends the saver.
bool MouseMoveEndsSaver(InputState& input, CursorPoint now);
