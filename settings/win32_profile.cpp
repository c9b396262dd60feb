// The profile functions and the file test over Win32 (ANSI code page throughout).
#include "win32_profile.h"

#include <windows.h>

#include <algorithm>

namespace {

constexpr size_t kValueBufferSize = 256;
constexpr size_t kNameFieldSize = 128;  // section and key names: up to 127 bytes each

// Copies a name into a fixed field, cutting it so that the terminating NUL always fits.
void CopyName(const std::string& name, char (&field)[kNameFieldSize])
{
    const size_t length = std::min(name.size(), kNameFieldSize - 1);
    std::copy_n(name.data(), length, field);
    field[length] = '\0';
}

}  // namespace

std::string ReadSetting(const std::string& section, const std::string& key, const std::string& file)
{
    char buffer[kValueBufferSize] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, DWORD(kValueBufferSize),
                             file.c_str());
    return std::string(buffer, strnlen(buffer, kValueBufferSize));
}

bool WriteSetting(const std::string& section, const std::string& key, const std::string& value,
                  const std::string& file)
{
    char sectionField[kNameFieldSize] = {};
    char keyField[kNameFieldSize] = {};
    CopyName(section, sectionField);
    CopyName(key, keyField);
    return WritePrivateProfileStringA(sectionField, keyField, value.c_str(), file.c_str()) != 0;
}

bool FileExists(const std::string& path)
{
    std::string name = path;
    if (!name.empty() && name.back() == '\\')
        name.pop_back();
    if (name.empty())
        return false;
    // Without FILE_FLAG_BACKUP_SEMANTICS a folder cannot be opened, so it does not count.
    HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        SetLastError(ERROR_SUCCESS);
        return false;
    }
    CloseHandle(file);
    return true;
}

std::string Win32ProfileStore::Read(const std::string& section, const std::string& key,
                                    const std::string& file)
{
    return ReadSetting(section, key, file);
}

bool Win32ProfileStore::Write(const std::string& section, const std::string& key,
                              const std::string& value, const std::string& file)
{
    return WriteSetting(section, key, value, file);
}

bool Win32ProfileStore::FileExists(const std::string& path) { return ::FileExists(path); }

bool Win32ProfileStore::RemoveFile(const std::string& path)
{
    return DeleteFileA(path.c_str()) || GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

void Win32ProfileStore::MakeFolderFor(const std::string& file)
{
    CreateDirectoryA(FolderOf(file).c_str(), nullptr);  // fails harmlessly when it is there
}

std::string PerUserSettingsFile()
{
    char appData[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("APPDATA", appData, MAX_PATH);
    return PerUserSettingsPath(length > 0 && length < MAX_PATH ? appData : "");
}
