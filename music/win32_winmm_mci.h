// The player's MCI interface bound to the real winmm.
#pragma once

#include "music_player.h"

class WinmmMci : public MciInterface {
public:
    uint32_t SendString(const char* command, char* reply, uint32_t replySize) override;
    bool GetErrorString(uint32_t code, char* buffer, uint32_t size) override;
    uint32_t WaveOutDeviceCount() override;
    bool PlaySound(const char* name, uint32_t flags) override;
};
