// The music player over a recording MCI: the command sequences of CD, MP3 and WAV music, the
// watch tick by tick, and replies read through fixed buffers that a device may fill.
#include <gtest/gtest.h>

#include "music_player.h"
#include "settings.h"

namespace {

// Logs every call as text, with the buffer size handed where there is one: "status cdaudio mode
// [255]", "error 263 [256]" (the error text lookup), "waveOutGetNumDevs", and a sound played as
// its file name with the flags ("C:\a.wav [9]"). Each call is answered by the first row whose
// prefix it starts with.
struct RecordingMci : MciInterface {
    struct Answer {
        std::string prefix;
        uint32_t code = 0;  // a failing call writes nothing; the device count for waveOutGetNumDevs
        std::string reply = "";
    };

    uint32_t SendString(const char* command, char* reply, uint32_t size) override
    {
        const Answer answer = Record(command, size);
        // Written as a device writes: nothing on a failure, else cut to the size, the NUL only where it fits.
        const size_t written = answer.code ? size : answer.reply.copy(reply, size);
        if (written < size)
            reply[written] = '\0';
        return answer.code;
    }
    bool GetErrorString(uint32_t code, char* to, uint32_t size) override
    {
        return !SendString(("error " + std::to_string(code)).c_str(), to, size);
    }
    uint32_t WaveOutDeviceCount() override { return Record("waveOutGetNumDevs", 0).code; }
    bool PlaySound(const char* name, uint32_t flags) override { return !Record(name ? name : "null", flags).code; }

    Answer Record(const std::string& call, uint32_t size)
    {
        calls.push_back(call + (size ? " [" + std::to_string(size) + "]" : ""));
        const auto is = [&](const Answer& answer) { return call.starts_with(answer.prefix); };
        const auto found = std::find_if(answers.begin(), answers.end(), is);
        return found == answers.end() ? Answer{} : *found;
    }
    // Stops at the first call that differs from `expected`, naming it; the calls are forgotten.
    void Expect(const std::vector<std::string>& expected)
    {
        const std::vector<std::string> got = std::exchange(calls, {});
        for (size_t i = 0; i < std::max(got.size(), expected.size()); ++i)
            ASSERT_EQ(i < got.size() ? got[i] : "none", i < expected.size() ? expected[i] : "none") << "call " << i + 1;
    }

    std::vector<Answer> answers;
    std::vector<std::string> calls;
};

struct MusicPlayerTest : ::testing::Test {
    RecordingMci mci;
    Settings settings{0, 0, "C:\\m\\song.mp3", ""};
    MusicPlayer player{mci, settings};
};

TEST_F(MusicPlayerTest, CdWatchTickByTick)
{
    const std::string track = "status cdaudio current track [512]", count = "status cdaudio number of tracks [512]";
    const std::string mode = "status cdaudio mode [255]";
    const std::vector<std::string> queries = {track, count, mode};
    const auto drive = [](const std::string& current, const std::string& state) {
        return std::vector<RecordingMci::Answer>{{"status cdaudio cu", 0, current}, {"status cdaudio mode", 0, state},
            {"status cdaudio position track 3", 0, "03:00:00:00"}, {"status cdaudio position", 263}};
    };
    const std::vector<std::string> replay3 = {track, count, mode, "status cdaudio position track 3 [512]",
                                              "play cdaudio from 03:00:00:00 [512]"};
    // {repeat track, the drive's answers, the calls of one tick, whether the watch goes on}. The track
    // reply is read as the number it starts with. Replies and error texts fill and overrun their buffers
    // (512, 256; the mode's 255 of 256) unterminated.
    const std::tuple<int16_t, std::vector<RecordingMci::Answer>, std::vector<std::string>, bool> ticks[] = {
        {4, drive("4", "playing"), queries, true},
        {0, drive("10", "stopped" + std::string(300, 'x')), {track, count, mode, "play cdaudio [512]"}, true},
        {19, drive("\t19" + std::string(600, ' '), "playing"), queries, true},
        {3, drive("4", "playing"), replay3, true},
        {3, drive(" 3", "stopped"), replay3, true},
        {3, {{"status cdaudio cu", 266}, {"error", 0, std::string(300, 'e')}}, {track, "error 266 [256]"}, false},
        {12, drive("1", "stopped"), {track, count, mode, "status cdaudio position track 12 [512]", "error 263 [256]"},
         true},
        {3, {{"status cdaudio number", 0, "driver error"}}, {track, count}, false},
    };
    for (size_t i = 0; i < std::size(ticks); ++i) {
        const auto& [repeat, answers, calls, active] = ticks[i];
        settings.bgmRepeat = repeat;
        mci.answers = answers;
        EXPECT_EQ((std::pair{player.CdWatch(), player.cdWatchActive}), std::pair(active, active)) << "tick " << i + 1;
        mci.Expect(calls);
    }
    player.CdOpen();
    player.CdClose();
    mci.Expect({"open cdaudio", "set cdaudio time format tmsf", "stop cdaudio", "close cdaudio"});
}

TEST_F(MusicPlayerTest, Mp3RestartsWheneverItIsNotPlayingAndWavLoopsWithADevice)
{
    const std::string status = "status MP3Play mode [30]";
    const std::vector<std::string> restart = {status, "stop MP3Play", "play MP3Play from 0"};
    // A failing query writes nothing, so the last mode stands; a longer one fills the 30 characters.
    const std::pair<RecordingMci::Answer, std::vector<std::string>> ticks[] = {
        {{"status", 0, "playing"}, {status}}, {{"status", 0, "stopped"}, restart}, {{"status", 263}, restart},
        {{"status", 0, "playing" + std::string(40, '!')}, {status}}, {{"status", 263}, {status}},
        {{"status", 0, "playin"}, restart}};
    for (const auto& [answer, calls] : ticks) {
        mci.answers = {answer};
        player.Mp3Loop();
        mci.Expect(calls);
    }
    const std::string open = "open \"C:\\m\\song.mp3\" type MPEGVideo Alias MP3Play";
    player.Mp3Start();
    mci.answers = {{"open", 277}};
    player.Mp3Start();
    player.Mp3Close();
    player.WavStart();
    mci.answers = {{"waveOutGetNumDevs", 1}};
    player.WavStart();
    player.WavStop();
    mci.Expect({open, "play MP3Play", open, "stop MP3Play", "close MP3Play", "waveOutGetNumDevs", "waveOutGetNumDevs",
                "C:\\m\\song.mp3 [9]", "null"});
}

}  // namespace
