// The spinning-top scene as the renderer sees it: fixed parameters, one-time set-up inside
// WM_CREATE, one frame per idle pass, and release of the tables at WM_DESTROY.
#pragma once

#include "scene_params.h"

class RandomSource;

// Fixed for the whole run; set by SetSceneDefaults.
extern SceneParams sceneParams;

void SetSceneDefaults();

// Builds display list 1, light and material, the factorial table and the paths and tops.
// Needs a current OpenGL context with an identity model-view matrix. The records draw
// from `random`, which must outlive the scene. A second call replaces the first scene.
void SetupScene(RandomSource& random);

// Clear, step and draw every path and top: a finished frame, for the caller to show.
void RenderFrame();

// The two halves of a frame, for a platform that draws one step several times (once per
// monitor): every path and top moves by one step; then they are drawn where they stand.
void StepScene();
void DrawScene();

// Frees the tables of paths and tops and the records in them.
void FreeSceneTables();
