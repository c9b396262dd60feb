// Frame and start-up benchmarks under Wine, driven by scripts/bench.sh. One console program,
// one measurement per run, so every figure comes from a fresh process in the same conditions:
//
//   zirel_frame_bench.exe scene SECONDS      the renderer's own loop: RenderFrame + Sleep(0)
//   zirel_frame_bench.exe tops SECONDS       drawing alone: twenty display-list tops, fixed
//                                            transforms, same window, pixel format and lighting
//   zirel_frame_bench.exe bare SECONDS       clear and swap only
//   zirel_frame_bench.exe firstframe         a minimal OpenGL program: window, context, one
//                                            grey frame; stays up until a key (start-up baseline)
//   zirel_frame_bench.exe startup PROGRAM ARGS...   milliseconds from starting PROGRAM until
//                                            the screen's middle shows anything but black
//   zirel_frame_bench.exe ending SCR_PATH    milliseconds from a key press to the renderer's
//                                            window being gone and to the launcher having ended,
//                                            and the peak working set of both programs
//
// Each prints one line "name value unit ..." that the script collects.
#include <windows.h>
#include <psapi.h>

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "renderer_state.h"
#include "scene.h"

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

// A full-screen popup like the saver's, with its own device context.
HWND CreateBenchWindow(const char* title)
{
    WNDCLASSA windowClass{};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = BenchWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = "ZirelBenchClass";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, "ZirelBenchClass", title,
                                  WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                  nullptr, nullptr, windowClass.hInstance, nullptr);
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

// Twenty tops at fixed places, with the calls the scene makes per top.
void DrawFixedTops()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (int i = 0; i < 20; ++i) {
        const float x = float(i % 5) * 100.0f - 200.0f;
        const float y = float(i / 5) * 100.0f - 150.0f;
        glColor3f(0.2f + 0.04f * float(i), 0.5f, 1.0f - 0.04f * float(i));
        glPushMatrix();
        glLoadIdentity();
        glTranslatef(x, y, 0.0f);
        glRotatef(20.0f, 1.0f, 0.0f, 0.0f);
        glRotatef(float(i) * 18.0f, 0.0f, 1.0f, 0.0f);
        glTranslatef(30.0f, 0.0f, 0.0f);
        glCallList(1);
        glPopMatrix();
    }
    PresentFrame();
}

void DrawBare()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    PresentFrame();
}

int RunFrames(const char* mode, double seconds)
{
    HWND window = CreateBenchWindow("Zirel frame bench");
    SetSceneDefaults();
    InitGL(window);  // the renderer's own pixel format, context, view and scene set-up
    void (*frame)() = std::strcmp(mode, "scene") == 0  ? RenderFrame
                      : std::strcmp(mode, "tops") == 0 ? DrawFixedTops
                                                       : DrawBare;
    for (int i = 0; i < 20; ++i)  // warm up: first frames pay for shader and buffer set-up
        frame();
    glFinish();
    long frames = 0;
    const double start = Now();
    double elapsed = 0.0;
    while (elapsed < seconds) {
        frame();
        Sleep(0);
        ++frames;
        if ((frames & 15) == 0) {
            PumpMessages();
            elapsed = Now() - start;
        }
    }
    glFinish();
    elapsed = Now() - start;
    std::printf("frames_%s %.1f frames/s (%ld frames in %.2f s)\n", mode, frames / elapsed, frames,
                elapsed);
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

// True when a 200 x 200 square in the middle of the screen shows anything but black.
bool ScreenShowsSomething()
{
    const int w = 200, h = 200;
    const int left = GetSystemMetrics(SM_CXSCREEN) / 2 - w / 2;
    const int top = GetSystemMetrics(SM_CYSCREEN) / 2 - h / 2;
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
    BitBlt(memory, 0, 0, w, h, screen, left, top, SRCCOPY);
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
    return GetProcessMemoryInfo(process, &counters, sizeof(counters)) ? counters.PeakWorkingSetSize : 0;
}

int RunEnding(const std::string& scr)
{
    PROCESS_INFORMATION launcher{};
    if (!StartProcess(scr, "\"" + scr + "\" /s", launcher)) {
        std::printf("ending error: cannot start %s\n", scr.c_str());
        return 1;
    }
    HWND window = nullptr;
    for (int i = 0; i < 1000 && !window; ++i) {
        window = FindWindowA(nullptr, "Vant_VC");
        Sleep(10);
    }
    if (!window) {
        std::printf("ending error: no renderer window\n");
        EndProcess(launcher, nullptr);
        return 1;
    }
    Sleep(3000);  // let it run a while so the working sets are those of a running saver
    DWORD rendererId = 0;
    GetWindowThreadProcessId(window, &rendererId);
    HANDLE rendererProcess = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE,
                                         FALSE, rendererId);
    const SIZE_T launcherPeak = PeakWorkingSet(launcher.hProcess);
    const SIZE_T rendererPeak = rendererProcess ? PeakWorkingSet(rendererProcess) : 0;

    const double pressed = Now();
    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    double gone = -1.0, ended = -1.0;
    while (Now() - pressed < 10.0 && (gone < 0 || ended < 0)) {
        if (gone < 0 && !FindWindowA(nullptr, "Vant_VC"))
            gone = Now() - pressed;
        if (ended < 0 && WaitForSingleObject(launcher.hProcess, 0) == WAIT_OBJECT_0)
            ended = Now() - pressed;
        Sleep(1);
    }
    std::printf("ending_renderer_gone %.0f ms\n", gone * 1000.0);
    std::printf("ending_launcher_ended %.0f ms\n", ended * 1000.0);
    std::printf("peak_working_set_renderer %.1f MiB\n", double(rendererPeak) / 1048576.0);
    std::printf("peak_working_set_launcher %.1f MiB\n", double(launcherPeak) / 1048576.0);
    if (rendererProcess)
        CloseHandle(rendererProcess);
    EndProcess(launcher, FindWindowA(nullptr, "Vant_VC"));
    return gone < 0 || ended < 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    const double seconds = argc > 2 ? std::atof(argv[2]) : 5.0;
    int status = 2;
    if (mode == "scene" || mode == "tops" || mode == "bare")
        status = RunFrames(mode.c_str(), seconds > 0 ? seconds : 5.0);
    else if (mode == "firstframe")
        status = RunFirstFrame();
    else if (mode == "startup" && argc > 3)
        status = RunStartup(argv[2], argv[3], argc > 4 ? std::string("\"") + argv[3] + "\" " + argv[4]
                                                       : std::string("\"") + argv[3] + "\"",
                            argc > 5 ? argv[5] : "Vant_VC");
    else if (mode == "ending" && argc > 2)
        status = RunEnding(argv[2]);
    else
        std::fprintf(stderr, "usage: zirel_frame_bench scene|tops|bare [seconds] | firstframe | "
                             "startup LABEL EXE [ARGS [TITLE]] | ending SCR\n");
    std::fflush(stdout);
    return status;
}
