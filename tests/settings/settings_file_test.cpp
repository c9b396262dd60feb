// Zirel.ini numbers, FolderOf and LoadSettings over a scripted profile.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "settings_file.h"

namespace {

TEST(SettingsKeys, AreTheirShiftJisBytes)
{
    EXPECT_EQ(std::string(kKeyBgmKind), "BGM\x8B\xE6\x95\xAA");
    EXPECT_EQ(std::string(kKeyBgmRepeat), "BGM\xD8\xCB\xDF\xB0\xC4");
    EXPECT_EQ(std::string(kKeyBgmFile), "BGM\xCC\xA7\xB2\xD9");
    EXPECT_EQ(std::string(kSettingsSection), "Section");
}

TEST(ParseSettingNumber, TakesTheWholePartTowardMinusInfinity)
{
    struct Row {
        const char* text;
        std::optional<int16_t> expected;
    } rows[] = {
        {" 2", 2},          {"2", 2},           {"2.9", 2},        {"-0.5", -1},
        {"-3", -3},         {"+4", 4},          {"0", 0},          {"-0", 0},
        {"2 ", 2},          {"\t7", 7},         {".5", 0},         {"1e2", 100},
        {"32767", 32767},   {"-32768", -32768}, {"32767.9", 32767}, {"-32768.5", std::nullopt},
        {"32768", std::nullopt}, {"99999", std::nullopt}, {"abc", std::nullopt},
        {"", std::nullopt}, {" ", std::nullopt}, {"2abc", std::nullopt}, {"1 2", std::nullopt},
        {"-", std::nullopt}, {".", std::nullopt}, {"inf", std::nullopt}, {"nan", std::nullopt},
        {"0x10", std::nullopt}, {"1e", std::nullopt}, {"1e999", std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ParseSettingNumber(row.text), row.expected) << '"' << row.text << '"';
}

TEST(SettingNumberText, HasALeadingBlankUnlessNegative)
{
    EXPECT_EQ(SettingNumberText(2), " 2");
    EXPECT_EQ(SettingNumberText(0), " 0");
    EXPECT_EQ(SettingNumberText(-3), "-3");
    EXPECT_EQ(SettingNumberText(32767), " 32767");
    EXPECT_EQ(SettingNumberText(-32768), "-32768");
    for (int value : {-32768, -3, 0, 2, 32767})
        EXPECT_EQ(ParseSettingNumber(SettingNumberText(value)), value);
}

TEST(FolderOf, KeepsEverythingBeforeTheLastSeparator)
{
    struct Row {
        const char* path;
        const char* folder;
    } rows[] = {
        {"C:\\Music\\a.mp3", "C:\\Music"}, {"C:\\a.mp3", "C:"},     {"a.mp3", ""},
        {"C:\\Music\\", "C:\\Music"},      {"C:a.mp3", "C:"},       {"", ""},
        {"\\\\server\\share\\b.wav", "\\\\server\\share"},          {"C:\\", "C:"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(FolderOf(row.path), row.folder) << row.path;
}

// A profile with values per key and a set of paths that open as files.
class FakeProfile : public ProfileStore {
public:
    std::string Read(const std::string& section, const std::string& key,
                     const std::string& file) override
    {
        reads.push_back(file);
        if (section != kSettingsSection)
            return "";
        const auto found = values.find(key);
        return found == values.end() ? "" : found->second;
    }
    void Write(const std::string&, const std::string&, const std::string&,
               const std::string&) override {}
    bool FileExists(const std::string& path) override { return files.count(path) != 0; }

    std::map<std::string, std::string> values;
    std::set<std::string> files;
    std::vector<std::string> reads;
};

class LoadSettingsTest : public ::testing::Test {
protected:
    Settings Load(Settings start = {})
    {
        LoadSettings(start, profile, "C:\\Saver");
        return start;
    }
    FakeProfile profile;
};

TEST_F(LoadSettingsTest, ReadsZirelIniBesideTheProgram)
{
    const Settings loaded = Load();
    ASSERT_EQ(profile.reads.size(), 3u);
    for (const std::string& file : profile.reads)
        EXPECT_EQ(file, "C:\\Saver\\Zirel.ini");
    EXPECT_EQ(SettingsFilePath("C:\\Saver"), "C:\\Saver\\Zirel.ini");
    // A missing file: no music, the chooser opens in the program folder.
    EXPECT_EQ(loaded.bgmKind, 0);
    EXPECT_EQ(loaded.bgmRepeat, 0);
    EXPECT_EQ(loaded.bgmFile, "");
    EXPECT_EQ(loaded.bgmFolder, "C:\\Saver");
}

TEST_F(LoadSettingsTest, FileRunWithAnExistingFile)
{
    profile.values = {{kKeyBgmKind, " 2"}, {kKeyBgmRepeat, "3"}, {kKeyBgmFile, "C:\\a.wav"}};
    profile.files = {"C:\\a.wav"};
    const Settings loaded = Load();
    EXPECT_EQ(loaded.bgmKind, 2);
    EXPECT_EQ(loaded.bgmRepeat, 3);
    EXPECT_EQ(loaded.bgmFile, "C:\\a.wav");
    EXPECT_EQ(loaded.bgmFolder, "C:");
}

TEST_F(LoadSettingsTest, AMissingFileOrAFolderDropsAFileRunToNoMusic)
{
    for (const char* file : {"C:\\m\\gone.mp3", "C:\\m", "C:\\m\\"}) {
        profile.values = {{kKeyBgmKind, " 2"}, {kKeyBgmFile, file}};
        profile.files = {};  // the fake's "C:\m" is a folder: it does not open as a file
        const Settings loaded = Load();
        EXPECT_EQ(loaded.bgmKind, 0) << file;
        EXPECT_EQ(loaded.bgmFile, "") << file;
        EXPECT_EQ(loaded.bgmFolder, "C:\\Saver") << file;
    }
    profile.values = {{kKeyBgmKind, " 2"}};
    EXPECT_EQ(Load().bgmKind, 0);
}

TEST_F(LoadSettingsTest, ACdRunKeepsItsKindWhateverTheFile)
{
    profile.values = {{kKeyBgmKind, " 1"}, {kKeyBgmRepeat, " 4"}};
    Settings loaded = Load();
    EXPECT_EQ(loaded.bgmKind, 1);
    EXPECT_EQ(loaded.bgmRepeat, 4);
    EXPECT_EQ(loaded.bgmFolder, "C:\\Saver");

    profile.values[kKeyBgmFile] = "D:\\gone.mp3";
    loaded = Load();
    EXPECT_EQ(loaded.bgmKind, 1);
    EXPECT_EQ(loaded.bgmFile, "");
}

TEST_F(LoadSettingsTest, UnreadableNumbersKeepTheValueFromBefore)
{
    Settings before;
    before.bgmKind = 1;
    before.bgmRepeat = 5;
    profile.values = {{kKeyBgmKind, "abc"}, {kKeyBgmRepeat, "99999"}};
    Settings loaded = Load(before);
    EXPECT_EQ(loaded.bgmKind, 1);
    EXPECT_EQ(loaded.bgmRepeat, 5);

    // An empty value is 0, not "unchanged".
    profile.values = {{kKeyBgmKind, ""}, {kKeyBgmRepeat, "-0.5"}};
    loaded = Load(before);
    EXPECT_EQ(loaded.bgmKind, 0);
    EXPECT_EQ(loaded.bgmRepeat, -1);
}

}  // namespace
