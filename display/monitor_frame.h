// The camera and the frame as every monitor sees them: one projection per monitor, of its own
// aspect, with the view chosen at start-up. Plain OpenGL 1.1 and GLU, so host tests record it.
#pragma once

#include "monitor_layout.h"

// The projection matrix: 80 degrees of field in y at `aspect`, near 50, far 3000, and the camera
// (from above, or the normal view along -z). Leaves the model-view matrix current.
void LoadProjection(double aspect, bool viewFromAbove);

// One frame, then PresentFrame: with one monitor (or none known) exactly RenderFrame; with
// several, one step of the scene drawn into every monitor's viewport, the space between them left
// black.
void RenderFrameOnMonitors(const MonitorLayout& layout, bool viewFromAbove);
