// zirel's command line.
#include "display_mode_options.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

// A whole number in `text` (hexadecimal after 0x, else decimal), or false.
bool ReadNumber(const char* text, int64_t& value)
{
    if (!text)
        return false;
    const bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* digits = hex ? text + 2 : text;
    if (!std::isxdigit(static_cast<unsigned char>(*digits)))
        return false;  // strtoull would also take blanks and a sign
    char* end = nullptr;
    errno = 0;
    const unsigned long long number = std::strtoull(digits, &end, hex ? 16 : 10);
    if (errno || *end || number > INT64_MAX)
        return false;
    value = static_cast<int64_t>(number);
    return true;
}

bool ReadWindowId(const char* text, uint64_t& windowId)
{
    int64_t value = 0;
    if (!ReadNumber(text, value) || value == 0 || value > UINT32_MAX)
        return false;  // X ids are 29-bit; 0 is None
    windowId = static_cast<uint64_t>(value);
    return true;
}

}  // namespace

DisplayModeOptions ReadDisplayModeOptions(std::span<char* const> args,
                                          const char* screensaverWindow)
{
    DisplayModeOptions options;
    bool root = false;
    bool given = false;
    for (size_t i = 0; i < args.size() && options.error.empty(); ++i) {
        const char* option = args[i][0] == '-' && args[i][1] == '-' ? args[i] + 1 : args[i];
        const char* value = i + 1 < args.size() ? args[i + 1] : nullptr;
        if (std::strcmp(option, "-root") == 0) {
            root = true;
        } else if (std::strcmp(option, "-help") == 0) {
            options.help = true;
        } else if (std::strcmp(option, "-window-id") == 0) {
            given = ReadWindowId(value, options.windowId);
            if (!given)
                options.error = "-window-id needs a window id, hexadecimal (0x...) or decimal";
            ++i;
        } else if (std::strcmp(option, "-delay") == 0) {
            if (!ReadNumber(value, options.delayUs))
                options.error = "-delay needs a number of microseconds, 0 or more";
            ++i;
        } else {
            options.error = std::string("unknown option ") + args[i];
        }
    }
    if (given) {
        options.target = DrawTarget::GivenWindow;
    } else if (root && screensaverWindow && *screensaverWindow) {
        // The window XScreenSaver hands over stands in for the root.
        options.target = DrawTarget::GivenWindow;
        if (!ReadWindowId(screensaverWindow, options.windowId) && options.error.empty())
            options.error =
                std::string("XSCREENSAVER_WINDOW is not a window id: ") + screensaverWindow;
    } else if (root) {
        options.target = DrawTarget::RootWindow;
    }
    return options;
}
