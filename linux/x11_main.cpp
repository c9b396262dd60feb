// zirel: the spinning tops as an X11 display mode. It draws into the window XScreenSaver hands
// over (XSCREENSAVER_WINDOW), a window given by -window-id, the root window (-root), or else a
// window of its own, which q, Escape or closing it ends. SIGTERM and SIGINT end it at once, and so
// does the window it draws into going away; any other X error ends it with status 1. It paces
// itself by the monitor under its window and draws nothing while the window is unmapped or wholly
// covered.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>
#include <X11/keysym.h>
#include <poll.h>
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "display_mode_frames.h"
#include "display_mode_options.h"
#include "frame_pacing.h"
#include "glx_context.h"
#include "refresh_rate.h"
#include "scene.h"
#include "visibility.h"

namespace {

volatile sig_atomic_t endRequested = 0;

void RequestEnd(int)
{
    endRequested = 1;
}

// The first X error, which ends the run.
struct {
    bool seen = false;
    XErrorEvent event{};
} firstXError;

// NOTE: Xlib's own handler ends the program on any error, and a handed-over window may go at any
// moment (the daemon destroys it): an error ends the loop, and the end decides what it meant.
int NoteXError(Display*, XErrorEvent* error)
{
    if (!firstXError.seen)
        firstXError = {true, *error};
    endRequested = 1;
    return 0;
}

// The refresh rate of the monitor (CRTC) that shows most of `window`, from the configuration the
// server holds: XRRGetScreenResourcesCurrent never makes it probe the outputs again (which makes
// monitors flicker and takes a while). 60 where RandR reports nothing.
RefreshRate RateUnderWindow(Display* display, Window root, Window window)
{
    XWindowAttributes attributes{};
    Window child = 0;
    int x = 0;
    int y = 0;
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
    if (!resources || !XGetWindowAttributes(display, window, &attributes) ||
        !XTranslateCoordinates(display, window, root, 0, 0, &x, &y, &child)) {
        if (resources)
            XRRFreeScreenResources(resources);
        return RefreshRate{};
    }
    std::vector<ScreenRect> monitors;
    std::vector<RefreshRate> rates;
    for (int i = 0; i < resources->ncrtc; ++i) {
        XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources, resources->crtcs[i]);
        for (int m = 0; crtc && crtc->mode != None && m < resources->nmode; ++m) {
            const XRRModeInfo& mode = resources->modes[m];
            if (mode.id != crtc->mode)
                continue;
            monitors.push_back(ScreenRect{crtc->x, crtc->y, crtc->x + int32_t(crtc->width),
                                          crtc->y + int32_t(crtc->height)});
            rates.push_back(RateOfMode(mode.dotClock, mode.hTotal, mode.vTotal,
                                       mode.modeFlags & RR_Interlace, mode.modeFlags & RR_DoubleScan));
        }
        if (crtc)
            XRRFreeCrtcInfo(crtc);
    }
    XRRFreeScreenResources(resources);
    const int under = MostOverlapping(
        ScreenRect{x, y, x + attributes.width, y + attributes.height}, monitors);
    return under < 0 ? RefreshRate{} : rates[size_t(under)];
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
    attributes.event_mask = KeyPressMask | StructureNotifyMask | VisibilityChangeMask;
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

// The window drawn into and what its events change.
struct Run {
    Display* display;
    Window root;
    Window window;
    Atom closeAtom;
    int randrEvents;  // RandR's first event code
    DisplayModeFrames frames;
    FramePacer pacer;
    Visibility visibility;
    bool windowGone = false;
};

// Takes every waiting event; false when one ends the run. Only our own window asks for keys.
bool TakeEvents(Run& run)
{
    while (XPending(run.display)) {
        XEvent event;
        XNextEvent(run.display, &event);
        if (event.type == run.randrEvents + RRScreenChangeNotify ||
            event.type == run.randrEvents + RRNotify) {
            XRRUpdateConfiguration(&event);
            run.pacer.SetRate(RateUnderWindow(run.display, run.root, run.window));
            continue;
        }
        switch (event.type) {
        case ConfigureNotify: {
            // Moved or resized: the monitor under it may be another.
            if (event.xconfigure.window != run.window)
                break;
            run.frames.Follow(event.xconfigure.width, event.xconfigure.height);
            run.pacer.SetRate(RateUnderWindow(run.display, run.root, run.window));
            break;
        }
        case MapNotify:
        case UnmapNotify: {
            if (event.xany.window == run.window)
                run.visibility.Mapped(event.type == MapNotify);
            break;
        }
        case VisibilityNotify: {
            run.visibility.FullyObscured(event.xvisibility.state == VisibilityFullyObscured);
            break;
        }
        case DestroyNotify: {
            run.windowGone = event.xdestroywindow.window == run.window;
            if (run.windowGone)
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
            if (static_cast<Atom>(event.xclient.data.l[0]) == run.closeAtom)
                return false;
            break;
        }
        }
    }
    return true;
}

// 1 after an X error, said on stderr, unless the window drawn into has gone (a normal end).
int EndStatus(Run& run, bool own)
{
    XWindowAttributes attributes{};
    if (!firstXError.seen || run.windowGone ||
        (!own && !XGetWindowAttributes(run.display, run.window, &attributes)))
        return 0;
    char text[256] = {};
    XGetErrorText(run.display, firstXError.event.error_code, text, sizeof(text));
    std::fprintf(stderr, "zirel: X error: %s (request %d.%d, resource 0x%lx)\n", text,
                 firstXError.event.request_code, firstXError.event.minor_code,
                 firstXError.event.resourceid);
    return 1;
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
        attributes.map_state = IsUnmapped;  // till its MapNotify
    } else {
        // Its input is the daemon's.
        XSelectInput(display, window, StructureNotifyMask | VisibilityChangeMask);
    }
    GLXContext context = StartGlx(display, *visual, window);
    if (!context)
        return Fail("cannot make an OpenGL context current for the window");

