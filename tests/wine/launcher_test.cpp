// Zirel.scr under Wine: its switches, the instance guard, the missing-renderer message, the
// full-screen run that ends with the renderer, the preview inside a parent window and the music
// commands of a run as the recording winmm stand-in sees them.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "settings_file.h"
#include "wine_test_support.h"

#include <ocidl.h>
#include <olectl.h>

namespace {

using zt::kDialogTitle;
using zt::kEndMs;
using zt::kRendererTitle;
using zt::kRunTitle;
using zt::kStartMs;

constexpr char kIniSection[] = "[Section]\r\n";

// Waits for the process to end while this thread keeps handling its own windows' messages (a
// preview parent must answer while the launcher works on it).
bool WaitExitPumping(const zt::Process& process, DWORD ms)
{
    const DWORD start = GetTickCount();
    while (!process.WaitExit(0)) {
        if (GetTickCount() - start >= ms)
            return false;
        zt::Pump(20);
    }
    return true;
}

// A test-owned top-level window. Hidden ones stand for a running saver or an open dialog.
class TestWindow {
public:
    TestWindow(const char* title, DWORD style, RECT rect)
    {
        static const ATOM windowClass = [] {
            WNDCLASSA wc{};
            wc.lpfnWndProc = DefWindowProcA;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.hbrBackground = HBRUSH(GetStockObject(WHITE_BRUSH));
            wc.lpszClassName = "ZirelTestWindow";
            return RegisterClassA(&wc);
        }();
        (void)windowClass;
        window_ = CreateWindowExA(style & WS_VISIBLE ? WS_EX_TOPMOST : 0, "ZirelTestWindow", title,
                                  style, rect.left, rect.top, rect.right - rect.left,
                                  rect.bottom - rect.top, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    }
    ~TestWindow() { Destroy(); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Handle() const { return window_; }
    void Destroy()
    {
        if (window_)
            DestroyWindow(window_);
        window_ = nullptr;
    }

private:
    HWND window_ = nullptr;
};

// The handle as the display dialog writes it on the command line.
std::string HandleText(HWND window)
{
    return std::to_string(static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)) &
                          0xFFFFFFFFull);
}

class Launcher : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.Copy(zt::DistDir() + "\\Zirel.scr", "Zirel.scr"));
        SetCursorPos(300, 300);
    }

    void TearDown() override
    {
        launcher.Kill();
        EndRenderer();
    }

    void WithRenderer() { ASSERT_TRUE(dir.Copy(zt::DistDir() + "\\Zirel.dll", "Zirel.dll")); }

    // Starts Zirel.scr with `arguments` after its path, the way Windows does.
    void Start(const std::string& arguments)
    {
        const std::string exe = dir.File("Zirel.scr");
        launcher = zt::Process::Start(exe, arguments.empty() ? exe : exe + " " + arguments,
                                      dir.Path());
        ASSERT_TRUE(launcher.Started());
    }

    // Ends a renderer the launcher started, if one is still there: by its process handle.
    static void EndRenderer()
    {
        HWND window = FindWindowA(nullptr, kRendererTitle);
        if (!window)
            return;
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
            TerminateProcess(process, 99);
            WaitForSingleObject(process, kEndMs);
            CloseHandle(process);
        }
    }

    // Waits for the renderer window of a /s run; the launcher must still be running.
    HWND WaitForRenderer()
    {
        HWND window = zt::WaitForWindow(kRendererTitle, kStartMs);
        EXPECT_NE(window, nullptr);
        EXPECT_TRUE(launcher.Running());
        EXPECT_NE(FindWindowA(nullptr, kRunTitle), nullptr);
        return window;
    }

    // Ends the renderer by a key and expects the launcher to follow within about a second.
    void EndRendererByKeyAndExpectTheRunToEnd()
    {
        HWND window = FindWindowA(nullptr, kRendererTitle);
        ASSERT_NE(window, nullptr);
        PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
        ASSERT_TRUE(zt::WaitForNoWindow(kRendererTitle, kEndMs));
        // The watch samples every 500 ms; Wine adds its own delays.
        EXPECT_TRUE(launcher.WaitExit(2500));
        EXPECT_EQ(launcher.ExitCode(), 0u);
        EXPECT_EQ(FindWindowA(nullptr, kRunTitle), nullptr);
    }

    zt::ScratchDir dir;
    zt::Process launcher;
};

