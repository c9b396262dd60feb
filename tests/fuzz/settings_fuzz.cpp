// Any INI value text and any path: the number reader, the number text and FolderOf never crash,
// agree with each other, and stay within what they were given.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    if (const auto number = ParseSettingNumber(text)) {
        // What we read, we write back so that it reads the same.
        const std::string written = SettingNumberText(*number);
        const auto again = ParseSettingNumber(written);
        if (!again || *again != *number)
            std::abort();
    }

    const std::string folder = FolderOf(text);
    // The folder is always a leading part of the path ("C:" stays "C:"; only one final
    // backslash is dropped, so "C:\\m\\\\a" gives "C:\\m\\").
    if (folder.size() > text.size() || text.substr(0, folder.size()) != folder)
        std::abort();
    return 0;
}
