#include "platform/win32/text.h"

#include <windows.h>

#include <climits>
#include <stdexcept>

namespace tw::platform::win32 {

namespace {

int CheckedLength(std::size_t size) {
    if (size > static_cast<std::size_t>(INT_MAX)) {
        throw std::length_error("text too long for the system's conversion");
    }
    return static_cast<int>(size);
}

std::wstring ToWide(UINT codePage, std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int length = CheckedLength(text.size());
    const int needed = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    if (needed <= 0) {
        return {};
    }
    std::wstring out(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), length, out.data(), needed);
    return out;
}

std::string FromWide(UINT codePage, DWORD flags, const char* defaultChar, std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int length = CheckedLength(text.size());
    const int needed =
        WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, defaultChar, nullptr);
    if (needed <= 0) {
        return {};
    }
    std::string out(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(codePage, flags, text.data(), length, out.data(), needed, defaultChar,
                        nullptr);
    return out;
}

}  // namespace

std::wstring Widen(std::string_view utf8) {
    return ToWide(CP_UTF8, utf8);
}

std::string Narrow(std::wstring_view utf16) {
    return FromWide(CP_UTF8, 0, nullptr, utf16);
}

std::wstring WidenAnsi(std::string_view ansi) {
    return ToWide(CP_ACP, ansi);
}

std::string NarrowAnsi(std::wstring_view utf16) {
    // A system whose ANSI code page is UTF-8 can hold every character, and the
    // conversion refuses both the flag and a default character for it.
    if (GetACP() == CP_UTF8) {
        return FromWide(CP_ACP, 0, nullptr, utf16);
    }
    return FromWide(CP_ACP, WC_NO_BEST_FIT_CHARS, "?", utf16);
}

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) {
        return {};
    }
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, buffer.data(), length + 1);
    buffer.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return Narrow(buffer);
}

}  // namespace tw::platform::win32
