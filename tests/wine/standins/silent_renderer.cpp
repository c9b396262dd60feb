// Stand-in for a renderer that starts but never shows a window: copied as Zirel.dll, it only
// waits. It gives up after half a minute, so a test that loses track of it leaves nothing behind
// for long.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    Sleep(30000);
    return 0;
}