TEST_F(Launcher, OtherSwitchesEndWithoutAWindow)
{
    WithRenderer();
    for (const char* arguments : {"/a", "/x", "s", "/"}) {
        Start(arguments);
        EXPECT_TRUE(launcher.WaitExit(kEndMs)) << arguments;
        EXPECT_EQ(launcher.ExitCode(), 0u) << arguments;
        EXPECT_EQ(FindWindowA(nullptr, kRendererTitle), nullptr) << arguments;
        EXPECT_EQ(FindWindowA(nullptr, kRunTitle), nullptr) << arguments;
    }
}

TEST_F(Launcher, SaverRunEndsSoonAfterTheRendererWindowGoes)
{
    WithRenderer();
    for (const char* arguments : {"/s", "", "-S extra"}) {
        SCOPED_TRACE(arguments);
        Start(arguments);
        ASSERT_NE(WaitForRenderer(), nullptr);
        // The run form is hidden: it only marks the run for a second launcher.
        EXPECT_FALSE(IsWindowVisible(FindWindowA(nullptr, kRunTitle)));
        EndRendererByKeyAndExpectTheRunToEnd();
    }
}

TEST_F(Launcher, ARunningSaverOrAnOpenDialogStopsEveryStart)
{
    WithRenderer();
    TestWindow parent("preview area", WS_POPUP | WS_VISIBLE, RECT{10, 10, 162, 122});
    for (const char* guard : {kRunTitle, kDialogTitle}) {
        TestWindow marker(guard, WS_POPUP, RECT{0, 0, 10, 10});  // hidden, as the real ones
        ASSERT_NE(marker.Handle(), nullptr);
        for (const std::string& arguments :
             std::vector<std::string>{"/s", "", "/c", "/p " + HandleText(parent.Handle())}) {
            Start(arguments);
            EXPECT_TRUE(WaitExitPumping(launcher, kEndMs)) << guard << " " << arguments;
            EXPECT_EQ(FindWindowA(nullptr, kRendererTitle), nullptr) << guard << " " << arguments;
            EXPECT_EQ(FindWindowExA(parent.Handle(), nullptr, "Vant_R", nullptr), nullptr);
        }
    }
}

// The message box's text, read from its static control.
std::wstring MessageText(HWND box)
{
    std::wstring text;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM found) -> BOOL {
            char className[32] = {};
            GetClassNameA(child, className, sizeof(className));
            wchar_t buffer[256] = {};
            if (lstrcmpiA(className, "Static") == 0 && GetWindowTextW(child, buffer, 256) > 0) {
                *reinterpret_cast<std::wstring*>(found) = buffer;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
    return text;
}

TEST_F(Launcher, MissingRendererShowsItsMessageUntilDismissed)
{
    for (const char* arguments : {"/s", "/c"}) {
        SCOPED_TRACE(arguments);
        Start(arguments);
        HWND box = zt::WaitForWindow("Zirel", kStartMs, "#32770");
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(MessageText(box), L"Zirel.dll が同じﾌｫﾙﾀﾞに見つかりません！");
        EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
        EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr);
        EXPECT_FALSE(launcher.WaitExit(300));  // waits for the user
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(GetDlgItem(box, IDOK)));
        EXPECT_TRUE(launcher.WaitExit(kEndMs));
        EXPECT_EQ(FindWindowA(nullptr, kRunTitle), nullptr);
    }
}

TEST_F(Launcher, ConfigurationWithTheRendererEndsWhenTheDialogCloses)
{
    WithRenderer();
    Start("/c:1234");
    // The dialog is shown modally and ends the process when it closes; nothing else may appear.
    if (HWND dialog = zt::WaitForWindow(kDialogTitle, 3000)) {
        EXPECT_FALSE(launcher.WaitExit(0));
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }
    EXPECT_TRUE(launcher.WaitExit(kEndMs));
    EXPECT_EQ(FindWindowA(nullptr, kRendererTitle), nullptr);
}

// Counts pixels that are not black in a part of a capture.
int LitPixels(const zt::Screenshot& shot, int left, int top, int right, int bottom)
{
    int lit = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            lit += shot.At(x, y) != 0;
    return lit;
}

