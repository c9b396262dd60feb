// What the launcher reads from its command line (portable).
#pragma once

#include <cstdint>
#include <string_view>

// The argument text after the program's own name and the blanks that follow it. The name is
// quoted, or unquoted up to its ".scr" (a long path with blanks, as Windows starts a saver), or
// else up to the first blank.
std::string_view ArgumentText(std::string_view fullCommandLine);

// The second character of the argument text, upper-cased ('S' for /s, /S and -s); '\0' when the
// text is shorter than two characters.
char SwitchCharacter(std::string_view arguments);

// The preview parent handle: the decimal number from the fourth character on (/p 1234 and
// /p:1234), leading blanks skipped, reading up to the first character that cannot continue it,
// rounded to a whole number. 0 when there is no number or it does not fit 32 bits; numbers up
// to 4294967295 are taken as the handle's unsigned 32-bit form.
uint32_t PreviewParentHandle(std::string_view arguments);
