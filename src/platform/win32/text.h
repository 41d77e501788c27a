// Text crosses into the system as UTF-16; the rest of the program keeps UTF-8.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tw::platform::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// From the system's ANSI code page to UTF-16.
std::wstring WidenAnsi(std::string_view ansi);

// A window's text read as Unicode, as UTF-8; empty for no window.
std::string WindowText(HWND window);

}  // namespace tw::platform::win32
