// The scene's fixed parameters: set once by SetSceneDefaults, read by the set-up, the paths and
// the tops.
#pragma once

#include <cstdint>

struct SceneParams {
    int32_t pathCount;
    int32_t topsPerPath;
    int32_t innerPointCount;  // N: a path has N + 3 control points
    int32_t topSize;          // model radius is topSize * 0.25; also scales the stretch
    int32_t speedFactor;      // pace multiplier g
    int32_t stretchTops;      // flag
    int32_t showPaths;        // flag
};
