// The player's MCI helpers: replies and error texts through fixed buffers, the "Error:" form,
// play commands, and how a reply reads as a track number.
#include <gtest/gtest.h>
#include <iconv.h>

#include "fake_mci.h"
#include "mci_text.h"
#include "settings.h"

namespace {

// `utf8` in the Japanese ANSI code page, as the player keeps its own texts.
std::string ShiftJis(const std::string& utf8)
{
    iconv_t cd = iconv_open("CP932", "UTF-8");
    EXPECT_NE(cd, iconv_t(-1));
    std::string in(utf8), out(utf8.size() * 2, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    size_t inLeft = in.size(), outLeft = out.size();
    EXPECT_NE(iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft), size_t(-1));
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

class MciHelpers : public ::testing::Test {
protected:
    FakeMci mci;
    Settings settings;
    MusicPlayer player{mci, settings};
};

struct SendRow {
    const char* name;
    std::vector<FakeMci::Answer> answers;
    std::vector<std::pair<uint32_t, std::string>> errorTexts;
    bool errorTextTerminated;
    int32_t code;
    std::string reply;
};

TEST_F(MciHelpers, SendMciTakesReplyOrErrorTextWithinItsBuffers)
{
    const std::string full(512, 'r');
    const std::string fullError(256, 'e');
    const std::vector<SendRow> rows = {
        {"reply", {{"status", 0, "stopped"}}, {}, true, 0, "stopped"},
        {"reply up to its first NUL", {{"status", 0, std::string("play\0ing", 8)}}, {}, true, 0, "play"},
        {"reply filling the buffer without NUL", {{"status", 0, full, false}}, {}, true, 0, full},
        {"reply longer than the buffer", {{"status", 0, full + "overflow", false}}, {}, true, 0, full},
        {"error text", {{"status", 263, "ignored"}}, {{263, "The device is not open."}}, true, 263,
         "The device is not open."},
        {"error text filling its buffer", {{"status", 277}}, {{277, fullError + "more"}}, false, 277, fullError},
        {"error text unavailable", {{"status", 263}}, {}, true, 263,
         ShiftJis("Error (文字列が取れません)")},
    };
    for (const SendRow& row : rows) {
        SCOPED_TRACE(row.name);
        mci.answers = row.answers;
        mci.errorTexts = row.errorTexts;
        mci.errorTextTerminated = row.errorTextTerminated;
        std::string reply = "stale";
        EXPECT_EQ(player.SendMci("status cdaudio mode", reply), row.code);
        EXPECT_EQ(reply, row.reply);
        EXPECT_EQ(mci.replySizes.back(), 512u);
    }
}

TEST_F(MciHelpers, EmptyCommandIsRefusedWithoutReachingTheDevice)
{
    std::string reply;
    EXPECT_EQ(player.SendMci("", reply), -1);
    EXPECT_EQ(reply, ShiftJis("コマンド文字列が指定されていません"));
    EXPECT_EQ(player.QueryMci(""), "Error:-1");
    EXPECT_TRUE(mci.calls.empty());
}

TEST_F(MciHelpers, QueryMciGivesTheReplyOrTheErrorCode)
{
    mci.answers = {{"status cdaudio current track", 0, "4"}, {"status cdaudio number", 263}};
    mci.errorTexts = {{263, "The device is not open."}};
    EXPECT_EQ(player.QueryMci("status cdaudio current track"), "4");
    EXPECT_EQ(player.mciReplyText, "4");
    EXPECT_EQ(player.QueryMci("status cdaudio number of tracks"), "Error:263");
    EXPECT_EQ(player.mciReplyText, "The device is not open.");
}

TEST_F(MciHelpers, PlayDeviceAddsOnlyTheGivenPositions)
{
    mci.answers = {{"play", 0, "done"}};
    EXPECT_EQ(player.PlayDevice("cdaudio", "", ""), 0);
    player.PlayDevice("cdaudio", "03:00:00:00", "");
    player.PlayDevice("MP3Play", "", "5000");
    player.PlayDevice("MP3Play", "0", "5000");
    EXPECT_EQ(mci.calls, (std::vector<std::string>{"play cdaudio", "play cdaudio from 03:00:00:00",
                                                   "play MP3Play to 5000", "play MP3Play from 0 to 5000"}));
    EXPECT_EQ(player.mciReplyText, "done");
}

TEST(LeadingNumber, ReadsTheNumberAReplyStartsWith)
{
    const struct {
        const char* text;
        int64_t value;
    } rows[] = {
        {"3", 3},     {" 3", 3},   {"\t 7\r\n", 7}, {"", 0},   {"abc", 0},       {"12abc", 12},
        {"-2", -2},   {"+4", 4},   {"3.7", 3},      {"- 1", 0}, {"0003", 3},
        {"99999999999999999999", int64_t(1) << 32},
    };
    for (const auto& row : rows)
        EXPECT_EQ(LeadingNumber(row.text), row.value) << '"' << row.text << '"';
}

}  // namespace
