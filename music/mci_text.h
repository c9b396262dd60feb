// Reading the texts that come back from MCI: bounded buffers, error replies and track numbers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The text in `buffer` up to its first NUL, or all `size` characters when there is none.
std::string TextUpToNul(const char* buffer, size_t size);

// True for a reply that reports a failure: it contains "ERR" in any case ("Error:263").
bool IsErrorReply(const std::string& reply);

// The number a reply starts with, read the lenient way the settings values were always read:
// leading blanks skipped, an optional sign, then digits up to the first other character;
// no digits reads as 0. Values beyond 32 bits saturate.
int64_t LeadingNumber(const std::string& text);
