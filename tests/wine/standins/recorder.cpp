// The stand-in hooked into Zirel.dll: it records the system commands that reach DefWindowProc
// in standin.log, a line each, and the time of every buffer swap in swaps.log, in the current
// folder, which is the row's for every program it starts.
#include <windows.h>

#include <fstream>

namespace {

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

// Hooked into Zirel.dll: its swaps recorded.
BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH && GetModuleHandleA("Zirel.dll") == GetModuleHandleA(nullptr))
        RecordSwaps();
    return TRUE;
}

extern "C" {

// Records "syscommand <decimal SC_ value>".
__declspec(dllexport) LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_SYSCOMMAND)
        std::ofstream("standin.log", std::ios::app) << "syscommand " << wParam << "\n";
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Real mouse input, which Wine also makes up as a window appears under the cursor, is dropped:
// only the moves a test posts reach the window.
__declspec(dllexport) LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam)
{
    return code >= 0 ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // extern "C"
