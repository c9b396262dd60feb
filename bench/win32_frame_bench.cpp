// Frame and start-up benchmarks under Wine, driven by scripts/bench.sh. One console program,
// one measurement per run, so every figure comes from a fresh process in the same conditions:
//
//   zirel_frame_bench.exe scene FRAMES       the renderer's own loop: RenderFrame + Sleep(0)
//   zirel_frame_bench.exe tops FRAMES        drawing alone: the same twenty display-list calls
//                                            under the same transforms (poses recorded first),
//                                            same window, pixel format and lighting
//   zirel_frame_bench.exe bare FRAMES        clear and swap only
//   zirel_frame_bench.exe monitors FRAMES    the renderer's frame on every monitor: a window over
//                                            the virtual screen, one scene step drawn into each
//                                            monitor's view (RenderFrameOnMonitors) + Sleep(0)
//   zirel_frame_bench.exe firstframe         a minimal OpenGL program: window, context, one
//                                            grey frame; stays up until a key (start-up baseline)
//   zirel_frame_bench.exe startup PROGRAM ARGS...   milliseconds from starting PROGRAM until
//                                            the screen shows anything but black
//   zirel_frame_bench.exe pacing [SECONDS]   Zirel.dll's wait between frames alone, at 60 and
//                                            59.94 Hz: the 99th percentile of how far an interval
//                                            lies from the period
//   zirel_frame_bench.exe display on|off     tells the running renderer the display went on or
//                                            off, as Windows does
//   zirel_frame_bench.exe ending LABEL PROGRAM ARGS   milliseconds from a key press to the
//                                            renderer's window being gone and to PROGRAM having
//                                            ended, and the peak working sets of both
//
// Each prints one line "name value unit ..." that the script collects.
#include <windows.h>
#include <psapi.h>

#include <GL/gl.h>

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "gl_drawing.h"
#include "monitor_frame.h"
#include "pacing_figures.h"
#include "platform.h"
#include "win32_frame_pacing.h"
#include "win32_renderer.h"
#include "scene.h"
#include "scene_state.h"
#include "top.h"
#include "top_path.h"

namespace {

double Now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

LRESULT CALLBACK BenchWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN || message == WM_LBUTTONDOWN) {
        DestroyWindow(window);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A full-screen popup like the saver's, with its own device context: over the primary screen,
// or over the whole virtual screen as the renderer's window is.
HWND CreateBenchWindow(const char* title, bool virtualScreen = false)
{
    WNDCLASSA windowClass{};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = BenchWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = "ZirelBenchClass";
    RegisterClassA(&windowClass);
    const int left = virtualScreen ? GetSystemMetrics(SM_XVIRTUALSCREEN) : 0;
    const int top = virtualScreen ? GetSystemMetrics(SM_YVIRTUALSCREEN) : 0;
    const int width = GetSystemMetrics(virtualScreen ? SM_CXVIRTUALSCREEN : SM_CXSCREEN);
    const int height = GetSystemMetrics(virtualScreen ? SM_CYVIRTUALSCREEN : SM_CYSCREEN);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, "ZirelBenchClass", title,
                                  WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, left,
                                  top, width, height, nullptr, nullptr, windowClass.hInstance,
                                  nullptr);
    renderer.saverWindow = window;
    return window;
}

bool PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            return false;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

// Same scene, same poses in every run: a fixed seed, the normal view, and the first runs (black
// tops) already behind.
constexpr uint32_t kSeed = 20261206;
constexpr int kWarmUpFrames = 600;

void ResetToFixedScene()
{
    LoadProjection(double(GetSystemMetrics(SM_CXSCREEN)) / GetSystemMetrics(SM_CYSCREEN), false);
    glLoadIdentity();
    FreeSceneTables();
    renderer.random.Seed(kSeed);
    SetupScene(renderer.random);
}