    const Window root = RootWindow(display, glxScreen);
    int randrEvents = -1;
    int randrErrors = 0;
    if (XRRQueryExtension(display, &randrEvents, &randrErrors))
        XRRSelectInput(display, root, RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask);
    Run run{display, root, window, closeAtom, randrEvents, {},
            FramePacer(RateUnderWindow(display, root, window), options.delayUs)};
    run.visibility.Mapped(attributes.map_state == IsViewable);
    run.frames.Start(static_cast<uint32_t>(std::time(nullptr)), attributes.width, attributes.height);
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    while (!endRequested && TakeEvents(run)) {
        const bool seen = run.visibility.Seen();
        const int64_t waitUs = seen ? run.pacer.WaitBeforeNextUs(SteadyNowUs()) : 0;
        const timespec timeout{static_cast<time_t>(waitUs / 1000000), waitUs % 1000000 * 1000};
        // Signals are taken here, also when no wait is due; an event or a signal ends the wait.
        // Nobody sees the window: no frames, and no timeout, till an event says otherwise.
        if (ppoll(&connection, 1, seen ? &timeout : nullptr, &waitMask) != 0 || waitUs > 0 ||
            !seen)
            continue;
        run.pacer.FrameStarted(SteadyNowUs());
        run.frames.Frame();
        run.pacer.SwapEnded(LastSwap().startUs, LastSwap().endUs);
    }

    FreeSceneTables();
    EndGlx(display, context);
    const int status = EndStatus(run, own);
    if (own)
        XDestroyWindow(display, window);
    XCloseDisplay(display);
    // NOTE: the context and the display are released; what remains of the OpenGL driver (its
    // rendering threads, its libraries) the system takes back at once, where running the
    // driver's own teardown at exit takes tens of milliseconds of the ending's 100.
    std::_Exit(status);
}
