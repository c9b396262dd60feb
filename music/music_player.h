// Background music: audio CD, MP3 and WAV through the multimedia command strings, written over
// an injectable MCI interface so the command sequences are portable and testable.
#pragma once

#include <cstdint>
#include <string>

// The four winmm entry points the player uses. The real binding is music/win32_winmm_mci.*;
// host tests record and script them.
class MciInterface {
public:
    virtual ~MciInterface() = default;
    // mciSendStringA(command, reply, replySize, no callback); reply may be null with size 0.
    virtual uint32_t SendString(const char* command, char* reply, uint32_t replySize) = 0;
    // mciGetErrorStringA(code, buffer, size); true on success.
    virtual bool GetErrorString(uint32_t code, char* buffer, uint32_t size) = 0;
    // waveOutGetNumDevs()
    virtual uint32_t WaveOutDeviceCount() = 0;
    // PlaySoundA(name, no module, flags); name may be null (stop).
    virtual bool PlaySound(const char* name, uint32_t flags) = 0;
};

struct Settings;

// One per process (module Vant_BGM). Reads bgmRepeat and bgmFile from `settings` at each call.
class MusicPlayer {
public:
    MusicPlayer(MciInterface& mci, const Settings& settings);

    void CdOpen();
    // One watch step; returns and stores cdWatchActive (false ends the watch).
    bool CdWatch();
    void CdClose();
    void Mp3Start();
    bool Mp3IsPlaying();
    void Mp3Loop();
    void Mp3Close();
    void WavStart();
    void WavStop();

    // Helpers, public for their callers and tests.
    int32_t SendMci(const std::string& command, std::string& reply);
    std::string QueryMci(const std::string& command);
    int32_t PlayDevice(const std::string& device, const std::string& from, const std::string& to);

    bool cdWatchActive = false;
    std::string mciReplyText;

private:
    MciInterface& mci_;
    const Settings& settings_;
    static constexpr uint32_t kMp3ModeSize = 30;    // characters, as handed to winmm
    char mp3ModeBuffer_[kMp3ModeSize + 1] = {};     // keeps its content from one query to the next
};
