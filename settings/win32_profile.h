// Zirel.ini through the ANSI profile functions, and the file test the launcher uses.
#pragma once

#include <string>

#include "settings_file.h"

// The value of `key`, at most 255 bytes; "" for a missing file, section or key.
std::string ReadSetting(const std::string& section, const std::string& key, const std::string& file);
// Writes the value; false when it could not be written (a read-only folder, a full disk).
bool WriteSetting(const std::string& section, const std::string& key, const std::string& value,
                  const std::string& file);
// True when `path` (a final '\' ignored) can be opened for reading: false for a missing or
// locked file, a folder and an empty path.
bool FileExists(const std::string& path);

// %APPDATA%\Zirel\Zirel.ini, or "" when the user has no application-data folder.
std::string PerUserSettingsFile();

class Win32ProfileStore : public ProfileStore {
public:
    std::string Read(const std::string& section, const std::string& key,
                     const std::string& file) override;
    bool Write(const std::string& section, const std::string& key, const std::string& value,
               const std::string& file) override;
    bool FileExists(const std::string& path) override;
    bool RemoveFile(const std::string& path) override;
    void MakeFolderFor(const std::string& file) override;
};
