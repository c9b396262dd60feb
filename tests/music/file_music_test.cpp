// MP3 and WAV files: starting, restarting whenever the device stops, and stopping.
#include <gtest/gtest.h>

#include "fake_mci.h"
#include "settings.h"

namespace {

using Commands = std::vector<std::string>;

const std::string kOpen = "open \"C:\\m\\song.mp3\" type MPEGVideo Alias MP3Play";
const std::string kStatus = "status MP3Play mode";

class FileMusic : public ::testing::Test {
protected:
    FileMusic() { settings.bgmFile = "C:\\m\\song.mp3"; }

    FakeMci mci;
    Settings settings;
    MusicPlayer player{mci, settings};
};

TEST_F(FileMusic, Mp3StartsOnlyWhenItOpens)
{
    player.Mp3Start();
    EXPECT_EQ(mci.calls, (Commands{kOpen, "play MP3Play"}));

    mci.calls.clear();
    mci.answers = {{"open", 277}};
    player.Mp3Start();
    EXPECT_EQ(mci.calls, (Commands{kOpen}));
}

TEST_F(FileMusic, Mp3RestartsFromTheStartWheneverItIsNotPlaying)
{
    // Each step: what the mode query does, and whether the file is restarted.
    const struct {
        FakeMci::Answer mode;
        bool restarted;
    } steps[] = {
        {{kStatus, 0, "playing"}, false},
        {{kStatus, 0, "paused"}, true},
        {{kStatus, 0, "playing" + std::string(40, '!'), false}, false},  // longer than the buffer
        {{kStatus, 0, "playin"}, true},
        {{kStatus, 0, "stopped"}, true},
        {{kStatus, 263, "", true, false}, true},   // no answer: the last mode still stands
        {{kStatus, 0, "playing"}, false},
        {{kStatus, 263, "", true, false}, false},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE("step " + std::to_string(i));
        mci.answers = {steps[i].mode};
        mci.calls.clear();
        mci.replySizes.clear();
        player.Mp3Loop();
        Commands expected = {kStatus};
        if (steps[i].restarted) {
            expected.push_back("stop MP3Play");
            expected.push_back("play MP3Play from 0");
        }
        EXPECT_EQ(mci.calls, expected);
        EXPECT_EQ(mci.replySizes.front(), 30u);
    }
}

TEST_F(FileMusic, Mp3CloseStopsFirst)
{
    player.Mp3Close();
    EXPECT_EQ(mci.calls, (Commands{"stop MP3Play", "close MP3Play"}));
}

TEST_F(FileMusic, WavLoopsOnlyWithAnOutputDevice)
{
    settings.bgmFile = "C:\\m\\tune.wav";
    mci.devices = 0;
    player.WavStart();
    player.WavStop();
    mci.devices = 1;
    player.WavStart();
    player.WavStop();
    EXPECT_EQ(mci.calls, (Commands{"waveOutGetNumDevs", "PlaySound (null) 0", "waveOutGetNumDevs",
                                   "PlaySound C:\\m\\tune.wav 9", "PlaySound (null) 0"}));
}

}  // namespace
