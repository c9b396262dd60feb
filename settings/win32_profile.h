// Zirel.ini through the profile functions, and the file test the launcher uses. Texts are UTF-8
// (see ProfileStore).
#pragma once

#include <optional>
#include <string>

#include "profile_store.h"

// The value of `key`, at most 255 bytes in the ANSI code page; "" for a missing file, section or
// key.
std::string ReadSetting(const std::string& section, const std::string& key, const std::string& file);
// Writes the value; false when it could not be written (a read-only folder, a full disk, a
// character the ANSI code page lacks).
bool WriteSetting(const std::string& section, const std::string& key, const std::string& value,
                  const std::string& file);
// True when `path` (a final '\' ignored) can be opened for reading: false for a missing or
// locked file, a folder and an empty path.
bool FileExists(const std::string& path);

// A music file's path (UTF-8) as Zirel.ini can hold it: the path itself where the ANSI code page
// holds it, else its short (8.3) form where that one does; none where neither fits (a volume that
// keeps no short names).
std::optional<std::string> StorablePath(const std::wstring& path);

// The user's application-data folder, %APPDATA%; "" when there is none.
std::string ApplicationDataFolder();

class Win32ProfileStore : public ProfileStore {
public:
    std::string Read(const std::string& section, const std::string& key,
                     const std::string& file) override;
    bool Write(const std::string& section, const std::string& key, const std::string& value,
               const std::string& file) override;
    bool Opens(const std::string& path) override;
    int64_t WriteTime(const std::string& path) override;
    bool RemoveFile(const std::string& path) override;
    void MakeFolder(const std::string& folder) override;
};
