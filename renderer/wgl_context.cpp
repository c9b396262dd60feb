// The saver window's OpenGL state: pixel format and context, the start-up both platforms share
// (frame_start.h), and their release.
#include <windows.h>

#include <ctime>
#include <vector>

#include "frame_start.h"
#include "pixel_format.h"
#include "win32_renderer.h"
#include "platform.h"
#include "scene.h"
#include "win32_frame_pacing.h"

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
    SeedRendererRandom(renderer.random, static_cast<uint32_t>(std::time(nullptr)));

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

    renderer.viewFromAbove = StartFrames(renderer.random, client.right - client.left,
                                         client.bottom - client.top);
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
    // How long the swap took tells the pacer whether the driver holds it to the display.
    const int64_t swapStartUs = SteadyNowUs();
    wglSwapLayerBuffers(renderer.deviceContext, WGL_SWAP_MAIN_PLANE);
    renderer.pacer.SwapEnded(swapStartUs, SteadyNowUs());
}
