// The folder a stand-in DLL was loaded from: where its script and its log live.
#pragma once

#include <windows.h>

#include <string>

inline std::string StandinFolder()
{
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&StandinFolder), &self);
    char path[MAX_PATH] = {};
    GetModuleFileNameA(self, path, MAX_PATH);
    const std::string file(path);
    return file.substr(0, file.find_last_of('\\'));
}
