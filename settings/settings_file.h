// Zirel.ini: the section and key names, the number text of its values, FolderOf, and the load and
// save of the in-memory settings. Portable; the profile functions come in through ProfileStore.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "profile_store.h"
#include "settings.h"

// Keys are Shift-JIS bytes whatever the system's code page, so a file written on a Japanese
// system reads back identically everywhere. The one exception to the store's UTF-8: they reach
// the file as these bytes (as the ANSI profile functions would take them).
inline constexpr char kSettingsSection[] = "Section";
inline constexpr char kKeyBgmKind[] = "BGM\x8B\xE6\x95\xAA";    // BGM区分
inline constexpr char kKeyBgmRepeat[] = "BGM\xD8\xCB\xDF\xB0\xC4";  // BGMﾘﾋﾟｰﾄ
inline constexpr char kKeyBgmFile[] = "BGM\xCC\xA7\xB2\xD9";    // BGMﾌｧｲﾙ

// A decimal number text: blanks around it, an optional sign, digits with an optional fraction
// and exponent. nullopt for anything else (empty, letters, hexadecimal, "inf", "nan") and for a
// value too large for a double.
std::optional<double> ParseDecimalText(std::string_view text);

// The whole part (rounded toward minus infinity) of a decimal number text; blanks around it are
// allowed. nullopt when the text is no number or the whole part lies outside -32768..32767.
std::optional<int16_t> ParseSettingNumber(std::string_view text);

// Decimal text as written to the file: one leading blank unless negative (" 2", " 0", "-3").
std::string SettingNumberText(int value);

// Everything before the last ':' or '\', with that character but without a final '\'
// (C:\Music\a.mp3 -> C:\Music, C:\a.mp3 -> C:, a.mp3 -> "").
std::string FolderOf(std::string_view path);

// <programFolder>\Zirel.ini
std::string SettingsFilePath(const std::string& programFolder);

// <appData>\Zirel\Zirel.ini: the user's own copy, used while the folder beside the programs
// cannot be written (System32, Program Files). "" when the user has no application-data folder.
std::string PerUserSettingsPath(const std::string& appData);

// Fills `values` from the per-user file where it was written after <programFolder>\Zirel.ini
// (or that one is missing), else from the file beside the programs. A number that cannot be read
// leaves its value as it was; a music file that can no longer be opened is dropped, and a file
// run with it.
void LoadSettings(Settings& values, ProfileStore& store, const std::string& programFolder,
                  const std::string& perUserFile);

enum class SaveResult {
    Beside,     // written beside the programs (a per-user copy removed, or rewritten alike)
    BesideOnly, // written beside the programs; an older per-user copy could be neither removed
                // nor rewritten, and is not read, as the file beside is newer
    PerUser,    // the folder beside the programs refused a write: written to the per-user file
    Failed,     // neither could be written: nothing the user chose is in effect
};

// Saves the three values with their file texts, beside the programs where it can, else in the
// per-user file; the result says which.
SaveResult SaveSettings(const Settings& values, ProfileStore& store,
                        const std::string& programFolder, const std::string& perUserFile);
