// The run's decisions: music type of a file, and the renderer watch tick by tick.
#include <gtest/gtest.h>

#include "saver_run_rules.h"

namespace {

TEST(MusicTypeOf, ReadsTheLastThreeCharactersInAnyCase)
{
    EXPECT_EQ(MusicTypeOf("C:\\m\\song.mp3"), MusicType::Mp3);
    EXPECT_EQ(MusicTypeOf("C:\\m\\SONG.Mp3"), MusicType::Mp3);
    EXPECT_EQ(MusicTypeOf("C:\\m\\loop.wav"), MusicType::Wav);
    EXPECT_EQ(MusicTypeOf("C:\\m\\loop.WAV"), MusicType::Wav);
    EXPECT_EQ(MusicTypeOf("C:\\m\\tune.mid"), MusicType::None);
    EXPECT_EQ(MusicTypeOf("C:\\m\\mp3"), MusicType::Mp3);  // only the ending counts
    EXPECT_EQ(MusicTypeOf("wav"), MusicType::Wav);
    EXPECT_EQ(MusicTypeOf("av"), MusicType::None);
    EXPECT_EQ(MusicTypeOf(""), MusicType::None);
}

struct Tick {
    bool windowFound;
    bool processEnded;
    WatchAction expected;
    bool seenAfter;
};

void RunTicks(const char* name, std::initializer_list<Tick> ticks)
{
    bool seen = false;
    int step = 0;
    for (const Tick& tick : ticks) {
        ++step;
        EXPECT_EQ(RendererWatchStep(seen, tick.windowFound, tick.processEnded), tick.expected)
            << name << ", tick " << step;
        if (tick.expected == WatchAction::KeepWaiting) {
            EXPECT_EQ(seen, tick.seenAfter) << name << ", tick " << step;
        }
    }
}

constexpr auto Wait = WatchAction::KeepWaiting;
constexpr auto End = WatchAction::EndRun;

TEST(RendererWatch, EndsWhenTheWindowHasComeAndGone)
{
    RunTicks("slow start", {{false, false, Wait, false}, {false, false, Wait, false},
                            {true, false, Wait, true}, {true, false, Wait, true},
                            {false, false, End, true}});
}

TEST(RendererWatch, EndsWhenTheProcessEndsWhateverTheWindow)
{
    RunTicks("never showed a window", {{false, false, Wait, false}, {false, true, End, false}});
    RunTicks("could not start", {{false, true, End, false}});
    RunTicks("killed while its window shows", {{true, false, Wait, true}, {true, true, End, true}});
    RunTicks("gone between two ticks", {{true, false, Wait, true}, {false, true, End, true}});
}

}  // namespace
