// Command-line reading for the launcher (portable).
#include "command_line.h"

#include <cmath>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char Upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

// NOTE: Windows starts a saver with its SCRNSAVE.EXE value unquoted, which is the long path,
// blanks and all, where the volume keeps no short names; Windows found the program by trying
// each blank in turn. The name therefore ends after the last ".scr" (in any case) that a blank or
// the end of the line follows, before the first switch (a file name holds no '/'); 0 when none.
size_t EndOfUnquotedSaverName(std::string_view line, size_t from)
{
    size_t end = 0;
    for (size_t i = from; i + 4 <= line.size() && !(IsBlank(line[i]) && line[i + 1] == '/'); ++i) {
        const bool scr = line[i] == '.' && Upper(line[i + 1]) == 'S' && Upper(line[i + 2]) == 'C' &&
                         Upper(line[i + 3]) == 'R';
        if (scr && (i + 4 == line.size() || IsBlank(line[i + 4])))
            end = i + 4;
    }
    return end;
}

}  // namespace

std::string_view ArgumentText(std::string_view line)
{
    size_t i = 0;
    while (i < line.size() && IsBlank(line[i]))
        ++i;
    if (i < line.size() && line[i] == '"') {
        const size_t close = line.find('"', i + 1);
        i = close == std::string_view::npos ? line.size() : close + 1;
    } else if (const size_t end = EndOfUnquotedSaverName(line, i); end != 0) {
        i = end;
    }
    while (i < line.size() && !IsBlank(line[i]))
        ++i;
    while (i < line.size() && IsBlank(line[i]))
        ++i;
    return line.substr(i);
}

char SwitchCharacter(std::string_view arguments)
{
    return arguments.size() < 2 ? '\0' : Upper(arguments[1]);
}

uint32_t PreviewParentHandle(std::string_view arguments)
{
    if (arguments.size() < 4)
        return 0;
    std::string_view text = arguments.substr(3);
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);

    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Accumulated as a double: the value is only kept when it fits 32 bits, where a double is
    // exact, and anything longer is rejected by size anyway.
    double value = 0;
    size_t i = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        value = value * 10 + (text[i] - '0');
    if (i < text.size() && text[i] == '.') {
        double scale = 0.1;
        for (++i; i < text.size() && IsDigit(text[i]); ++i, scale /= 10)
            value += (text[i] - '0') * scale;
    }
    value = std::nearbyint(negative ? -value : value);  // to nearest, ties to even
    if (value < -2147483648.0 || value > 4294967295.0)
        return 0;
    return value < 0 ? uint32_t(int32_t(value)) : uint32_t(value);
}
