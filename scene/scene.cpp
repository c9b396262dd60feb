// Placeholder frame until the top model arrives: clears and presents.
#include "scene.h"

#include <GL/gl.h>

SceneParams sceneParams{};

void SetSceneDefaults()
{
    sceneParams = SceneParams{10, 2, 1, 100, 1, 0, 0};
}

void SetupScene(RandomSource&) {}

void RenderFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    PresentFrame();
}

void FreeSceneTables() {}
