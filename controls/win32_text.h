// Text between the code pages the programs meet: UTF-8 (our own strings), the ANSI code page
// (paths and values as the A functions give them) and UTF-16 (the W functions).
#pragma once

#include <windows.h>

#include <string>

namespace zirel {

// `text` in the code page `codePage` as UTF-16.
std::wstring WideFrom(const std::string& text, UINT codePage);

inline std::wstring Utf16FromUtf8(const std::string& text) { return WideFrom(text, CP_UTF8); }

std::string Utf8FromWide(const std::wstring& text);

// `text` (UTF-8) in the ANSI code page, for the A functions.
std::string AnsiFromUtf8(const std::string& text);

// `text` in the ANSI code page, or false when some character has no exact equivalent there (a
// best-fit substitute would name another file).
bool AnsiFromWide(const std::wstring& text, std::string& out);

}  // namespace zirel
