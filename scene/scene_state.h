// The scene's module-level state: its tables of paths and tops and the random source they
// draw from, all made by SetupScene.
#pragma once

#include <cstdint>

class RandomSource;
class Top;
class TopPath;

struct SceneState {
    RandomSource* random = nullptr;  // supplied to SetupScene; not owned
    // paths[i] is path i; tops[i * topsPerPath] .. tops[(i + 1) * topsPerPath - 1] ride it. An
    // entry is null where its record could not be allocated (or its path could not), and the
    // frame skips it.
    TopPath** paths = nullptr;
    Top** tops = nullptr;
    int32_t pathCount = 0;    // entries in paths: 0 when the tables could not be allocated
    int32_t topsPerPath = 0;
};

extern SceneState scene;
