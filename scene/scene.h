// The spinning-top scene as the renderer sees it: fixed parameters, one-time set-up inside
// WM_CREATE, one frame per idle pass, and release of the tables at WM_DESTROY.
#pragma once

#include <cstdint>

class RandomSource;

// Fixed for the whole run; set by SetSceneDefaults.
struct SceneParams {
    int32_t pathCount;
    int32_t topsPerPath;
    int32_t innerPointCount;  // N: a path has N + 3 control points
    int32_t topSize;          // model radius is topSize * 0.25; also scales the stretch
    int32_t speedFactor;      // pace multiplier g
    int32_t stretchTops;      // flag
    int32_t showPaths;        // flag
};

extern SceneParams sceneParams;

void SetSceneDefaults();

// Builds display list 1, light and material, the factorial table and the paths and tops.
// Needs a current OpenGL context with an identity model-view matrix. The records draw
// from `random`, which must outlive the scene.
void SetupScene(RandomSource& random);

// Clear, step and draw every path and top, then PresentFrame().
void RenderFrame();

// Frees the tables of paths and tops (the records themselves go with the process).
void FreeSceneTables();

// Shows the finished frame. Defined by the platform layer (the renderer swaps its WGL
// buffers; the host tests' OpenGL recorder records it).
void PresentFrame();