int RunFrames(const std::string& mode, int frames)
{
    HWND window = CreateBenchWindow("Zirel frame bench", mode == "monitors");
    SetSceneDefaults();
    InitGL(window);  // the renderer's own pixel format, context, lighting and display list
    ResetToFixedScene();
    if (mode == "monitors")
        LayOutDisplay();  // the monitors Windows reports, as the renderer lays them out
    for (int i = 0; i < kWarmUpFrames; ++i)
        StepScene();

    // "tops" replays the poses the scene would have: the same display-list calls under the same
    // transforms, with none of the scene's own work in the timed loop.
    std::vector<Top> poses;
    if (mode == "tops") {
        poses.reserve(size_t(frames) * 20);
        double stepping = 0.0;
        for (int f = 0; f < frames; ++f) {
            const double before = Now();
            StepScene();
            stepping += Now() - before;
            for (int32_t j = 0; j < scene.pathCount * scene.topsPerPath; ++j)
                poses.push_back(*scene.tops[j]);
        }
        // The scene's own work per frame in this very program, for attributing a - b.
        std::printf("scene_steps_wine %.1f us/frame\n", stepping / frames * 1e6);
    }
    const size_t topsPerFrame = size_t(scene.pathCount) * size_t(scene.topsPerPath);

    glFinish();
    const double start = Now();
    for (int f = 0; f < frames; ++f) {
        if (mode == "scene") {
            RenderFrame();
            PresentFrame();
        } else if (mode == "monitors") {
            RenderFrameOnMonitors(renderer.monitors, renderer.viewFromAbove);
        } else if (mode == "tops") {
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            for (size_t j = 0; j < topsPerFrame; ++j)
                DrawTop(poses[size_t(f) * topsPerFrame + j]);
            PresentFrame();
        } else {
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            PresentFrame();
        }
        Sleep(0);
        if ((f & 15) == 0)
            PumpMessages();
    }
    glFinish();
    const double elapsed = Now() - start;
    // The monitor count is part of the name, so runs on one and on two monitors stay apart.
    const std::string name =
        mode == "monitors" ? mode + std::to_string(std::max(1, renderer.monitors.count)) : mode;
    std::printf("frames_%s %.1f frames/s (%d frames in %.2f s)\n", name.c_str(), frames / elapsed,
                frames, elapsed);
    ShutdownGL(window);
    DestroyWindow(window);
    return 0;
}

// The smallest program that shows an OpenGL frame: the baseline for start-up time.
int RunFirstFrame()
{
    HWND window = CreateBenchWindow("Zirel first frame");
    HDC dc = GetDC(window);
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof(pfd);
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 24;
    pfd.cDepthBits = 24;
    SetPixelFormat(dc, ChoosePixelFormat(dc, &pfd), &pfd);
    HGLRC context = wglCreateContext(dc);
    wglMakeCurrent(dc, context);
    for (;;) {
        glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        SwapBuffers(dc);
        if (!PumpMessages())
            break;
        Sleep(10);
    }
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(context);
    ReleaseDC(window, dc);
    return 0;
}

// True when the screen shows anything but black. The whole screen is read: the saver's first
// tops start low and dark, so a square in the middle would see them late.
bool ScreenShowsSomething()
{
    static const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    GdiFlush();
    bool any = false;
    const auto* pixels = static_cast<const uint32_t*>(bits);
    for (int i = 0; i < w * h && !any; ++i)
        any = (pixels[i] & 0x00FFFFFF) != 0;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return any;
}

bool StartProcess(const std::string& exe, const std::string& commandLine, PROCESS_INFORMATION& info)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    std::string line = commandLine;
    return CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info) != 0;
}

