// State of the renderer's one thread, grouped in one place.
#pragma once

#include <windows.h>

#include <cstdint>

#include "frame_pacing.h"
#include "input_rules.h"
#include "monitor_layout.h"
#include "random_source.h"
#include "renderer_contract.h"
#include "visibility.h"

struct RendererState {
    HINSTANCE appInstance = nullptr;
    HWND saverWindow = nullptr;
    int32_t glReady = 0;               // frames are drawn only while 1
    int32_t passwordDialogActive = 0;  // 1 while the password dialog runs: no frames, no rules
    InputState input;                  // close arming and the mouse-movement reference
    HDC deviceContext = nullptr;       // the window's own DC (CS_OWNDC), used for every swap
    HGLRC glContext = nullptr;
    LcgRandom random;                  // seeded once in InitGL, shared with the scene
    bool viewFromAbove = false;        // the camera, chosen once in InitGL
    MonitorLayout monitors;            // each monitor's viewport inside the window
    FramePacer pacer;                  // the fastest monitor's exact refresh, read with the layout
    Visibility visibility;             // frames only while somebody can see them
    HPOWERNOTIFY displayNotices[2]{};  // the display-power notifications asked for
};

extern RendererState renderer;

LRESULT CALLBACK SaverFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SaverLifecycleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SaverInputProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void InitGL(HWND window);
// The rectangle that holds every monitor (with one monitor, the screen).
ScreenRect VirtualScreen();
// Lays out each monitor's view inside the window (which covers the virtual screen), and paces
// frames by the fastest monitor's refresh.
void LayOutDisplay();
// After a display change: the window covers the new virtual screen and the views follow.
void FollowDisplay(HWND window);
void ShutdownGL(HWND window);
void IdleFrame();

// Asks for the messages that say who can see the frames (the display's power, the session), and
// lets them go again.
void ListenForViewers(HWND window);
void StopListeningForViewers(HWND window);
// What those messages say, noted in renderer.visibility.
void NoteViewers(UINT message, WPARAM wParam, LPARAM lParam);

// Nonzero when the saver may close (asks for the screen-saver password on the 9x family).
BOOL VerifyPasswordToClose(HWND window);
