// Whether anybody can see the frames. Nobody does while the display is switched off (power
// management), while the session is disconnected (a remote session closed, another user at the
// console) or while the window is unmapped or wholly covered; then no frame is drawn, and the
// loop waits for the next event instead, so drawing resumes as soon as one says it is seen
// again. Free of platform types: each platform reports what it learns.
#pragma once

#include <cstdint>

// What Windows reports for a display's power (GUID_CONSOLE_DISPLAY_STATE,
// GUID_SESSION_DISPLAY_STATUS): 0 off, 1 on, 2 dimmed (still seen).
inline constexpr uint32_t kDisplayOff = 0;

class Visibility {
public:
    // The console's display (a session that is not the console's learns nothing from it).
    void ConsoleDisplay(uint32_t state) { consoleDisplayOn_ = state != kDisplayOff; }
    // The session's own display; once reported, it is the one that counts.
    void SessionDisplay(uint32_t state)
    {
        sessionDisplayKnown_ = true;
        sessionDisplayOn_ = state != kDisplayOff;
    }
    void SessionConnected(bool connected) { sessionConnected_ = connected; }
    // The window mapped (shown) or unmapped.
    void Mapped(bool mapped) { mapped_ = mapped; }
    // The window wholly covered by others, or (partly) uncovered again.
    void FullyObscured(bool obscured) { fullyObscured_ = obscured; }

    // True while frames are worth drawing.
    bool Seen() const
    {
        const bool displayOn = sessionDisplayKnown_ ? sessionDisplayOn_ : consoleDisplayOn_;
        return displayOn && sessionConnected_ && mapped_ && !fullyObscured_;
    }

private:
    bool consoleDisplayOn_ = true;
    bool sessionDisplayKnown_ = false;
    bool sessionDisplayOn_ = true;
    bool sessionConnected_ = true;
    bool mapped_ = true;
    bool fullyObscured_ = false;
};
