// The launcher's music settings as held in memory, one set per process. Filled by LoadSettings
// before a configuration or full-screen run; changed by the settings dialog.
#pragma once

#include <cstdint>
#include <string>

struct Settings {
    int16_t bgmKind = 0;    // 0 none, 1 audio CD, 2 music file (MP3 or WAV)
    int16_t bgmRepeat = 0;  // CD track to repeat; 0 = none
    std::string bgmFile;    // full path of the music file (UTF-8); may be empty
    std::string bgmFolder;  // where the file chooser opens (UTF-8); never saved
};

// The process's settings values.
extern Settings settings;
