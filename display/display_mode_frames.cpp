// zirel's frames.
#include "display_mode_frames.h"

#include "frame_start.h"
#include "platform.h"
#include "scene.h"

void DisplayModeFrames::Start(uint32_t seed, int width, int height)
{
    SetSceneDefaults();
    SeedRendererRandom(random_, seed);
    viewFromAbove_ = StartFrames(random_, width, height);
    width_ = width;
    height_ = height;
}

void DisplayModeFrames::Follow(int width, int height)
{
    if (width == width_ && height == height_)
        return;
    FollowWindowSize(width, height, viewFromAbove_);
    width_ = width;
    height_ = height;
}

void DisplayModeFrames::Frame()
{
    RenderFrame();
    PresentFrame();
}
