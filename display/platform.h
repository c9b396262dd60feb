// What a platform provides, and how it drives the portable display pieces. Zirel.dll fills it in
// over Win32 and WGL (renderer/), zirel over X11 and GLX (linux/), the host tests with the
// recording OpenGL stand-in (tests/support/).
//
// A platform owns the window (one over every monitor, or the one it was handed), its OpenGL 1.1
// context and its event loop. With the context current it calls StartFrames (frame_start.h)
// once; then, each time FramePacer (frame_pacing.h) lets a frame start, RenderFrameOnMonitors
// (monitor_frame.h) over the monitors' layout (monitor_layout.h); FollowWindowSize when the
// window's size changes; and the input rules (input_rules.h) decide which input ends a saver.
#pragma once

// Shows the frame just drawn: swaps the window's buffers. Called once at the end of each frame.
void PresentFrame();
