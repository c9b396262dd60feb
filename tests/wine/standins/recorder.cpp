// One stand-in for what the programs reach outside themselves. As winmm.dll and PASSWORD.CPL it
// records each call (of winmm only the MCI commands: rows with a WAV file hear Wine's own winmm,
// and none makes an MCI command fail, so mciGetErrorStringA is left out); hooked
// into Zirel.dll, the system commands that reach DefWindowProc; built as a program and copied as
// Zirel.dll, how it was started. Each record is a line "<microseconds> <text>" in standin.log; its
// answer is the rest of the first line "<prefix>=<answer>" of standin.txt whose prefix starts the
// text. Both files are in the current folder, which is the row's for every program it starts.
// Hooked into the real Zirel.dll, it also notes the time of every buffer swap in swaps.log.
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "renderer_contract.h"

namespace {

// `when`: the record's time, none for now.
std::string Record(const std::string& text, FILETIME when = {})
{
    if (!when.dwHighDateTime)
        GetSystemTimeAsFileTime(&when);
    std::ofstream("standin.log", std::ios::app | std::ios::binary)
        << (ULONGLONG(when.dwHighDateTime) << 32 | when.dwLowDateTime) / 10 << " " << text << "\n";
    std::ifstream script("standin.txt");
    for (std::string line; std::getline(script, line);)
        if (const size_t is = line.find('=');
            is != std::string::npos && !text.rfind(line.substr(0, is), 0))
            return line.substr(is + 1);
    return "";
}

}  // namespace

namespace {

BOOL(WINAPI* realSwap)(HDC, UINT) = nullptr;

// The swap's moment in microseconds of the performance counter, which all processes share.
BOOL WINAPI RecordSwap(HDC dc, UINT planes)
{
    LARGE_INTEGER now{}, frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    std::ofstream("swaps.log", std::ios::app) << now.QuadPart * 1e6 / frequency.QuadPart << "\n";
    return realSwap(dc, planes);
}

// Points the program's import of opengl32's wglSwapLayerBuffers at RecordSwap.
void RecordSwaps()
{
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const DWORD imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports);
         imports && dll->Name; ++dll) {
        auto* name = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
        auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
        for (; !lstrcmpiA((char*)base + dll->Name, "opengl32.dll") && name->u1.AddressOfData;
             ++name, ++slot) {
            const auto* import = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
            if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal) || lstrcmpA(import->Name, "wglSwapLayerBuffers"))
                continue;
            DWORD access = 0;
            VirtualProtect(&slot->u1.Function, sizeof(slot->u1.Function), PAGE_READWRITE, &access);
            realSwap = reinterpret_cast<decltype(realSwap)>(slot->u1.Function);
            slot->u1.Function = reinterpret_cast<ULONG_PTR>(RecordSwap);
            VirtualProtect(&slot->u1.Function, sizeof(slot->u1.Function), access, &access);
        }
    }
}

}  // namespace

// As the launcher's winmm.dll: whether the cursor is hidden as the music starts and as it ends.
// Hooked into Zirel.dll: its swaps recorded.
BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)
{
    if (self == GetModuleHandleA("winmm.dll") && reason <= DLL_PROCESS_ATTACH) {
        ShowCursor(TRUE);
        Record("cursor " + std::to_string(ShowCursor(FALSE)));
    }
    if (self == GetModuleHandleA("recorder.dll") && reason == DLL_PROCESS_ATTACH &&
        GetModuleHandleA("Zirel.dll") == GetModuleHandleA(nullptr))
        RecordSwaps();
    return TRUE;
}

extern "C" {

// Answer: "<code> <reply>".
__declspec(dllexport) DWORD WINAPI mciSendStringA(LPCSTR command, LPSTR reply, UINT size, HWND)
{
    const std::string answer = Record(std::string("mci: ") + command) + " ";
    if (reply && size)
        lstrcpynA(reply, answer.c_str() + answer.find(' ') + 1, int(size));
    return std::strtoul(answer.c_str(), nullptr, 10);
}

__declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND)
{
    return Record("VerifyScreenSavePwd") == "1";
}

// Records "syscommand <decimal SC_ value>".
__declspec(dllexport) LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_SYSCOMMAND)
        Record("syscommand " + std::to_string(wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Real mouse input, which Wine also makes up as a window appears under the cursor, is dropped:
// only the moves a test posts reach the window.
__declspec(dllexport) LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam)
{
    return code >= 0 ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // extern "C"

// As Zirel.dll: the record bears the moment the process was created. Its window goes on a close;
// the process runs on till it is ended.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    STARTUPINFOA startup{};
    FILETIME times[4] = {};  // created, exited, kernel, user
    GetStartupInfoA(&startup);
    GetProcessTimes(GetCurrentProcess(), &times[0], &times[1], &times[2], &times[3]);
    const std::string show = " show=" + std::to_string(startup.wShowWindow);
    Record("Zirel.dll: " + (GetCommandLineA() + show) + " flags=" + std::to_string(startup.dwFlags),
           times[0]);
    CreateWindowExA(0, "Static", kRendererTitle, WS_POPUP | WS_VISIBLE, 0, 0, 64, 64, nullptr, nullptr,
                    nullptr, nullptr);
    for (MSG msg; GetMessageA(&msg, nullptr, 0, 0) > 0;)
        DispatchMessageA(&msg);
    return 0;
}
