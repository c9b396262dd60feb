// winmm calls behind the player's MCI interface; no decisions here.
#include "win32_winmm_mci.h"

#include <windows.h>
#include <mmsystem.h>

#include "win32_text.h"

// <mmsystem.h> maps PlaySound to PlaySoundA; the interface keeps its own name.
#undef PlaySound

// NOTE: the player's texts are UTF-8, winmm's A functions take the ANSI code page. A music file's
// path always fits it: the settings file keeps it there.
uint32_t WinmmMci::SendString(const char* command, char* reply, uint32_t replySize)
{
    return mciSendStringA(zirel::AnsiFromUtf8(command).c_str(), reply, replySize, nullptr);
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
    return PlaySoundA(name ? zirel::AnsiFromUtf8(name).c_str() : nullptr, nullptr, flags) != FALSE;
}