// Ends a started program: first politely through its windows (a key), then by its handle.
void EndProcess(PROCESS_INFORMATION& info, HWND window)
{
    if (window)
        PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    if (WaitForSingleObject(info.hProcess, 5000) != WAIT_OBJECT_0) {
        TerminateProcess(info.hProcess, 1);
        WaitForSingleObject(info.hProcess, 5000);
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

int RunStartup(const std::string& label, const std::string& exe, const std::string& commandLine,
               const char* windowTitle)
{
    if (ScreenShowsSomething()) {
        std::printf("startup_%s error: the screen is not black before the start\n", label.c_str());
        return 1;
    }
    PROCESS_INFORMATION info{};
    const double start = Now();
    if (!StartProcess(exe, commandLine, info)) {
        std::printf("startup_%s error: cannot start %s\n", label.c_str(), exe.c_str());
        return 1;
    }
    double shown = -1.0;
    while (Now() - start < 30.0) {
        if (ScreenShowsSomething()) {
            shown = Now() - start;
            break;
        }
        Sleep(2);
    }
    EndProcess(info, FindWindowA(nullptr, windowTitle));
    if (shown < 0) {
        std::printf("startup_%s error: nothing shown within 30 s\n", label.c_str());
        return 1;
    }
    std::printf("startup_%s %.0f ms\n", label.c_str(), shown * 1000.0);
    return 0;
}

SIZE_T PeakWorkingSet(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    return GetProcessMemoryInfo(process, &counters, sizeof(counters))
               ? counters.PeakWorkingSetSize
               : 0;
}

int RunEnding(const std::string& label, const std::string& program, const std::string& args)
{
    PROCESS_INFORMATION started{};
    if (!StartProcess(program, "\"" + program + "\" " + args, started)) {
        std::printf("ending_%s error: cannot start %s\n", label.c_str(), program.c_str());
        return 1;
    }
    HWND window = nullptr;
    for (int i = 0; i < 1000 && !window; ++i) {
        window = FindWindowA(nullptr, kRendererTitle);
        Sleep(10);
    }
    if (!window) {
        std::printf("ending_%s error: no renderer window\n", label.c_str());
        EndProcess(started, nullptr);
        return 1;
    }
    Sleep(3000);  // let it run a while so the working sets are those of a running saver
    DWORD rendererId = 0;
    GetWindowThreadProcessId(window, &rendererId);
    HANDLE rendererProcess = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE,
                                         FALSE, rendererId);
    const SIZE_T programPeak = PeakWorkingSet(started.hProcess);
    const SIZE_T rendererPeak = rendererProcess ? PeakWorkingSet(rendererProcess) : 0;

    const double pressed = Now();
    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    double gone = -1.0, ended = -1.0;
    while (Now() - pressed < 10.0 && (gone < 0 || ended < 0)) {
        if (gone < 0 && !FindWindowA(nullptr, kRendererTitle))
            gone = Now() - pressed;
        if (ended < 0 && WaitForSingleObject(started.hProcess, 0) == WAIT_OBJECT_0)
            ended = Now() - pressed;
        Sleep(1);
    }
    std::printf("ending_%s_window_gone %.0f ms\n", label.c_str(), gone * 1000.0);
    std::printf("ending_%s_process_ended %.0f ms\n", label.c_str(), ended * 1000.0);
    std::printf("peak_working_set_renderer %.1f MiB\n", double(rendererPeak) / 1048576.0);
    if (rendererId != started.dwProcessId)
        std::printf("peak_working_set_launcher %.1f MiB\n", double(programPeak) / 1048576.0);
    if (rendererProcess)
        CloseHandle(rendererProcess);
    EndProcess(started, FindWindowA(nullptr, kRendererTitle));
    return gone < 0 || ended < 0;
}

// Zirel.dll's wait between frames alone (its waitable timer, cut short by any message), for
// `seconds` at 60 Hz and at 59.94 Hz: how steady the frames' starts are, with no drawing at all.
int RunPacing(double seconds)
{
    Win32FramePacing pacing;
    for (const auto& [name, rate] : {std::pair{"pacing_wine_60", RefreshRate{60, 1}},
                                     {"pacing_wine_59.94", RateFromWholeHz(59)}}) {
        FramePacer pacer(rate);
        std::vector<int64_t> starts;
        for (const int64_t end = SteadyNowUs() + int64_t(seconds * 1e6); SteadyNowUs() < end;)
            if (pacing.WaitForFrame(pacer))
                starts.push_back(SteadyNowUs());
        PrintPacing(name, rate, starts);
    }
    return 0;
}

// Tells the running renderer that the display went off (or on), as Windows tells it: a
// WM_POWERBROADCAST whose setting (GUID_CONSOLE_DISPLAY_STATE) lies in the renderer's own memory,
// for the message is not carried between processes.
int RunDisplay(bool on)
{
    HWND window = FindWindowA(nullptr, kRendererTitle);
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, id);
    if (!window || !process) {
        std::printf("display error: no renderer\n");
        return 1;
    }
    POWERBROADCAST_SETTING setting{
        {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}},
        sizeof(DWORD), {BYTE(on)}};
    void* remote = VirtualAllocEx(process, nullptr, sizeof(setting), MEM_COMMIT, PAGE_READWRITE);
    WriteProcessMemory(process, remote, &setting, sizeof(setting), nullptr);
    SendMessageTimeoutA(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, LPARAM(remote), 0, 5000,
                        nullptr);
    CloseHandle(process);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    int status = 2;
    if (mode == "scene" || mode == "tops" || mode == "bare" || mode == "monitors")
        status = RunFrames(mode, argc > 2 ? std::max(1, std::atoi(argv[2])) : 3000);
    else if (mode == "firstframe")
        status = RunFirstFrame();
    else if (mode == "startup" && argc > 3) {
        const std::string quoted = std::string("\"") + argv[3] + "\"";
        status = RunStartup(argv[2], argv[3], argc > 4 ? quoted + " " + argv[4] : quoted,
                            argc > 5 ? argv[5] : kRendererTitle);
    } else if (mode == "ending" && argc > 3)
        status = RunEnding(argv[2], argv[3], argc > 4 ? argv[4] : "");
    else if (mode == "pacing")
        status = RunPacing(argc > 2 ? std::atof(argv[2]) : 10.0);
    else if (mode == "display" && argc > 2)
        status = RunDisplay(std::string(argv[2]) == "on");
    else
        std::fprintf(stderr, "usage: zirel_frame_bench scene|tops|bare|monitors [frames] | "
                             "firstframe | startup LABEL EXE [ARGS [TITLE]] | "
                             "ending LABEL EXE [ARGS] | pacing [SECONDS] | display on|off\n");
    std::fflush(stdout);
    return status;
}
