// One projection per monitor and the frame drawn on each.
#include "monitor_frame.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "platform.h"
#include "scene.h"

void LoadProjection(double aspect, bool viewFromAbove)
{
    // The camera lives in the projection matrix, so lighting is the same for both views.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(80.0, aspect, 50.0, 3000.0);
    if (viewFromAbove) {
        glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
        glTranslatef(0.0f, -400.0f, 0.0f);
    } else {
        glTranslatef(0.0f, 0.0f, -400.0f);
    }
    glMatrixMode(GL_MODELVIEW);
}

void RenderFrameOnMonitors(const MonitorLayout& layout, bool viewFromAbove)
{
    if (layout.count <= 1) {
        RenderFrame();
        PresentFrame();
        return;
    }
    // The clear ignores the viewport: the whole window, gaps included, starts black.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    StepScene();
    for (int i = 0; i < layout.count; ++i) {
        const MonitorView& view = layout.views[i];
        glViewport(view.x, view.y, view.width, view.height);
        LoadProjection(view.aspect, viewFromAbove);
        DrawScene();
    }
    PresentFrame();
}
