// The scene's set-up, its frame and the release of its tables.
#include "scene.h"

#include <GL/gl.h>

#include <algorithm>
#include <new>

#include "curve.h"
#include "gl_drawing.h"
#include "random_source.h"
#include "scene_state.h"
#include "top.h"
#include "top_path.h"

SceneParams sceneParams{};
SceneState scene;

void SetSceneDefaults()
{
    sceneParams = SceneParams{
        10,   // pathCount
        2,    // topsPerPath
        1,    // innerPointCount
        100,  // topSize
        1,    // speedFactor
        0,    // stretchTops
        0,    // showPaths
    };
}

namespace {

// The tables and the records in them, or nothing when a table cannot be allocated. A record
// that cannot be allocated leaves a null entry (and a missing path leaves its tops out), so
// the scene shows fewer tops rather than failing.
void CreateRecords(RandomSource& random)
{
    const int32_t pathCount = std::max(sceneParams.pathCount, int32_t{0});
    const int32_t topsPerPath = std::max(sceneParams.topsPerPath, int32_t{0});
    scene.paths = new (std::nothrow) TopPath* [pathCount] {};
    scene.tops = new (std::nothrow) Top* [size_t(pathCount) * size_t(topsPerPath)] {};
    if (!scene.paths || !scene.tops) {
        FreeSceneTables();
        return;
    }
    scene.pathCount = pathCount;
    scene.topsPerPath = topsPerPath;

    // Path 0, its tops, path 1, its tops, ...: each draws from `random` in this order.
    for (int32_t i = 0; i < pathCount; ++i) {
        TopPath* path = new (std::nothrow) TopPath(sceneParams, random);
        scene.paths[i] = path;
        if (!path)
            continue;
        for (int32_t j = i * topsPerPath; j < (i + 1) * topsPerPath; ++j)
            scene.tops[j] = new (std::nothrow) Top(*path, random);
    }
}

}  // namespace

void SetupScene(RandomSource& random)
{
    FreeSceneTables();
    scene.random = &random;
    BuildTopModel(sceneParams.topSize);
    SetUpLightAndMaterial();
    FillFactorials();
    CreateRecords(random);
}

void StepScene()
{
    // Each path moves before its own tops, and after the tops of the paths before it.
    for (int32_t i = 0; i < scene.pathCount; ++i) {
        TopPath* path = scene.paths[i];
        if (!path)
            continue;
        path->Step(*scene.random);
        for (int32_t j = i * scene.topsPerPath; j < (i + 1) * scene.topsPerPath; ++j) {
            if (scene.tops[j])
                scene.tops[j]->Step(*scene.random);
        }
    }
}

void DrawScene()
{
    for (int32_t i = 0; i < scene.pathCount; ++i) {
        const TopPath* path = scene.paths[i];
        if (!path)
            continue;
        if (path->Params().showPaths)
            DrawPath(*path);
        for (int32_t j = i * scene.topsPerPath; j < (i + 1) * scene.topsPerPath; ++j) {
            if (scene.tops[j])
                DrawTop(*scene.tops[j]);
        }
    }
}

void RenderFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    StepScene();
    DrawScene();
}

void FreeSceneTables()
{
    // The tops first: they refer to their paths.
    if (scene.tops) {
        for (int32_t j = 0; j < scene.pathCount * scene.topsPerPath; ++j)
            delete scene.tops[j];
    }
    if (scene.paths) {
        for (int32_t i = 0; i < scene.pathCount; ++i)
            delete scene.paths[i];
    }
    delete[] scene.tops;
    delete[] scene.paths;
    scene = SceneState{};
}
