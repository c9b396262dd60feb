// The profile functions and the file operations over Win32. Paths go through the W functions
// whole, whatever the system's code page; Zirel.ini's texts stay in the ANSI code page.
#include "win32_profile.h"

#include <windows.h>

#include <algorithm>

#include "win32_text.h"

using zirel::AnsiFromWide;
using zirel::Utf16FromUtf8;
using zirel::Utf8FromWide;
using zirel::WideFrom;

namespace {

constexpr size_t kValueBufferSize = 256;
constexpr size_t kNameFieldSize = 128;  // section and key names: up to 127 bytes each

// A section or key name as the ANSI profile functions take it: its bytes (the keys' Shift-JIS)
// cut to 127, read in the ANSI code page.
std::wstring ProfileName(const std::string& name)
{
    return WideFrom(name.substr(0, kNameFieldSize - 1), CP_ACP);
}

// The longest start of `value` whose ANSI form has at most `bytes` bytes: what the ANSI function
// returns of a longer value.
std::wstring CutToAnsiBytes(std::wstring value, int bytes)
{
    while (WideCharToMultiByte(CP_ACP, 0, value.data(), int(value.size()), nullptr, 0, nullptr,
                               nullptr) > bytes)
        value.pop_back();
    return value;
}

}  // namespace

std::string ReadSetting(const std::string& section, const std::string& key, const std::string& file)
{
    wchar_t buffer[kValueBufferSize] = {};
    GetPrivateProfileStringW(ProfileName(section).c_str(), ProfileName(key).c_str(), L"", buffer,
                             DWORD(kValueBufferSize), Utf16FromUtf8(file).c_str());
    return Utf8FromWide(CutToAnsiBytes(buffer, int(kValueBufferSize) - 1));
}

bool WriteSetting(const std::string& section, const std::string& key, const std::string& value,
                  const std::string& file)
{
    // NOTE: the file keeps the ANSI code page, where a character it lacks would be written as a
    // question mark: such a value is refused rather than written as another one.
    const std::wstring wide = Utf16FromUtf8(value);
    std::string ansi;
    if (!AnsiFromWide(wide, ansi))
        return false;
    return WritePrivateProfileStringW(ProfileName(section).c_str(), ProfileName(key).c_str(),
                                      wide.c_str(), Utf16FromUtf8(file).c_str()) != 0;
}

bool FileExists(const std::string& path)
{
    std::wstring name = Utf16FromUtf8(path);
    if (!name.empty() && name.back() == L'\\')
        name.pop_back();
    if (name.empty())
        return false;
    // Without FILE_FLAG_BACKUP_SEMANTICS a folder cannot be opened, so it does not count.
    HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
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

bool Win32ProfileStore::Opens(const std::string& path) { return FileExists(path); }

int64_t Win32ProfileStore::WriteTime(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(Utf16FromUtf8(path).c_str(), GetFileExInfoStandard, &data))
        return 0;
    return int64_t{data.ftLastWriteTime.dwHighDateTime} << 32 | data.ftLastWriteTime.dwLowDateTime;
}

bool Win32ProfileStore::RemoveFile(const std::string& path)
{
    const std::wstring name = Utf16FromUtf8(path);
    return DeleteFileW(name.c_str()) || GetFileAttributesW(name.c_str()) == INVALID_FILE_ATTRIBUTES;
}

void Win32ProfileStore::MakeFolder(const std::string& folder)
{
    // Fails harmlessly when it is there.
    CreateDirectoryW(Utf16FromUtf8(folder).c_str(), nullptr);
}

std::optional<std::string> StorablePath(const std::wstring& path)
{
    std::string ansi;
    if (AnsiFromWide(path, ansi))
        return Utf8FromWide(path);
    std::wstring shortPath(MAX_PATH, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), MAX_PATH);
    shortPath.resize(length < MAX_PATH ? length : 0);
    if (shortPath.empty() || !AnsiFromWide(shortPath, ansi))
        return std::nullopt;
    return Utf8FromWide(shortPath);
}

std::string ApplicationDataFolder()
{
    wchar_t appData[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH);
    return length > 0 && length < MAX_PATH ? Utf8FromWide(appData) : "";
}
