// Stand-in for PASSWORD.CPL. VerifyScreenSavePwd answers what "password_answer.txt" beside this
// module says ("1" lets the saver close, anything else keeps it) and appends one line per call
// to "password_calls.txt": the screen-saver-running state the system reported during the call.
#include <windows.h>

#include <cstdio>
#include <string>

#include "standin_folder.h"

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND)
{
    const std::string folder = StandinFolder();
    BOOL running = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    if (FILE* log = std::fopen((folder + "\\password_calls.txt").c_str(), "a")) {
        std::fprintf(log, "running=%d\n", running ? 1 : 0);
        std::fclose(log);
    }
    int answer = 0;
    if (FILE* in = std::fopen((folder + "\\password_answer.txt").c_str(), "r")) {
        if (std::fscanf(in, "%d", &answer) != 1)
            answer = 0;
        std::fclose(in);
    }
    return answer == 1 ? TRUE : FALSE;
}
