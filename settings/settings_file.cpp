// Number text, folder names and the load of Zirel.ini (portable).
#include "settings_file.h"

#include <charconv>
#include <cmath>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// True when `text` is a plain decimal number: digits with an optional fraction and exponent, no
// sign (the caller takes it off). Keeps from_chars away from "inf", "nan" and hex forms.
bool IsUnsignedDecimal(std::string_view text)
{
    size_t i = 0;
    size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) { ++i; ++digits; }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) { ++i; ++digits; }
    }
    if (digits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        if (i == text.size() || !IsDigit(text[i]))
            return false;
        while (i < text.size() && IsDigit(text[i]))
            ++i;
    }
    return i == text.size();
}

}  // namespace

std::optional<double> ParseDecimalText(std::string_view text)
{
    text = TrimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (!IsUnsignedDecimal(text))
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<int16_t> ParseSettingNumber(std::string_view text)
{
    const std::optional<double> value = ParseDecimalText(text);
    if (!value)
        return std::nullopt;
    const double whole = std::floor(*value);
    if (whole < -32768.0 || whole > 32767.0)
        return std::nullopt;
    return int16_t(whole);
}

std::string SettingNumberText(int value)
{
    std::string text = std::to_string(value);
    if (value >= 0)
        text.insert(text.begin(), ' ');
    return text;
}

std::string FolderOf(std::string_view path)
{
    const size_t last = path.find_last_of(":\\");
    if (last == std::string_view::npos)
        return "";
    std::string folder(path.substr(0, last + 1));
    if (folder.back() == '\\')
        folder.pop_back();
    return folder;
}

std::string SettingsFilePath(const std::string& programFolder)
{
    return programFolder + "\\Zirel.ini";
}

std::string PerUserSettingsPath(const std::string& appData)
{
    return appData.empty() ? std::string() : appData + "\\Zirel\\Zirel.ini";
}

void LoadSettings(Settings& values, ProfileStore& store, const std::string& programFolder,
                  const std::string& perUserFile)
{
    // NOTE: a per-user copy that could be neither removed nor rewritten when a later save went
    // beside the programs is older than that file, and must not shadow it.
    const std::string beside = SettingsFilePath(programFolder);
    const bool perUser = !perUserFile.empty() && store.Opens(perUserFile) &&
                         store.WriteTime(perUserFile) > store.WriteTime(beside);
    const std::string file = perUser ? perUserFile : beside;
    const auto loadNumber = [&](const char* key, int16_t& target) {
        const std::string text = store.Read(kSettingsSection, key, file);
        if (text.empty()) {
            target = 0;
        } else if (const auto number = ParseSettingNumber(text)) {
            target = *number;
        }
    };
    loadNumber(kKeyBgmKind, values.bgmKind);
    loadNumber(kKeyBgmRepeat, values.bgmRepeat);

    values.bgmFile = store.Read(kSettingsSection, kKeyBgmFile, file);
    if (!values.bgmFile.empty() && !store.Opens(values.bgmFile))
        values.bgmFile.clear();
    if (values.bgmFile.empty() && values.bgmKind == 2)
        values.bgmKind = 0;

    values.bgmFolder = values.bgmFile.empty() ? programFolder : FolderOf(values.bgmFile);
}

namespace {

// All three values into `file`; false as soon as one write fails.
bool WriteAll(const Settings& values, ProfileStore& store, const std::string& file)
{
    return store.Write(kSettingsSection, kKeyBgmKind, SettingNumberText(values.bgmKind), file) &&
           store.Write(kSettingsSection, kKeyBgmRepeat, SettingNumberText(values.bgmRepeat), file) &&
           store.Write(kSettingsSection, kKeyBgmFile, values.bgmFile, file);
}

}  // namespace

SaveResult SaveSettings(const Settings& values, ProfileStore& store,
                        const std::string& programFolder, const std::string& perUserFile)
{
    const std::string beside = SettingsFilePath(programFolder);
    if (WriteAll(values, store, beside)) {
        if (perUserFile.empty() || !store.Opens(perUserFile) || store.RemoveFile(perUserFile))
            return SaveResult::Beside;
        // A copy that cannot be removed gets the same choice, so it shadows nothing old.
        if (WriteAll(values, store, perUserFile))
            return SaveResult::Beside;
        // Neither: the file beside written once more, so that it is surely the newer one even
        // where the copy took part of the choice.
        WriteAll(values, store, beside);
        return SaveResult::BesideOnly;
    }
    if (perUserFile.empty())
        return SaveResult::Failed;
    store.MakeFolder(FolderOf(perUserFile));
    return WriteAll(values, store, perUserFile) ? SaveResult::PerUser : SaveResult::Failed;
}