// The preview, without Zirel.dll beside the launcher: previews never need it.
TEST_F(Launcher, PreviewBecomesAChildOfItsParentsSizeAndEndsWithIt)
{
    struct Area {
        const char* name;
        RECT rect;
    } areas[] = {
        {"standard", RECT{40, 40, 192, 152}},
        {"larger", RECT{300, 200, 620, 440}},
    };
    for (const Area& area : areas) {
        SCOPED_TRACE(area.name);
        TestWindow parent("preview area", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, area.rect);
        ASSERT_NE(parent.Handle(), nullptr);
        Start("/p " + HandleText(parent.Handle()));

        HWND form = nullptr;
        const DWORD start = GetTickCount();
        while (!form && GetTickCount() - start < kStartMs) {
            zt::Pump(50);
            form = FindWindowExA(parent.Handle(), nullptr, "Vant_R", nullptr);
        }
        ASSERT_NE(form, nullptr);
        zt::Pump(500);
        const LONG style = GetWindowLongA(form, GWL_STYLE);
        EXPECT_TRUE(style & WS_CHILD);
        EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER));
        EXPECT_TRUE(IsWindowVisible(form));
        RECT formRect{};
        GetWindowRect(form, &formRect);
        EXPECT_TRUE(EqualRect(&formRect, &area.rect));
        HWND image = FindWindowExA(form, nullptr, "Img_Prev", nullptr);
        RECT imageRect{};
        GetWindowRect(image, &imageRect);
        EXPECT_TRUE(EqualRect(&imageRect, &area.rect));
        // NOTE: Wine 8 does not show what a process paints into a child of another process's
        // window, so the screen is only kept as evidence; the picture itself is checked below.
        zt::SaveArtifact(zt::CaptureRect(area.rect), std::string("launcher_preview_") + area.name + ".bmp");

        EXPECT_TRUE(launcher.Running());
        parent.Destroy();  // the display dialog changes screen saver or closes
        EXPECT_TRUE(WaitExitPumping(launcher, kEndMs));
    }
}

// The preview picture as Zirel.scr carries it, decoded and drawn the way its form draws it.
TEST_F(Launcher, PreviewPictureIsAStillOfTheTopsDrawnUnscaledAtTheTopLeft)
{
    HMODULE module = LoadLibraryExA(dir.File("Zirel.scr").c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(100), MAKEINTRESOURCEA(10));
    ASSERT_NE(resource, nullptr);
    const DWORD size = SizeofResource(module, resource);
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
    ASSERT_GT(size, 4u);
    EXPECT_EQ(bytes[0], 0xFF);  // a JPEG
    EXPECT_EQ(bytes[1], 0xD8);

    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    memcpy(GlobalLock(memory), bytes, size);
    GlobalUnlock(memory);
    FreeLibrary(module);
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(memory, TRUE, &stream), S_OK);
    IPicture* picture = nullptr;
    ASSERT_EQ(OleLoadPicture(stream, LONG(size), FALSE, IID_IPicture,
                             reinterpret_cast<void**>(&picture)), S_OK);
    stream->Release();
    OLE_HANDLE handle = 0;
    picture->get_Handle(&handle);
    BITMAP bitmap{};
    ASSERT_TRUE(GetObjectA(HGDIOBJ(UINT_PTR(handle)), sizeof(bitmap), &bitmap));
    EXPECT_EQ(bitmap.bmWidth, 152);
    EXPECT_EQ(bitmap.bmHeight, 112);

    // Into a larger black area, as in a big preview: tops in the corner, black beyond.
    zt::Screenshot shot;
    shot.width = 320;
    shot.height = 240;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = shot.width;
    info.bmiHeader.biHeight = -shot.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP target = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(target, nullptr);
    HGDIOBJ old = SelectObject(dc, target);
    const RECT all{0, 0, shot.width, shot.height};
    FillRect(dc, &all, HBRUSH(GetStockObject(BLACK_BRUSH)));
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture->get_Width(&width);
    picture->get_Height(&height);
    EXPECT_EQ(picture->Render(dc, 0, 0, bitmap.bmWidth, bitmap.bmHeight, 0, height, width,
                              -height, nullptr), S_OK);
    GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < size_t(shot.width) * shot.height; ++i)
        shot.pixels.push_back(pixels[i] & 0x00FFFFFF);
    SelectObject(dc, old);
    DeleteObject(target);
    DeleteDC(dc);
    picture->Release();
    zt::SaveArtifact(shot, "launcher_preview_picture.bmp");
    EXPECT_GT(LitPixels(shot, 0, 0, 152, 112), 100);
    EXPECT_EQ(LitPixels(shot, 152, 0, shot.width, shot.height), 0);
    EXPECT_EQ(LitPixels(shot, 0, 112, shot.width, shot.height), 0);
}

TEST_F(Launcher, PreviewWithoutALiveParentEnds)
{
    HWND dead = nullptr;
    {
        TestWindow gone("gone", WS_POPUP, RECT{0, 0, 10, 10});
        dead = gone.Handle();
    }
    for (const std::string& arguments :
         std::vector<std::string>{"/p", "/p 0", "/p:abc", "/p " + HandleText(dead)}) {
        Start(arguments);
        EXPECT_TRUE(launcher.WaitExit(kEndMs)) << arguments;
    }
}

