// Any command line: what the launcher reads from it never crashes and stays consistent.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const std::string_view arguments = ArgumentText(line);
    // The argument text is always the tail of the command line.
    if (arguments.size() > line.size() || line.substr(line.size() - arguments.size()) != arguments)
        std::abort();

    const char switchCharacter = SwitchCharacter(arguments);
    if (arguments.size() < 2 ? switchCharacter != '\0'
                             : switchCharacter != char(std::toupper(uint8_t(arguments[1]))))
        std::abort();

    PreviewParentHandle(arguments);
    PreviewParentHandle(line);
    return 0;
}
