#include "win32_text.h"

namespace zirel {

std::wstring WideFrom(const std::string& text, UINT codePage)
{
    if (text.empty())
        return {};
    const int length = MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(size_t(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), wide.data(), length);
    return wide;
}

std::string Utf8FromWide(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size_t(length > 0 ? length : 0), '\0');
    if (length > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), out.data(), length, nullptr,
                            nullptr);
    return out;
}

std::string AnsiFromUtf8(const std::string& text)
{
    const std::wstring wide = Utf16FromUtf8(text);
    const int length =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size_t(length > 0 ? length : 0), '\0');
    if (length > 0)
        WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), out.data(), length, nullptr,
                            nullptr);
    return out;
}

bool AnsiFromWide(const std::wstring& text, std::string& out)
{
    out.clear();
    if (text.empty())
        return true;
    BOOL lossy = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), int(text.size()),
                                           nullptr, 0, nullptr, &lossy);
    if (length <= 0 || lossy)
        return false;
    out.assign(size_t(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), int(text.size()), out.data(),
                        length, nullptr, &lossy);
    return !lossy;
}

}  // namespace zirel
