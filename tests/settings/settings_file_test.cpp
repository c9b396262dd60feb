// Zirel.ini: its number texts and the load over a scripted profile (with the chooser's folder).
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "settings_file.h"

namespace {

using Text = const std::string&;

// Answers from its values, each named by file, section and key; "C:\a.wav" and the files it has
// written open as files. Writes to a file in a read-only folder fail.
struct ScriptedIni : ProfileStore {
    std::string Read(Text section, Text key, Text ini) override
    {
        return values[ini + section + key];
    }
    bool Write(Text section, Text key, Text value, Text ini) override
    {
        if (readOnly.count(ini.substr(0, ini.rfind('\\'))))
            return false;
        files.insert(ini);
        values[ini + section + key] = value;
        return true;
    }
    bool FileExists(Text path) override { return path == "C:\\a.wav" || files.count(path); }
    bool RemoveFile(Text path) override { return files.erase(path); }
    void MakeFolderFor(Text ini) override { made.insert(ini.substr(0, ini.rfind('\\'))); }
    std::map<std::string, std::string> values;
    std::set<std::string> files, readOnly, made;
};

TEST(SettingsFile, NumbersAndLoad)
{
    // A value's text and its number: the whole part toward minus infinity, when it fits 16 bits.
    const std::pair<const char*, std::optional<int16_t>> numbers[] = {
        {" 2", 2},          {"2.9", 2},         {"-0.5", -1},  {"\t7 ", 7},      {"1E+1", 10},
        {"32767.9", 32767}, {"-32768", -32768}, {"32768", {}}, {"-32768.5", {}}, {"", {}},
        {".", {}},          {"nan", {}},        {"1e999", {}}};
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(ParseSettingNumber(text), value) << '"' << text << '"';
    // The keys' Shift-JIS bytes in Zirel.ini beside the program: BGM区分, BGMﾘﾋﾟｰﾄ, BGMﾌｧｲﾙ.
    const std::string kind = "C:\\Saver\\Zirel.iniSectionBGM\x8B\xE6\x95\xAA";
    const std::string repeat = "C:\\Saver\\Zirel.iniSectionBGM\xD8\xCB\xDF\xB0\xC4";
    const std::string file = "C:\\Saver\\Zirel.iniSectionBGM\xCC\xA7\xB2\xD9";
    // {the file's values, what they load over {1, 5, "C:\old.mp3"}}: a missing value reads as 0,
    // an unreadable number keeps its value, a music file that does not open is dropped and a file
    // run with it.
    const std::pair<std::map<std::string, std::string>, Settings> rows[] = {
        {{{kind, " 2"}, {repeat, "3"}, {file, "C:\\a.wav"}}, {2, 3, "C:\\a.wav", "C:"}},
        {{{kind, " 2"}, {file, "C:\\m\\gone.mp3"}}, {0, 0, "", "C:\\Saver"}},
        {{{kind, "abc"}, {repeat, "99999"}, {file, "C:\\m"}}, {1, 5, "", "C:\\Saver"}}};
    for (const auto& [text, loaded] : rows) {
        ScriptedIni ini;
        ini.values = text;
        Settings values{1, 5, "C:\\old.mp3", "C:\\old"};
        LoadSettings(values, ini, "C:\\Saver", "");
        EXPECT_EQ(std::tie(values.bgmKind, values.bgmRepeat, values.bgmFile, values.bgmFolder),
                  std::tie(loaded.bgmKind, loaded.bgmRepeat, loaded.bgmFile, loaded.bgmFolder));
    }
}

// Saved beside the programs while that folder takes it, else in the user's own file, which is read
// while it exists and goes with the next save beside the programs.
TEST(SettingsFile, SavedWhereItCanBeAndReadFromThere)
{
    const std::string beside = "C:\\Saver\\Zirel.ini";
    const std::string own = PerUserSettingsPath("C:\\Users\\u\\AppData");
    EXPECT_EQ(own, "C:\\Users\\u\\AppData\\Zirel\\Zirel.ini");
    EXPECT_EQ(PerUserSettingsPath(""), "");
    // {read-only folders, the user's file, the result, the file then read, kind and track loaded}
    const std::tuple<std::set<std::string>, std::string, SaveResult, std::string, int> steps[] = {
        {{"C:\\Saver"}, own, SaveResult::PerUser, own, 1},
        {{}, own, SaveResult::Beside, beside, 2},
        {{"C:\\Saver", own.substr(0, own.rfind('\\'))}, own, SaveResult::Failed, beside, 2},
        {{"C:\\Saver"}, "", SaveResult::Failed, beside, 2}};
    ScriptedIni ini;
    int16_t kind = 0;
    for (const auto& [readOnly, userFile, result, read, loaded] : steps) {
        ini.readOnly = readOnly;
        ++kind;
        EXPECT_EQ(
            SaveSettings({kind, int16_t(kind + 10), "C:\\a.wav", ""}, ini, "C:\\Saver", userFile),
            result);
        EXPECT_EQ(ini.files.count(own), read == own) << "the user's file after save " << kind;
        Settings values;
        LoadSettings(values, ini, "C:\\Saver", own);
        EXPECT_EQ(values.bgmKind * 100 + values.bgmRepeat, loaded * 101 + 10);
        EXPECT_EQ(ini.values[read + "SectionBGM\xCC\xA7\xB2\xD9"], "C:\\a.wav");
    }
    EXPECT_EQ(ini.made, std::set<std::string>{"C:\\Users\\u\\AppData\\Zirel"});
}

}  // namespace
