// One stand-in for what the programs reach outside themselves: as winmm.dll and PASSWORD.CPL it
// records each call, as zirel_hooks.dll it records DefWindowProc's system commands and keeps real
// mouse input away, and built as a program (copied as Zirel.dll) it records how it was started.
// Each record is a line "<microseconds> <text>" in standin.log beside it; the answer is the rest
// of the first line "<prefix>=<answer>" of standin.txt whose prefix starts the text.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

std::string Folder()
{
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&Folder), &self);
    char path[MAX_PATH] = {};
    GetModuleFileNameA(self, path, MAX_PATH);
    return std::string(path, std::strrchr(path, '\\'));
}

long long Micro(FILETIME time)
{
    return (static_cast<long long>(time.dwHighDateTime) << 32 | time.dwLowDateTime) / 10;
}

long long Now()
{
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return Micro(now);
}

// Logs `text` and returns its scripted answer ("" when none).
std::string Record(const std::string& text, long long stamp = Now())
{
    if (FILE* log = std::fopen((Folder() + "\\standin.log").c_str(), "ab")) {
        std::fprintf(log, "%lld %s\n", stamp, text.c_str());
        std::fclose(log);
    }
    std::ifstream script(Folder() + "\\standin.txt");
    for (std::string line; std::getline(script, line);) {
        const size_t equals = line.find('=');
        if (equals != std::string::npos && text.rfind(line.substr(0, equals), 0) == 0)
            return line.substr(equals + 1);
    }
    return "";
}

void Reply(const std::string& text, LPSTR buffer, UINT size)
{
    if (buffer && size)
        lstrcpynA(buffer, text.c_str(), int(size));
}

}  // namespace

extern "C" {

__declspec(dllexport) DWORD WINAPI mciSendStringA(LPCSTR command, LPSTR reply, UINT size, HWND)
{
    const std::string answer = Record(std::string("mci: ") + (command ? command : "(null)"));
    char* text = nullptr;
    const DWORD code = std::strtoul(answer.c_str(), &text, 10);
    Reply(*text ? text + 1 : text, reply, size);
    return code;
}

__declspec(dllexport) BOOL WINAPI mciGetErrorStringA(DWORD code, LPSTR buffer, UINT size)
{
    Record("mcierror: " + std::to_string(code));
    Reply("MCI error " + std::to_string(code), buffer, size);
    return TRUE;
}

__declspec(dllexport) UINT WINAPI waveOutGetNumDevs()
{
    const std::string answer = Record("waveOutGetNumDevs");
    return answer.empty() ? 1 : std::atoi(answer.c_str());
}

__declspec(dllexport) BOOL WINAPI PlaySoundA(LPCSTR name, HMODULE, DWORD flags)
{
    Record(std::string("PlaySoundA: ") + (name ? name : "(null)") + " flags=" + std::to_string(flags));
    return TRUE;
}

__declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND)
{
    BOOL running = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    return std::atoi(Record("VerifyScreenSavePwd running=" + std::to_string(running)).c_str()) == 1;
}

__declspec(dllexport) LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    char text[32];
    std::snprintf(text, sizeof(text), "syscommand %04llx", static_cast<unsigned long long>(wParam));
    if (code == HCBT_SYSCOMMAND)
        Record(text);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Real mouse input, which Wine also makes up when a window appears under the cursor, is dropped:
// only the moves a test posts reach the window.
__declspec(dllexport) LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam)
{
    return code >= 0 ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // extern "C"

// As Zirel.dll: the line is stamped with the moment the process was created.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    STARTUPINFOA startup{};
    GetStartupInfoA(&startup);
    FILETIME created{}, unused{};
    GetProcessTimes(GetCurrentProcess(), &created, &unused, &unused, &unused);
    const std::string answer = Record(std::string("Zirel.dll: ") + GetCommandLineA() + " show=" +
                                          std::to_string(startup.wShowWindow) + " flags=" +
                                          std::to_string(startup.dwFlags),
                                      Micro(created));
    char* life = nullptr;
    if (std::strtol(answer.c_str(), &life, 10))
        CreateWindowExA(0, "Static", "Vant_VC", WS_POPUP | WS_VISIBLE, 0, 0, 64, 64, nullptr, nullptr, nullptr, nullptr);
    SetTimer(nullptr, 0, std::strtoul(life, nullptr, 10), nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0 && msg.message != WM_TIMER)
        DispatchMessageA(&msg);
    return 0;
}
