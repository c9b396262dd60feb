// A recording MCI interface for the player's tests: every call is logged in order, answers come
// from a script that a test may change between steps.
#pragma once

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "music_player.h"

struct FakeMci : MciInterface {
    // The first answer whose prefix the command starts with is used; none means code 0, no text.
    struct Answer {
        Answer(std::string prefix_, uint32_t code_ = 0, std::string reply_ = "", bool terminate_ = true,
               bool writes_ = true, bool raises_ = false)
            : prefix(std::move(prefix_)), code(code_), reply(std::move(reply_)), terminate(terminate_),
              writes(writes_), raises(raises_)
        {
        }

        std::string prefix;
        uint32_t code = 0;
        std::string reply;
        bool terminate = true;   // false: write the text (cut to the buffer) with no NUL after it
        bool writes = true;      // false: leave the reply buffer untouched
        bool raises = false;     // the call throws, as a failing step might
    };

    std::vector<Answer> answers;
    std::vector<std::string> calls;       // "open cdaudio", "waveOutGetNumDevs", "PlaySound C:\x.wav 9"
    std::vector<uint32_t> replySizes;     // size handed with each command
    std::vector<std::pair<uint32_t, std::string>> errorTexts;  // code -> text; absent: failure
    bool errorTextTerminated = true;
    uint32_t devices = 1;

    uint32_t SendString(const char* command, char* reply, uint32_t replySize) override
    {
        calls.push_back(command);
        replySizes.push_back(replySize);
        for (const Answer& answer : answers) {
            if (std::string(command).rfind(answer.prefix, 0) != 0)
                continue;
            if (answer.raises)
                throw std::runtime_error("device failure");
            if (answer.writes && reply)
                Write(answer.reply, answer.terminate, reply, replySize);
            return answer.code;
        }
        if (reply && replySize > 0)
            reply[0] = '\0';
        return 0;
    }

    bool GetErrorString(uint32_t code, char* buffer, uint32_t size) override
    {
        for (const auto& [known, text] : errorTexts) {
            if (known == code) {
                Write(text, errorTextTerminated, buffer, size);
                return true;
            }
        }
        return false;
    }

    uint32_t WaveOutDeviceCount() override
    {
        calls.push_back("waveOutGetNumDevs");
        return devices;
    }

    bool PlaySound(const char* name, uint32_t flags) override
    {
        calls.push_back(std::string("PlaySound ") + (name ? name : "(null)") + " " + std::to_string(flags));
        return true;
    }

private:
    // Writes at most `size` characters, as a device would; the NUL only when it fits or is asked.
    static void Write(const std::string& text, bool terminate, char* buffer, uint32_t size)
    {
        if (size == 0)
            return;
        const size_t room = terminate ? size - 1 : size;
        const size_t n = std::min(text.size(), room);
        std::memcpy(buffer, text.data(), n);
        if (terminate)
            buffer[n] = '\0';
    }
};
