// Zirel.ini: its number texts and the load over a scripted profile (with the chooser's folder).
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "random_text.h"
#include "settings_file.h"
#include "words.h"

using std::string;
using std::map;

namespace {

using Text = const string&;

// Answers from its values, each named by file, section and key; "m\a.wav" opens as a file, and
// so do the files it has times for. A file it may write gets each write a tick after the last.
struct ScriptedIni : ProfileStore {
    string Read(Text section, Text key, Text ini) override
    {
        return values[ini + section + key];
    }
    bool Write(Text section, Text key, Text value, Text ini) override
    {
        if (writable[ini]-- <= 0)
            return false;
        values[ini + section + key] = value;
        times[ini] = ++clock;
        return true;
    }
    bool Opens(Text path) override { return path == "m\\a.wav" || times.contains(path); }
    int64_t WriteTime(Text path) override { return times.contains(path) ? times[path] : 0; }
    bool RemoveFile(Text path) override { return removable.contains(path) && times.erase(path); }
    void MakeFolder(Text) override {}
    map<string, string> values;
    map<string, int64_t> times;
    map<string, int> writable;  // how many writes each file takes
    std::set<string> removable;
    int64_t clock = 2;
};

TEST(SettingsFile, NumbersAndLoad)
{
    // A value's text and its number: the whole part toward minus infinity, when it fits 16 bits.
    string numbers;
    for (const char* text :
         {"-0.5", "\t7 ", "1E+1", "2e1", "-32768", "32768", "-32768.5", "", "1e999"})
        numbers += ParseSettingNumber(text) ? Words(*ParseSettingNumber(text)) + "," : "none,";
    EXPECT_EQ(numbers, "-1,7,10,20,-32768,none,none,none,none,");
    // The keys' Shift-JIS bytes in Zirel.ini beside the program:
    // BGM区分, BGMﾘﾋﾟｰﾄ, BGMﾌｧｲﾙ.
    const char* const keys[] = {
        "BGM\x8B\xE6\x95\xAA", "BGM\xD8\xCB\xDF\xB0\xC4", "BGM\xCC\xA7\xB2\xD9"};
    // {the file's three values (none where empty), what they load over 1 5 old old}: a
    // missing value reads as 0, an unreadable number keeps its value, a music file that does not
    // open is dropped and a file run with it.
    const std::pair<std::array<const char*, 3>, const char*> rows[] = {
        {{" 2", "3", "m\\a.wav"}, "2 3 m\\a.wav m"},
        {{" 2", "", "m\\gone.mp3"}, "0 0  S"},
        {{"abc", "99999", "m"}, "1 5  S"}};
    for (const auto& [texts, loaded] : rows) {
        ScriptedIni ini;
        for (int i = 0; i < 3; ++i)
            if (*texts[i])
                ini.values["S\\Zirel.iniSection" + string(keys[i])] = texts[i];
        Settings values{1, 5, "old", "old"};
        LoadSettings(values, ini, "S", "");
        EXPECT_EQ(Words(values.bgmKind, values.bgmRepeat, values.bgmFile, values.bgmFolder),
                  loaded);
    }
}

TEST(SettingsFile, SavedWhereItIsReadAgain)
{
    using enum SaveResult;
    const string beside = "S\\Zirel.ini";
    const string own = "own";
    // {the writes each file takes, the files that can be removed; the result; the track read
    // again} with the user's copy, newer than the file beside, holding track 3: a copy that can be
    // neither removed nor rewritten (even one that took a write, then refused) is older than the
    // file saved beside, and not read.
    const std::tuple<map<string, int>, std::set<string>, SaveResult, int> rows[] = {
        {{{beside, 9}}, {own}, Beside, 7},
        {{{beside, 9}, {own, 9}}, {}, Beside, 7},
        {{{beside, 9}, {own, 1}}, {}, BesideOnly, 7},
        {{{own, 9}}, {}, PerUser, 7},
        {{}, {}, Failed, 3}};
    for (const auto& [writable, removable, result, track] : rows) {
        ScriptedIni ini;
        ini.writable = writable;
        ini.removable = removable;
        ini.times = {{beside, 1}, {own, 2}};
        ini.values[own + kSettingsSection + kKeyBgmRepeat] = "3";
        EXPECT_EQ(SaveSettings(Settings{0, 7, "", ""}, ini, "S", own), result);
        Settings loaded;
        LoadSettings(loaded, ini, "S", own);
        EXPECT_EQ(loaded.bgmRepeat, track);
    }
    // Without a copy the file beside is all there is to write.
    ScriptedIni fresh;
    fresh.writable = {{beside, 9}};
    EXPECT_EQ(SaveSettings(Settings{}, fresh, "S", own), Beside);
}

}  // namespace

// Random value texts: a number that was read reads the same from the text written for it.
TEST(SettingsFile, RandomValues)
{
    for (int n = 0; n < 3000; ++n) {
        const RandomText text = MakeRandomText(" \t+-.0123456789eE", 2, n);
        for (const char* past : {"5", ".5", "e5"}) {  // what a read past the end would find
            const string followed = string(text.View()) + past;
            const std::string_view same(followed.data(), text.size);
            EXPECT_EQ(ParseSettingNumber(same), ParseSettingNumber(text.View())) << n;
        }
        if (const std::optional<int16_t> number = ParseSettingNumber(text.View())) {
            EXPECT_EQ(ParseSettingNumber(SettingNumberText(*number)), number) << n;
        }
    }
}
