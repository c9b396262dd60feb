// zirel: the spinning tops as an X11 display mode. It draws into the window XScreenSaver hands
// over (XSCREENSAVER_WINDOW), a window given by -window-id, the root window (-root), or else a
// window of its own, which q, Escape or closing it ends. SIGTERM and SIGINT end it at once.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>
#include <X11/keysym.h>
#include <poll.h>
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "display_mode_frames.h"
#include "display_mode_options.h"
#include "frame_pacing.h"
#include "glx_context.h"
#include "scene.h"

namespace {

volatile sig_atomic_t endRequested = 0;

void RequestEnd(int)
{
    endRequested = 1;
}

// NOTE: Xlib's own handler ends the program on any error, and a handed-over window may go at
// any moment (the daemon destroys it): an error ends the loop quietly instead.
int NoteXError(Display*, XErrorEvent*)
{
    endRequested = 1;
    return 0;
}

int64_t NowUs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t{now.tv_sec} * 1000000 + now.tv_nsec / 1000;
}

// The screen's refresh rate as RandR reports it; 0 when it does not.
int RefreshHz(Display* display, Window root)
{
    int eventBase = 0;
    int errorBase = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase))
        return 0;
    XRRScreenConfiguration* config = XRRGetScreenInfo(display, root);
    if (!config)
        return 0;
    const int hz = XRRConfigCurrentRate(config);
    XRRFreeScreenConfigInfo(config);
    return hz;
}

int Fail(const char* message)
{
    std::fprintf(stderr, "zirel: %s\n", message);
    return 1;
}

// The size a window of our own opens at.
constexpr int kOwnWidth = 800;
constexpr int kOwnHeight = 600;

// A window of our own, titled "Zirel", that a window manager may resize and close.
Window CreateOwnWindow(Display* display, const XVisualInfo& visual, Atom closeAtom)
{
    const Window root = RootWindow(display, visual.screen);
    XSetWindowAttributes attributes{};
    attributes.colormap = XCreateColormap(display, root, visual.visual, AllocNone);
    attributes.event_mask = KeyPressMask | StructureNotifyMask;
    const Window window = XCreateWindow(
        display, root, 0, 0, kOwnWidth, kOwnHeight, 0, visual.depth, InputOutput, visual.visual,
        CWColormap | CWBorderPixel | CWBackPixel | CWEventMask, &attributes);
    XStoreName(display, window, "Zirel");
    XClassHint classHint{const_cast<char*>("zirel"), const_cast<char*>("Zirel")};
    XSetClassHint(display, window, &classHint);
    XSetWMProtocols(display, window, &closeAtom, 1);
    XMapWindow(display, window);
    return window;
}

// Takes every waiting event; false when one ends the run. Only our own window asks for keys.
bool TakeEvents(Display* display, Window window, Atom closeAtom, DisplayModeFrames& frames)
{
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
        switch (event.type) {
        case ConfigureNotify: {
            if (event.xconfigure.window == window)
                frames.Follow(event.xconfigure.width, event.xconfigure.height);
            break;
        }
        case DestroyNotify: {
            if (event.xdestroywindow.window == window)
                return false;
            break;
        }
        case KeyPress: {
            const KeySym key = XLookupKeysym(&event.xkey, 0);
            if (key == XK_q || key == XK_Escape)
                return false;
            break;
        }
        case ClientMessage: {
            if (static_cast<Atom>(event.xclient.data.l[0]) == closeAtom)
                return false;
            break;
        }
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    const DisplayModeOptions options =
        ReadDisplayModeOptions({argv + 1, argv + argc}, std::getenv("XSCREENSAVER_WINDOW"));
    if (!options.error.empty()) {
        std::fprintf(stderr, "zirel: %s\n%s\n", options.error.c_str(), kDisplayModeUsage);
        return 1;
    }
    if (options.help) {
        std::printf("%s\n", kDisplayModeUsage);
        return 0;
    }

    // The end signals stay blocked but while the loop waits, so none is lost between a check
    // and the wait, and none goes to a thread the OpenGL driver starts.
    sigset_t endSignals;
    sigset_t waitMask;
    sigemptyset(&endSignals);
    sigaddset(&endSignals, SIGTERM);
    sigaddset(&endSignals, SIGINT);
    sigprocmask(SIG_BLOCK, &endSignals, &waitMask);
    sigdelset(&waitMask, SIGTERM);  // also where the parent left them blocked
    sigdelset(&waitMask, SIGINT);
    struct sigaction action {};
    action.sa_handler = RequestEnd;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);

    Display* display = XOpenDisplay(nullptr);
    if (!display && !*XDisplayName(nullptr))
        return Fail("DISPLAY is not set");
    if (!display) {
        std::fprintf(stderr, "zirel: cannot open display \"%s\"\n", XDisplayName(nullptr));
        return 1;
    }
    XSetErrorHandler(NoteXError);
    const int screen = DefaultScreen(display);
    const Atom closeAtom = XInternAtom(display, "WM_DELETE_WINDOW", False);
    const bool own = options.target == DrawTarget::OwnWindow;
    Window window = options.target == DrawTarget::GivenWindow ? options.windowId
                                                               : RootWindow(display, screen);
    XWindowAttributes attributes{};
    if (!own && !XGetWindowAttributes(display, window, &attributes))
        return Fail("the window to draw into does not exist");
    const int glxScreen = own ? screen : XScreenNumberOfScreen(attributes.screen);
    const std::optional<XVisualInfo> visual =
        ChooseGlxVisual(display, glxScreen, own ? 0 : XVisualIDFromVisual(attributes.visual));
    if (!visual)
        return Fail("no usable GLX visual");
    if (own) {
        window = CreateOwnWindow(display, *visual, closeAtom);
        attributes.width = kOwnWidth;
        attributes.height = kOwnHeight;
    } else {
        XSelectInput(display, window, StructureNotifyMask);  // its input is the daemon's
    }
    GLXContext context = StartGlx(display, *visual, window);
    if (!context)
        return Fail("cannot make an OpenGL context current for the window");

    DisplayModeFrames frames;
    frames.Start(static_cast<uint32_t>(std::time(nullptr)), attributes.width, attributes.height);
    FramePacer pacer(RefreshHz(display, RootWindow(display, glxScreen)), options.delayUs);
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    while (!endRequested && TakeEvents(display, window, closeAtom, frames)) {
        const int64_t waitUs = pacer.WaitBeforeNextUs(NowUs());
        const timespec timeout{static_cast<time_t>(waitUs / 1000000), waitUs % 1000000 * 1000};
        // Signals are taken here, also when no wait is due; an event or a signal ends the wait.
        if (ppoll(&connection, 1, &timeout, &waitMask) != 0 || waitUs > 0)
            continue;
        pacer.FrameStarted(NowUs());
        frames.Frame();
    }

    FreeSceneTables();
    EndGlx(display, context);
    if (own)
        XDestroyWindow(display, window);
    XCloseDisplay(display);
    // NOTE: the context and the display are released; what remains of the OpenGL driver (its
    // rendering threads, its libraries) the system takes back at once, where running the
    // driver's own teardown at exit takes tens of milliseconds of the ending's 100.
    std::_Exit(0);
}
