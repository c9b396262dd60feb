// The saver window's OpenGL state: pixel format, context, viewport, render states, the
// projection with its randomly chosen view, and their release.
#include <windows.h>

#include <GL/gl.h>

#include <ctime>
#include <vector>

#include "monitor_frame.h"
#include "pixel_format.h"
#include "renderer_state.h"
#include "scene.h"
#include "view.h"

namespace {

// Failures are not shown to the user; a debugger or DebugView sees them.
void ReportFailure(const char* what)
{
    OutputDebugStringA("Zirel: ");
    OutputDebugStringA(what);
    OutputDebugStringA("\n");
}

// Asks for one buffer swap per display refresh where the driver offers the extension, so the
// fixed step per frame keeps the display's pace instead of burning a core.
void RequestSwapInterval()
{
    using SwapIntervalFn = BOOL(WINAPI*)(int);
    auto swapInterval = reinterpret_cast<SwapIntervalFn>(
        reinterpret_cast<void*>(wglGetProcAddress("wglSwapIntervalEXT")));
    if (swapInterval)
        swapInterval(1);
}

}  // namespace

void ChooseBestPixelFormat(HDC deviceContext)
{
    std::vector<PixelFormatInfo> formats;
    PIXELFORMATDESCRIPTOR descriptor{};
    for (int index = 1; DescribePixelFormat(deviceContext, index, 40, &descriptor) != 0; ++index) {
        formats.push_back(PixelFormatInfo{descriptor.dwFlags, descriptor.iPixelType,
                                          descriptor.cColorBits, descriptor.cDepthBits});
    }

    const int best = BestPixelFormatIndex(formats);
    BOOL set = FALSE;
    if (best != 0) {
        DescribePixelFormat(deviceContext, best, 40, &descriptor);
        set = SetPixelFormat(deviceContext, best, &descriptor);
    } else {
        descriptor = PIXELFORMATDESCRIPTOR{};
        descriptor.nSize = 40;
        descriptor.nVersion = 1;
        descriptor.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
        descriptor.iPixelType = PFD_TYPE_RGBA;
        descriptor.cColorBits = 24;
        descriptor.cDepthBits = 24;
        set = SetPixelFormat(deviceContext, ChoosePixelFormat(deviceContext, &descriptor),
                             &descriptor);
    }
    if (!set)
        ReportFailure("SetPixelFormat failed");
}

void InitGL(HWND window)
{
    renderer.random.Seed(static_cast<uint32_t>(std::time(nullptr)));
    for (int i = 0; i < 10; ++i)
        renderer.random.Next();

    renderer.deviceContext = GetDC(window);
    ChooseBestPixelFormat(renderer.deviceContext);
    renderer.glContext = wglCreateContext(renderer.deviceContext);
    if (!renderer.glContext)
        ReportFailure("wglCreateContext failed");

    RECT client{};
    GetClientRect(window, &client);
    if (!wglMakeCurrent(renderer.deviceContext, renderer.glContext))
        ReportFailure("wglMakeCurrent failed");
    else
        RequestSwapInterval();

    glViewport(client.left, client.top, client.right - client.left, client.bottom - client.top);
    glEnable(GL_DEPTH_TEST);
    glFrontFace(GL_CCW);
    glEnable(GL_CULL_FACE);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);

    renderer.viewFromAbove = IsViewFromAbove(renderer.random.Next());
    LoadProjection(static_cast<double>(client.right) / static_cast<double>(client.bottom),
                   renderer.viewFromAbove);
    glLoadIdentity();

    SetupScene(renderer.random);
}

void ShutdownGL(HWND window)
{
    FreeSceneTables();
    ReleaseDC(window, renderer.deviceContext);
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(renderer.glContext);
}

void PresentFrame()
{
    wglSwapLayerBuffers(renderer.deviceContext, WGL_SWAP_MAIN_PLANE);
}
