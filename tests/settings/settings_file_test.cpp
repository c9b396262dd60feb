// Zirel.ini: its number texts and the load over a scripted profile (with the chooser's folder).
#include <gtest/gtest.h>

#include <map>

#include "settings_file.h"

namespace {

// Answers from its values for Zirel.ini beside the program; only "C:\a.wav" opens as a file.
struct ScriptedIni : ProfileStore, std::map<std::string, std::string> {
    std::string Read(const std::string& section, const std::string& key, const std::string& file) override
    {
        return section == "Section" && file == "C:\\Saver\\Zirel.ini" && count(key) ? at(key) : "";
    }
    void Write(const std::string&, const std::string&, const std::string&, const std::string&) override {}
    bool FileExists(const std::string& path) override { return path == "C:\\a.wav"; }
};

TEST(SettingsFile, NumbersAndLoad)
{
    // A value's text and its number: the whole part toward minus infinity, when it fits 16 bits.
    const std::pair<const char*, std::optional<int16_t>> numbers[] = {{" 2", 2}, {"2.9", 2}, {"2.", 2}, {"-0.5", -1},
        {"+4", 4}, {"\t7 ", 7}, {".5", 0}, {"1e2", 100}, {"1E+1", 10}, {"5e-1", 0}, {"32767.9", 32767},
        {"-32768", -32768}, {"-32768.5", {}}, {"32768", {}}, {"2abc", {}}, {"1 2", {}}, {"", {}}, {" ", {}}, {"-", {}},
        {".", {}}, {"inf", {}}, {"nan", {}}, {"0x10", {}}, {"1e", {}}, {"1e+", {}}, {"1e999", {}}, {"--1", {}}};
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(ParseSettingNumber(text), value) << '"' << text << '"';
    // The keys' Shift-JIS bytes: BGM区分, BGMﾘﾋﾟｰﾄ, BGMﾌｧｲﾙ.
    const std::string kind = "BGM\x8B\xE6\x95\xAA", repeat = "BGM\xD8\xCB\xDF\xB0\xC4", file = "BGM\xCC\xA7\xB2\xD9";
    // {the file's values, what they load over {1, 5, "C:\old.mp3"}}: a missing value reads as 0, a music
    // file that does not open is dropped and a file run with it.
    const std::pair<std::map<std::string, std::string>, Settings> rows[] = {{{}, {0, 0, "", "C:\\Saver"}},
        {{{kind, " 2"}, {repeat, "3"}, {file, "C:\\a.wav"}}, {2, 3, "C:\\a.wav", "C:"}},
        {{{kind, " 2"}, {file, "C:\\m\\gone.mp3"}}, {0, 0, "", "C:\\Saver"}},
        {{{kind, " 1"}, {repeat, " 4"}, {file, "C:\\m"}}, {1, 4, "", "C:\\Saver"}},
        {{{kind, "abc"}, {repeat, "99999"}}, {1, 5, "", "C:\\Saver"}}, {{{kind, "2.9"}}, {0, 0, "", "C:\\Saver"}}};
    for (const auto& [text, loaded] : rows) {
        ScriptedIni ini;
        ini.insert(text.begin(), text.end());
        Settings values{1, 5, "C:\\old.mp3", "C:\\old"};  // an unreadable number keeps its value
        LoadSettings(values, ini, "C:\\Saver");
        EXPECT_EQ(std::tie(values.bgmKind, values.bgmRepeat, values.bgmFile, values.bgmFolder),
                  std::tie(loaded.bgmKind, loaded.bgmRepeat, loaded.bgmFile, loaded.bgmFolder));
    }
}

}  // namespace
