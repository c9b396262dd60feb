// Recording stand-in for winmm.dll, so a Windows-side test sees every multimedia call a program
// makes and decides what the "devices" answer. Both files lie in the folder of this DLL.
//
// winmm_log.txt: one line appended per call
//   mci: <command>                      mciSendStringA (a null command logs "(null)")
//   mcierror: <code>                    mciGetErrorStringA, code in decimal
//   waveOutGetNumDevs
//   PlaySoundA: <name or (null)> flags=<decimal>
//
// winmm_script.txt: read at every call; a missing file or line means the default
//   mci <command prefix>=<code>|<reply text>
//       The first such line whose prefix the command starts with answers it: mciSendStringA
//       returns <code> (decimal) and copies <reply text> into the caller's buffer, cut to its
//       size and always NUL-terminated. The prefix ends at the last "=" before the first "|",
//       so it may hold "=" but not "|"; the reply is the rest of the line. An empty prefix
//       matches every command. Default: code 0, empty reply.
//   devices=<n>
//       What waveOutGetNumDevs returns. Default 1.
// mciGetErrorStringA always succeeds with the text "MCI error <code>"; PlaySoundA returns TRUE.
//
// A test selects it for a program by copying it beside the program as winmm.dll and telling Wine
// to take the native winmm, in one of two ways (Wine 8):
//   - WINEDLLOVERRIDES=winmm=n in the Unix environment of the `wine` command; every process
//     under it inherits the choice. Set from a Windows process with SetEnvironmentVariableA it
//     does NOT reach the programs that process starts.
//   - from a Windows-side test, per program: the registry value
//     HKCU\Software\Wine\AppDefaults\<program file name>\DllOverrides, winmm = "native",
//     written before the program starts and deleted afterwards.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "standin_folder.h"

namespace {

void Log(const std::string& line)
{
    if (FILE* log = std::fopen((StandinFolder() + "\\winmm_log.txt").c_str(), "ab")) {
        std::fprintf(log, "%s\r\n", line.c_str());
        std::fclose(log);
    }
}

// Calls `onLine` for each line of the script, without its line end, until it returns true.
template <typename F>
void ForEachScriptLine(F onLine)
{
    FILE* in = std::fopen((StandinFolder() + "\\winmm_script.txt").c_str(), "rb");
    if (!in)
        return;
    std::string line;
    for (int c; (c = std::fgetc(in)) != EOF || !line.empty();) {
        if (c != EOF && c != '\n') {
            line += char(c);
            continue;
        }
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (onLine(line))
            break;
        line.clear();
        if (c == EOF)
            break;
    }
    std::fclose(in);
}

void CopyReply(const std::string& text, LPSTR buffer, UINT size)
{
    if (!buffer || size == 0)
        return;
    const size_t n = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

}  // namespace

extern "C" {

DWORD WINAPI mciSendStringA(LPCSTR command, LPSTR reply, UINT replySize, HWND)
{
    const std::string text = command ? command : "(null)";
    Log("mci: " + text);
    DWORD code = 0;
    std::string answer;
    ForEachScriptLine([&](const std::string& line) {
        if (line.rfind("mci ", 0) != 0)
            return false;
        const size_t bar = line.find('|');
        const size_t equals = line.rfind('=', bar == std::string::npos ? std::string::npos : bar);
        if (equals == std::string::npos || equals < 4)
            return false;
        const std::string prefix = line.substr(4, equals - 4);
        if (!command || text.rfind(prefix, 0) != 0)
            return false;
        code = DWORD(std::strtoul(line.c_str() + equals + 1, nullptr, 10));
        answer = bar == std::string::npos ? "" : line.substr(bar + 1);
        return true;
    });
    CopyReply(answer, reply, replySize);
    return code;
}

BOOL WINAPI mciGetErrorStringA(DWORD code, LPSTR buffer, UINT size)
{
    Log("mcierror: " + std::to_string(code));
    CopyReply("MCI error " + std::to_string(code), buffer, size);
    return TRUE;
}

UINT WINAPI waveOutGetNumDevs()
{
    Log("waveOutGetNumDevs");
    UINT devices = 1;
    ForEachScriptLine([&](const std::string& line) {
        if (line.rfind("devices=", 0) != 0)
            return false;
        devices = UINT(std::strtoul(line.c_str() + 8, nullptr, 10));
        return true;
    });
    return devices;
}

BOOL WINAPI PlaySoundA(LPCSTR name, HMODULE, DWORD flags)
{
    // SND_MEMORY hands a wave image, not a name.
    const std::string shown = !name ? "(null)" : (flags & 0x0004) ? "(memory)" : name;
    Log("PlaySoundA: " + shown + " flags=" + std::to_string(flags));
    return TRUE;
}

}  // extern "C"
