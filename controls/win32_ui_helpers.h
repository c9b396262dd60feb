// Small Win32 helpers shared by the launcher's own controls and the settings dialog.
#pragma once

#include <windows.h>

#include <string>

namespace zirel {

// `text` in the code page `codePage` (CP_UTF8 for our own strings, CP_ACP for paths and values
// as the A functions give them), as UTF-16 for the W functions.
std::wstring WideFrom(const std::string& text, UINT codePage);

inline std::wstring Utf16FromUtf8(const std::string& text) { return WideFrom(text, CP_UTF8); }

// Registers a window class with the arrow cursor once per instance; true when it is there.
bool RegisterClassOnce(HINSTANCE instance, const wchar_t* className, WNDPROC procedure);

}  // namespace zirel
