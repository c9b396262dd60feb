// The music player over a recording MCI: the command sequences of CD and MP3 music, the watch
// tick by tick, and replies read through fixed buffers that a device may fill. (WAV music is
// heard in the Wine rows.)
#include <gtest/gtest.h>

#include <functional>

#include "music_player.h"
#include "settings.h"

using std::string;

namespace {

// How a call is answered: by the first row whose text it holds, else with success and a reply
// longer than any buffer.
struct Answer {
    string part;
    uint32_t code = 0;  // a failing call writes nothing
    string reply;
};

// Logs every command as text, each ended by "; ", with the buffer size handed where there is one:
// "status cdaudio mode [255]", "error 263 [256]" (the error text lookup).
struct RecordingMci : MciInterface {
    uint32_t SendString(const char* command, char* reply, uint32_t size) override
    {
        const Answer answer = Record(command, size);
        // Written as a device writes: nothing on a failure, else cut to the size, the NUL only
        // where it fits.
        const size_t written = answer.code ? size : answer.reply.copy(reply, size);
        if (written < size)
            reply[written] = '\0';
        return answer.code;
    }
    bool GetErrorString(uint32_t code, char* to, uint32_t size) override
    {
        return !SendString(("error " + std::to_string(code)).c_str(), to, size);
    }
    uint32_t WaveOutDeviceCount() override { return 0; }
    bool PlaySound(const char*, uint32_t) override { return false; }
    Answer Record(const string& call, uint32_t size)
    {
        log += call + (size ? " [" + std::to_string(size) + "]; " : "; ");
        for (const Answer& answer : answers)
            if (call.find(answer.part) != string::npos)
                return answer;
        return {"", 0, string(600, 'x')};
    }

    std::vector<Answer> answers;
    string log;
};

// The player call by call: {CD repeat track, call, the device's answers, the calls it makes}.
TEST(MusicPlayer, CallByCall)
{
    using P = MusicPlayer;
    RecordingMci mci;
    Settings settings{0, 0, "s.mp3", ""};
    MusicPlayer player{mci, settings};
    const auto Watch = [&mci](P& p) {
        if (!p.CdWatch())
            mci.log += "watch ends";
    };
    const string track = "status cdaudio current track [512]; ";
    const string counted = track + "status cdaudio number of tracks [512]; ";
    const string watched = counted + "status cdaudio mode [255]; ";
    const string replay3 =
        watched + "status cdaudio position track 3 [512]; play cdaudio from 03:00:00:00 [512]; ";
    const Answer stopped = {"mode", 0, "stopped" + string(300, 'x')};
    const string mode = "status MP3Play mode [30]; ";
    const std::tuple<int16_t, std::function<void(P&)>, std::vector<Answer>, string> steps[] = {
        {0, &P::CdOpen, {}, "open cdaudio; set cdaudio time format tmsf; "},
        // The watch plays a stopped disc (repeat 0) and replays the repeat track when the disc
        // stopped or left it; it reads the track reply as the number it starts with and the mode
        // by its first seven characters. Replies and error texts overrun their buffers (512, 256;
        // the mode's 255 of 256).
        {0, Watch, {stopped}, watched + "play cdaudio [512]; "},
        {0, Watch, {}, watched},
        {19, Watch, {{"current", 0, "\t19 "}}, watched},
        {3, Watch, {{"current", 0, "4"}}, replay3},
        {3, Watch, {stopped, {"current", 0, " 3"}}, replay3},
        {3, Watch, {{"current", 266}}, track + "error 266 [256]; watch ends"},
        {3, Watch, {{"number", 0, "driver error"}}, counted + "watch ends"},
        {0, &P::CdClose, {}, "stop cdaudio; close cdaudio; "},
        {0, &P::Mp3Start, {},
         "open \"s.mp3\" type MPEGVideo Alias MP3Play; play MP3Play; "},
        // A failing mode query writes nothing, so the last mode stands; a longer one fills the 30
        // characters.
        {0, &P::Mp3Loop, {{"mode", 0, "stopped"}}, mode + "stop MP3Play; play MP3Play from 0; "},
        {0, &P::Mp3Loop, {{"mode", 0, "playing" + string(40, '!')}}, mode},
        {0, &P::Mp3Loop, {{"mode", 263}}, mode},
        {0, &P::Mp3Close, {}, "stop MP3Play; close MP3Play; "}};
    for (const auto& [repeat, call, answers, calls] : steps) {
        settings.bgmRepeat = repeat;
        mci.answers = answers;
        mci.answers.push_back({"position track 3", 0, "03:00:00:00"});
        call(player);
        EXPECT_EQ(std::exchange(mci.log, ""), calls);
    }
}

}  // namespace
