// One stand-in for what the programs reach outside themselves. As winmm.dll and PASSWORD.CPL it
// records each call (of winmm only the MCI commands: rows with a WAV file hear Wine's own winmm,
// and none makes an MCI command fail, so mciGetErrorStringA is left out); hooked into Zirel.dll,
// the system commands that reach DefWindowProc, and the time of every buffer swap in swaps.log;
// built as a program and copied as Zirel.dll, how it was started. Each record is a line
// "<microseconds> <text>" in standin.log; its answer is the rest of the first line
// "<prefix>=<answer>" of standin.txt whose prefix starts the text. The files are in the current
// folder, which is the row's for every program it starts.
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "renderer_contract.h"

namespace {

using std::string;

// `when`: the record's time, none for now.
string Record(const string& text, FILETIME when = {})
{
    if (!when.dwHighDateTime)
        GetSystemTimeAsFileTime(&when);
    std::ofstream("standin.log", std::ios::app | std::ios::binary)
        << (ULONGLONG(when.dwHighDateTime) << 32 | when.dwLowDateTime) / 10 << " " << text << "\n";
    std::ifstream script("standin.txt");
    for (string line; std::getline(script, line);)
        if (const size_t is = line.find('=');
            is != string::npos && !text.rfind(line.substr(0, is), 0))
            return line.substr(is + 1);
    return "";
}

void* realSwap = nullptr;

// The swap's moment in microseconds of the performance counter, which all processes share.
BOOL WINAPI RecordSwap(HDC dc, UINT planes)
{
    LARGE_INTEGER now{}, frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    std::ofstream("swaps.log", std::ios::app) << now.QuadPart * 1e6 / frequency.QuadPart << "\n";
    return decltype (&RecordSwap)(realSwap)(dc, planes);
}

// Points the program's imported wglSwapLayerBuffers (a slot of its import address table that
// holds opengl32's) at RecordSwap.
void RecordSwaps()
{
    auto* base = (BYTE*)GetModuleHandleA(nullptr);
    const auto* nt = (IMAGE_NT_HEADERS*)(base + ((IMAGE_DOS_HEADER*)base)->e_lfanew);
    const auto table = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IAT];
    auto* slot = (void**)(base + table.VirtualAddress);
    DWORD access = 0;
    realSwap = (void*)GetProcAddress(LoadLibraryA("opengl32.dll"), "wglSwapLayerBuffers");
    VirtualProtect(slot, table.Size, PAGE_READWRITE, &access);
    for (; slot < (void**)(base + table.VirtualAddress + table.Size); ++slot)
        *slot = *slot == realSwap ? (void*)RecordSwap : *slot;
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
    const string answer = Record(string("mci: ") + command) + " ";
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
    Record("Zirel.dll: " + string(GetCommandLineA()) + " show=" +
               std::to_string(startup.wShowWindow) + " flags=" + std::to_string(startup.dwFlags),
           times[0]);
    CreateWindowExA(0, "Static", kRendererTitle, WS_POPUP | WS_VISIBLE, 0, 0, 64, 64, nullptr,
                    nullptr, nullptr, nullptr);
    for (MSG msg; GetMessageA(&msg, nullptr, 0, 0) > 0;)
        DispatchMessageA(&msg);
    return 0;
}
