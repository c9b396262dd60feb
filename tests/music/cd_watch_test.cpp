// Audio CD: opening and closing the drive, and each branch of one watch step.
#include <gtest/gtest.h>

#include "fake_mci.h"
#include "settings.h"

namespace {

using Commands = std::vector<std::string>;

const std::string kTrack = "status cdaudio current track";
const std::string kCount = "status cdaudio number of tracks";
const std::string kMode = "status cdaudio mode";

// A drive on `track` of 10 in `mode`; track N starts at "0N:00:00:00".
std::vector<FakeMci::Answer> Drive(const std::string& track, const std::string& mode)
{
    return {{kTrack, 0, track},
            {kCount, 0, "10"},
            {kMode, 0, mode},
            {"status cdaudio position track 3", 0, "03:00:00:00"},
            {"status cdaudio position track", 263}};
}

class CdMusic : public ::testing::Test {
protected:
    FakeMci mci;
    Settings settings;
    MusicPlayer player{mci, settings};
};

TEST_F(CdMusic, OpenSetsTrackTimeAndCloseStopsFirst)
{
    player.CdOpen();
    player.CdClose();
    EXPECT_EQ(mci.calls, (Commands{"open cdaudio", "set cdaudio time format tmsf", "stop cdaudio", "close cdaudio"}));
    EXPECT_EQ(mci.replySizes, (std::vector<uint32_t>{0, 0, 0, 0}));
}

struct WatchRow {
    const char* name;
    int16_t repeat;
    std::vector<FakeMci::Answer> answers;
    Commands sent;  // after the two track queries and the mode query
    bool active;
};

TEST_F(CdMusic, WatchStep)
{
    const std::string fullMode = "stopped" + std::string(300, 'x');
    const std::vector<WatchRow> rows = {
        {"no repeat, stopped: play on", 0, Drive("10", "stopped"), {"play cdaudio"}, true},
        {"no repeat, playing: nothing", 0, Drive("4", "playing"), {}, true},
        {"repeat 3, still on track 3", 3, Drive("3", "playing"), {}, true},
        {"repeat 3, track 4 has begun", 3, Drive("4", "playing"),
         {"status cdaudio position track 3", "play cdaudio from 03:00:00:00"}, true},
        {"repeat 3, stopped on track 3", 3, Drive(" 3", "stopped"),
         {"status cdaudio position track 3", "play cdaudio from 03:00:00:00"}, true},
        {"repeat 3, track text not a number reads as 0", 3, Drive("abc", "playing"),
         {"status cdaudio position track 3", "play cdaudio from 03:00:00:00"}, true},
        {"repeat beyond the disc: no play, watch goes on", 12, Drive("1", "stopped"),
         {"status cdaudio position track 12"}, true},
        {"mode filling the whole buffer", 0, {{kMode, 0, fullMode, false}}, {"play cdaudio"}, true},
        {"mode query failing", 0, {{kMode, 263}}, {}, true},
    };
    for (const WatchRow& row : rows) {
        SCOPED_TRACE(row.name);
        settings.bgmRepeat = row.repeat;
        mci.answers = row.answers;
        mci.calls.clear();
        mci.replySizes.clear();
        player.cdWatchActive = !row.active;
        EXPECT_EQ(player.CdWatch(), row.active);
        EXPECT_EQ(player.cdWatchActive, row.active);
        Commands expected = {kTrack, kCount, kMode};
        expected.insert(expected.end(), row.sent.begin(), row.sent.end());
        EXPECT_EQ(mci.calls, expected);
        ASSERT_GE(mci.replySizes.size(), 3u);
        EXPECT_EQ(mci.replySizes[2], 255u);
    }
}

TEST_F(CdMusic, FailingTrackQueryEndsTheWatch)
{
    const struct {
        const char* name;
        std::vector<FakeMci::Answer> answers;
        Commands sent;
    } rows[] = {
        {"no disc", {{kTrack, 266}}, {kTrack}},
        {"track count refused", {{kTrack, 0, "1"}, {kCount, 263}}, {kTrack, kCount}},
        {"device answers with an error text", {{kTrack, 0, "1"}, {kCount, 0, "driver error"}}, {kTrack, kCount}},
    };
    for (int repeat : {0, 3}) {
        for (const auto& row : rows) {
            SCOPED_TRACE(std::string(row.name) + ", repeat " + std::to_string(repeat));
            settings.bgmRepeat = int16_t(repeat);
            mci.answers = row.answers;
            mci.calls.clear();
            EXPECT_FALSE(player.CdWatch());
            EXPECT_FALSE(player.cdWatchActive);
            EXPECT_EQ(mci.calls, row.sent);
        }
    }
}

TEST_F(CdMusic, FailureInsideAStepEndsTheWatch)
{
    mci.answers = {{kTrack, 0, "1"}, {kCount, 0, "10"}, {kMode, 0, "", true, true, true}};
    EXPECT_FALSE(player.CdWatch());
    EXPECT_FALSE(player.cdWatchActive);
}

}  // namespace
