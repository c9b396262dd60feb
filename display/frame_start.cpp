// The start-up and the window's size, shared by Zirel.dll and zirel.
#include "frame_start.h"

#include <GL/gl.h>

#include "monitor_frame.h"
#include "scene.h"
#include "view.h"

void SeedRendererRandom(LcgRandom& random, uint32_t seed)
{
    random.Seed(seed);
    for (int i = 0; i < 10; ++i)
        random.Next();
}

bool StartFrames(RandomSource& random, int width, int height)
{
    glViewport(0, 0, width, height);
    glEnable(GL_DEPTH_TEST);
    glFrontFace(GL_CCW);
    glEnable(GL_CULL_FACE);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);

    const bool viewFromAbove = IsViewFromAbove(random.Next());
    LoadProjection(static_cast<double>(width) / static_cast<double>(height), viewFromAbove);
    glLoadIdentity();

    SetupScene(random);
    return viewFromAbove;
}

void FollowWindowSize(int width, int height, bool viewFromAbove)
{
    if (height <= 0)
        return;
    glViewport(0, 0, width, height);
    LoadProjection(static_cast<double>(width) / static_cast<double>(height), viewFromAbove);
}