TEST_F(Launcher, RunWithMusicButNoSoundDeviceEndsQuietly)
{
    // The system winmm under Wine has no sound card here: open fails, nothing is shown.
    WithRenderer();
    ASSERT_TRUE(dir.Write("song.mp3", "not really music"));
    ASSERT_TRUE(dir.Write("Zirel.ini", std::string(kIniSection) + kKeyBgmKind + "= 2\r\n" +
                                           kKeyBgmFile + "=" + dir.File("song.mp3") + "\r\n"));
    Start("/s");
    ASSERT_NE(WaitForRenderer(), nullptr);
    zt::Pump(1200);  // at least one restart attempt of the file
    EXPECT_EQ(FindWindowA("#32770", nullptr), nullptr);
    EndRendererByKeyAndExpectTheRunToEnd();
}

struct MusicRun {
    const char* name;
    const char* kind;
    const char* file;     // in the scratch folder, created unless named "gone..."; "" for none
    const char* script;   // the stand-in's answers
    std::vector<std::string> atStart;  // the log's first lines when the renderer shows
    std::vector<std::string> atEnd;    // the log's last lines after the launcher ended
};

TEST_F(Launcher, RunStartsTheMusicBeforeTheRendererAndStopsItAtTheEnd)
{
    WithRenderer();
    ASSERT_TRUE(dir.Copy(zt::StandinDir() + "\\winmm.dll", "winmm.dll"));
    zt::ScopedNativeWinmm standin("Zirel.scr");
    const std::string mp3 = dir.File("song.mp3");
    const std::string wav = dir.File("loop.WAV");
    const MusicRun runs[] = {
        {"mp3", " 2", "song.mp3", "mci status MP3Play mode=0|playing\r\n",
         {"mci: open \"" + mp3 + "\" type MPEGVideo Alias MP3Play", "mci: play MP3Play"},
         {"mci: stop MP3Play", "mci: close MP3Play"}},
        {"wav", "2", "loop.WAV", "devices=1\r\n",
         {"waveOutGetNumDevs", "PlaySoundA: " + wav + " flags=9"},
         {"PlaySoundA: (null) flags=0"}},
        {"cd", " 1", "", "mci status cdaudio mode=0|playing\r\nmci status cdaudio current track=0|1\r\n",
         {"mci: open cdaudio", "mci: set cdaudio time format tmsf"},
         {"mci: stop cdaudio", "mci: close cdaudio"}},
        {"no music", " 0", "song.mp3", "", {}, {}},
        // A file run whose file cannot be opened falls back to no music at all.
        {"missing file", " 2", "gone.mp3", "", {}, {}},
        {"folder", " 2", "sub\\", "", {}, {}},
    };
    for (const MusicRun& run : runs) {
        SCOPED_TRACE(run.name);
        DeleteFileA(dir.File("winmm_log.txt").c_str());
        ASSERT_TRUE(dir.Write("winmm_script.txt", run.script));
        std::string ini = std::string(kIniSection) + kKeyBgmKind + "=" + run.kind + "\r\n" +
                          kKeyBgmRepeat + "= 0\r\n";
        if (*run.file) {
            const std::string name = run.file;
            if (name.back() == '\\') {
                CreateDirectoryA(dir.File(name).c_str(), nullptr);
            } else if (name.rfind("gone", 0) != 0) {
                ASSERT_TRUE(dir.Write(run.file, "RIFF"));
            }
            ini += std::string(kKeyBgmFile) + "=" + dir.File(run.file) + "\r\n";
        }
        ASSERT_TRUE(dir.Write("Zirel.ini", ini));

        Start("/s");
        ASSERT_NE(WaitForRenderer(), nullptr);
        const std::vector<std::string> started = zt::Lines(dir.Read("winmm_log.txt"));
        ASSERT_GE(started.size(), run.atStart.size());
        for (size_t i = 0; i < run.atStart.size(); ++i)
            EXPECT_EQ(started[i], run.atStart[i]);

        EndRendererByKeyAndExpectTheRunToEnd();
        const std::vector<std::string> log = zt::Lines(dir.Read("winmm_log.txt"));
        if (run.atEnd.empty()) {
            EXPECT_TRUE(log.empty()) << log.front();
            continue;
        }
        ASSERT_GE(log.size(), run.atEnd.size());
        for (size_t i = 0; i < run.atEnd.size(); ++i)
            EXPECT_EQ(log[log.size() - run.atEnd.size() + i], run.atEnd[i]);
    }
}

}  // namespace
