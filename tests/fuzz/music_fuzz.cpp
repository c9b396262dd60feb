// The music player against a device that answers anything: any reply text of any length and any
// bytes, any error codes. Checks that no buffer overruns (AddressSanitizer), that a play command
// never carries an error text as its position, and that the watch ends on a failed query.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "music_player.h"
#include "settings.h"

namespace {

// Answers taken from the fuzz input: per call a code byte, a length byte and that many bytes.
class FuzzedMci final : public MciInterface {
public:
    FuzzedMci(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint32_t SendString(const char* command, char* reply, uint32_t replySize) override
    {
        const std::string text = command ? command : "";
        if (text.rfind("play cdaudio from ", 0) == 0 && text.find("Error") != std::string::npos)
            std::abort();  // an error text must never be sent as a position
        const uint8_t code = Byte();
        const size_t length = Byte() * 3u;  // up to 765 bytes: more than any buffer
        // Worst case for the caller: the reply fills the buffer to its last byte, unterminated.
        for (size_t i = 0; i < length; ++i) {
            const uint8_t c = Byte();
            if (reply && i < replySize)
                reply[i] = char(c);
        }
        return code < 200 ? 0 : code;
    }

    bool GetErrorString(uint32_t, char* buffer, uint32_t size) override
    {
        const bool ok = Byte() & 1;
        if (ok && size > 0)
            std::memset(buffer, 'E', size);  // worst case: no terminator at all
        return ok;
    }

    uint32_t WaveOutDeviceCount() override { return Byte() % 3; }
    bool PlaySound(const char*, uint32_t) override { return true; }

private:
    uint8_t Byte()
    {
        return pos_ < size_ ? data_[pos_++] : 0;
    }

    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    Settings values;
    values.bgmRepeat = int16_t(data[0] % 40 - 2);
    values.bgmFile = "C:\\m\\song.mp3";
    FuzzedMci mci(data + 1, size - 1);
    MusicPlayer player(mci, values);

    player.CdOpen();
    for (int i = 0; i < 8 && player.CdWatch(); ++i) {
    }
    player.CdClose();
    player.Mp3Start();
    for (int i = 0; i < 4; ++i)
        player.Mp3Loop();
    player.Mp3Close();
    player.WavStart();
    player.WavStop();
    return 0;
}
