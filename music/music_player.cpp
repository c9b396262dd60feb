// Background music over the MCI command strings: audio CD with an optional repeat track, an MP3
// file restarted whenever it stops, a WAV file looped by the sound system.
#include "music_player.h"

#include "mci_text.h"
#include "settings.h"

namespace {

// The two texts the module makes up itself. They are kept as Shift-JIS bytes so that
// mciReplyText holds ANSI-code-page text whatever it came from, like the device replies and
// error texts the A functions hand back. Neither is ever shown or sent to a device.
// "コマンド文字列が指定されていません"
constexpr char kNoCommandText[] =
    "\x83\x52\x83\x7d\x83\x93\x83\x68\x95\xb6\x8e\x9a\x97\xf1\x82\xaa\x8e\x77\x92\xe8"
    "\x82\xb3\x82\xea\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1";
// "Error (文字列が取れません)"
constexpr char kNoErrorText[] =
    "Error (\x95\xb6\x8e\x9a\x97\xf1\x82\xaa\x8e\xe6\x82\xea\x82\xdc\x82\xb9\x82\xf1)";

// Buffer sizes in characters, as handed to winmm.
constexpr uint32_t kReplySize = 512;
constexpr uint32_t kErrorSize = 256;
constexpr uint32_t kCdModeSize = 256;
constexpr uint32_t kCdModePassed = 255;  // the CD mode query has always passed one less

// PlaySoundA flags: SND_ASYNC | SND_LOOP.
constexpr uint32_t kSndAsync = 0x0001;
constexpr uint32_t kSndLoop = 0x0008;

// "playing", "stopped", ...: only the first seven characters of a mode reply are compared.
bool ModeIs(const char* buffer, size_t size, const char* mode)
{
    return TextUpToNul(buffer, size).substr(0, 7) == mode;
}

}  // namespace

MusicPlayer::MusicPlayer(MciInterface& mci, const Settings& settings) : mci_(mci), settings_(settings) {}

int32_t MusicPlayer::SendMci(const std::string& command, std::string& reply)
{
    if (command.empty()) {
        reply = kNoCommandText;
        return -1;
    }
    // One spare character past what winmm is told, so the text ends even if a device fills
    // the whole buffer without a terminator.
    char replyBuffer[kReplySize + 1] = {};
    const uint32_t code = mci_.SendString(command.c_str(), replyBuffer, kReplySize);
    if (code != 0) {
        char errorBuffer[kErrorSize + 1] = {};
        reply = mci_.GetErrorString(code, errorBuffer, kErrorSize) ? TextUpToNul(errorBuffer, kErrorSize)
                                                                   : std::string(kNoErrorText);
        return int32_t(code);
    }
    reply = TextUpToNul(replyBuffer, kReplySize);
    return 0;
}

std::string MusicPlayer::QueryMci(const std::string& command)
{
    const int32_t code = SendMci(command, mciReplyText);
    return code == 0 ? mciReplyText : "Error:" + std::to_string(code);
}

int32_t MusicPlayer::PlayDevice(const std::string& device, const std::string& from, const std::string& to)
{
    std::string command = "play " + device;
    if (!from.empty())
        command += " from " + from;
    if (!to.empty())
        command += " to " + to;
    return SendMci(command, mciReplyText);
}

void MusicPlayer::CdOpen()
{
    mci_.SendString("open cdaudio", nullptr, 0);
    mci_.SendString("set cdaudio time format tmsf", nullptr, 0);
}

bool MusicPlayer::CdWatch()
{
    cdWatchActive = true;
    try {
        const std::string track = QueryMci("status cdaudio current track");
        if (IsErrorReply(track))
            return cdWatchActive = false;
        if (IsErrorReply(QueryMci("status cdaudio number of tracks")))
            return cdWatchActive = false;

        char modeBuffer[kCdModeSize] = {};
        mci_.SendString("status cdaudio mode", modeBuffer, kCdModePassed);
        const bool stopped = ModeIs(modeBuffer, kCdModePassed, "stopped");

        const int32_t repeat = settings_.bgmRepeat;
        if (repeat == 0) {
            if (stopped)
                PlayDevice("cdaudio", "", "");
        } else if (stopped || LeadingNumber(track) != repeat) {
            const std::string position = QueryMci("status cdaudio position track " + std::to_string(repeat));
            // A track beyond the disc has no position; playing "from Error:..." would only be
            // refused again every step, so nothing is sent and the watch carries on.
            if (!IsErrorReply(position))
                PlayDevice("cdaudio", position, "");
        }
    } catch (...) {
        // Any failure inside a step ends the watch rather than escaping into the timer.
        cdWatchActive = false;
    }
    return cdWatchActive;
}

void MusicPlayer::CdClose()
{
    mci_.SendString("stop cdaudio", nullptr, 0);
    mci_.SendString("close cdaudio", nullptr, 0);
}

void MusicPlayer::Mp3Start()
{
    const std::string open = "open \"" + settings_.bgmFile + "\" type MPEGVideo Alias MP3Play";
    if (mci_.SendString(open.c_str(), nullptr, 0) == 0)
        mci_.SendString("play MP3Play", nullptr, 0);
}

bool MusicPlayer::Mp3IsPlaying()
{
    // The buffer is not cleared: a query that writes nothing leaves the previous mode in place.
    mci_.SendString("status MP3Play mode", mp3ModeBuffer_, kMp3ModeSize);
    mp3ModeBuffer_[kMp3ModeSize] = '\0';
    return ModeIs(mp3ModeBuffer_, kMp3ModeSize, "playing");
}

void MusicPlayer::Mp3Loop()
{
    if (Mp3IsPlaying())
        return;
    mci_.SendString("stop MP3Play", nullptr, 0);
    mci_.SendString("play MP3Play from 0", nullptr, 0);
}

void MusicPlayer::Mp3Close()
{
    mci_.SendString("stop MP3Play", nullptr, 0);
    mci_.SendString("close MP3Play", nullptr, 0);
}

void MusicPlayer::WavStart()
{
    if (mci_.WaveOutDeviceCount() > 0)
        mci_.PlaySound(settings_.bgmFile.c_str(), kSndAsync | kSndLoop);
}

void MusicPlayer::WavStop()
{
    mci_.PlaySound(nullptr, 0);
}

