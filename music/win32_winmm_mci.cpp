// winmm calls behind the player's MCI interface; no decisions here.
#include "win32_winmm_mci.h"

#include <windows.h>
#include <mmsystem.h>

// <mmsystem.h> maps PlaySound to PlaySoundA; the interface keeps its own name.
#undef PlaySound

uint32_t WinmmMci::SendString(const char* command, char* reply, uint32_t replySize)
{
    return mciSendStringA(command, reply, replySize, nullptr);
}

bool WinmmMci::GetErrorString(uint32_t code, char* buffer, uint32_t size)
{
    return mciGetErrorStringA(code, buffer, size) != FALSE;
}

uint32_t WinmmMci::WaveOutDeviceCount()
{
    return waveOutGetNumDevs();
}

bool WinmmMci::PlaySound(const char* name, uint32_t flags)
{
    return PlaySoundA(name, nullptr, flags) != FALSE;
}
