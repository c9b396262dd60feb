#include "wine_test_support.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace zt {

namespace {

std::string Env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string child = path + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(path.c_str());
}

}  // namespace

std::string DistDir() { return Env("ZIREL_DIST"); }
std::string StandinDir() { return Env("ZIREL_STANDINS"); }
std::string ArtifactDir() { return Env("ZIREL_ARTIFACTS"); }

ScratchDir::ScratchDir()
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    static int counter = 0;
    for (;;) {
        path_ = std::string(temp) + "zirel_" + std::to_string(GetCurrentProcessId()) + "_" +
                std::to_string(++counter);
        if (CreateDirectoryA(path_.c_str(), nullptr))
            break;
    }
}

ScratchDir::~ScratchDir() { RemoveTree(path_); }

bool ScratchDir::Copy(const std::string& sourcePath, const std::string& name) const
{
    return CopyFileA(sourcePath.c_str(), File(name).c_str(), FALSE) != 0;
}

bool ScratchDir::Write(const std::string& name, const std::string& content) const
{
    std::ofstream out(File(name), std::ios::binary | std::ios::trunc);
    out << content;
    return bool(out);
}

std::string ScratchDir::Read(const std::string& name) const
{
    std::ifstream in(File(name), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

Process::~Process() { Kill(); }

Process::Process(Process&& other) noexcept : info_(other.info_) { other.info_ = {}; }

Process& Process::operator=(Process&& other) noexcept
{
    if (this != &other) {
        Kill();
        info_ = other.info_;
        other.info_ = {};
    }
    return *this;
}

Process Process::Start(const std::string& exe, const std::string& commandLine,
                       const std::string& workingDir)
{
    Process process;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    std::string line = commandLine;
    if (!CreateProcessA(exe.c_str(), line.empty() ? nullptr : line.data(), nullptr, nullptr, FALSE,
                        0, nullptr, workingDir.empty() ? nullptr : workingDir.c_str(), &startup,
                        &process.info_)) {
        process.info_ = {};
    }
    return process;
}

bool Process::WaitExit(DWORD ms) const
{
    return Started() && WaitForSingleObject(info_.hProcess, ms) == WAIT_OBJECT_0;
}

DWORD Process::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (Started())
        GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

void Process::Kill()
{
    if (!Started())
        return;
    if (WaitForSingleObject(info_.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
    info_ = {};
}

HWND WaitForWindow(const char* title, DWORD ms, const char* windowClass)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND window = FindWindowA(windowClass, title))
            return window;
        if (GetTickCount() - start >= ms)
            return nullptr;
        Pump(20);
    }
}

bool WaitForNoWindow(const char* title, DWORD ms)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (!FindWindowA(nullptr, title))
            return true;
        if (GetTickCount() - start >= ms)
            return false;
        Pump(20);
    }
}

void Pump(DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < ms);
}

Screenshot CaptureRect(const RECT& rect)
{
    Screenshot shot;
    shot.width = rect.right - rect.left;
    shot.height = rect.bottom - rect.top;
    if (shot.width <= 0 || shot.height <= 0)
        return shot;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = shot.width;
    info.bmiHeader.biHeight = -shot.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.width, shot.height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const auto* source = static_cast<const uint32_t*>(bits);
    shot.pixels.assign(source, source + size_t(shot.width) * shot.height);
    for (uint32_t& p : shot.pixels)
        p &= 0x00FFFFFF;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

Screenshot CaptureScreen()
{
    const RECT all{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return CaptureRect(all);
}

std::string SaveArtifact(const Screenshot& shot, const std::string& name)
{
    const std::string dir = ArtifactDir();
    if (dir.empty() || shot.pixels.empty())
        return "";
    const std::string path = dir + "\\" + name;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return "";
    const uint32_t stride = (uint32_t(shot.width) * 3 + 3) & ~3u;
    const uint32_t imageSize = stride * uint32_t(shot.height);
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    header.bfSize = header.bfOffBits + imageSize;
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = shot.width;
    info.biHeight = shot.height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = imageSize;
    std::fwrite(&header, sizeof(header), 1, file);
    std::fwrite(&info, sizeof(info), 1, file);
    std::vector<uint8_t> row(stride, 0);
    for (int y = shot.height - 1; y >= 0; --y) {
        for (int x = 0; x < shot.width; ++x) {
            const uint32_t p = shot.At(x, y);
            row[x * 3 + 0] = uint8_t(p);
            row[x * 3 + 1] = uint8_t(p >> 8);
            row[x * 3 + 2] = uint8_t(p >> 16);
        }
        std::fwrite(row.data(), 1, row.size(), file);
    }
    std::fclose(file);
    return path;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

void SetWineVersionFor(const std::string& exeName, const char* version)
{
    const std::string key = "Software\\Wine\\AppDefaults\\" + exeName;
    if (!version) {
        RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
        return;
    }
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &handle, nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(handle, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                       DWORD(std::strlen(version) + 1));
        RegCloseKey(handle);
    }
}

ScopedNativeWinmm::ScopedNativeWinmm(const std::string& exeName)
    : key_("Software\\Wine\\AppDefaults\\" + exeName + "\\DllOverrides")
{
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &handle, nullptr) == ERROR_SUCCESS) {
        static const char kNative[] = "native";
        RegSetValueExA(handle, "winmm", 0, REG_SZ, reinterpret_cast<const BYTE*>(kNative),
                       sizeof(kNative));
        RegCloseKey(handle);
    }
}

ScopedNativeWinmm::~ScopedNativeWinmm() { RegDeleteKeyA(HKEY_CURRENT_USER, key_.c_str()); }

}  // namespace zt
