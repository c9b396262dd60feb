// The visual, context and buffer swap of zirel's window.
#include "glx_context.h"

#include <cstring>
#include <vector>

#include "pixel_format.h"
#include "platform.h"

namespace {

// Where PresentFrame swaps.
Display* presentDisplay = nullptr;
GLXDrawable presentWindow = 0;

// A visual as the descriptor the pixel-format preference reads.
PixelFormatInfo DescribeVisual(Display* display, XVisualInfo& visual)
{
    auto get = [&](int attribute) {
        int value = 0;
        return glXGetConfig(display, &visual, attribute, &value) == 0 ? value : 0;
    };
    // NOTE: every X visual draws to windows; one rated slow is the counterpart of a Windows
    // generic (software) format.
    const uint32_t flags =
        kPfdDrawToWindow | (get(GLX_USE_GL) ? kPfdSupportOpenGL : 0) |
        (get(GLX_DOUBLEBUFFER) ? kPfdDoubleBuffer : 0) |
        (get(GLX_VISUAL_CAVEAT_EXT) == GLX_SLOW_VISUAL_EXT ? kPfdGenericFormat : 0);
    const int colorBits = get(GLX_RED_SIZE) + get(GLX_GREEN_SIZE) + get(GLX_BLUE_SIZE);
    return PixelFormatInfo{flags, static_cast<uint8_t>(get(GLX_RGBA) ? kPfdTypeRgba : 1),
                           static_cast<uint8_t>(colorBits),
                           static_cast<uint8_t>(get(GLX_DEPTH_SIZE))};
}

// Asks for one swap per display refresh where the driver offers it, as Zirel.dll does.
void RequestSwapInterval(Display* display, int screen, Window window)
{
    const char* extensions = glXQueryExtensionsString(display, screen);
    if (!extensions)
        return;
    if (std::strstr(extensions, "GLX_EXT_swap_control")) {
        auto swapInterval = reinterpret_cast<PFNGLXSWAPINTERVALEXTPROC>(
            glXGetProcAddress(reinterpret_cast<const GLubyte*>("glXSwapIntervalEXT")));
        if (swapInterval)
            swapInterval(display, window, 1);
    } else if (std::strstr(extensions, "GLX_MESA_swap_control")) {
        auto swapInterval = reinterpret_cast<PFNGLXSWAPINTERVALMESAPROC>(
            glXGetProcAddress(reinterpret_cast<const GLubyte*>("glXSwapIntervalMESA")));
        if (swapInterval)
            swapInterval(1);
    }
}

}  // namespace

std::optional<XVisualInfo> ChooseGlxVisual(Display* display, int screen, VisualID only)
{
    XVisualInfo wanted{};
    wanted.screen = screen;
    wanted.visualid = only;
    wanted.c_class = TrueColor;
    int count = 0;
    XVisualInfo* visuals = XGetVisualInfo(
        display, VisualScreenMask | (only ? VisualIDMask : VisualClassMask), &wanted, &count);
    std::vector<PixelFormatInfo> formats;
    for (int i = 0; i < count; ++i)
        formats.push_back(DescribeVisual(display, visuals[i]));
    const int best = BestPixelFormatIndex(formats);
    std::optional<XVisualInfo> chosen;
    if (best != 0)
        chosen = visuals[best - 1];
    if (visuals)
        XFree(visuals);
    return chosen;
}

GLXContext StartGlx(Display* display, const XVisualInfo& visual, Window window)
{
    XVisualInfo copy = visual;
    GLXContext context = glXCreateContext(display, &copy, nullptr, True);
    if (!context)
        return nullptr;
    if (!glXMakeCurrent(display, window, context)) {
        glXDestroyContext(display, context);
        return nullptr;
    }
    RequestSwapInterval(display, visual.screen, window);
    presentDisplay = display;
    presentWindow = window;
    return context;
}

void EndGlx(Display* display, GLXContext context)
{
    glXMakeCurrent(display, None, nullptr);
    glXDestroyContext(display, context);
    presentDisplay = nullptr;
}

void PresentFrame()
{
    if (presentDisplay)
        glXSwapBuffers(presentDisplay, presentWindow);
}
