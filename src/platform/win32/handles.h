// Owners for the system handles the backend keeps, so that every early return
// and every exception gives them back, and the few helpers that go with them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <system_error>
#include <type_traits>

namespace tw::platform::win32 {

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const {
        if (object != nullptr) {
            DeleteObject(object);
        }
    }
};

template <class Handle>
using UniqueGdi = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;

using UniqueFont = UniqueGdi<HFONT>;
using UniqueBrush = UniqueGdi<HBRUSH>;
using UniquePen = UniqueGdi<HPEN>;
using UniqueBitmap = UniqueGdi<HBITMAP>;

struct MemoryDcDeleter {
    void operator()(HDC dc) const {
        if (dc != nullptr) {
            DeleteDC(dc);
        }
    }
};

using UniqueMemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDeleter>;

struct WindowDeleter {
    void operator()(HWND window) const {
        if (window != nullptr) {
            DestroyWindow(window);
        }
    }
};

using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

struct KernelHandleDeleter {
    void operator()(HANDLE handle) const {
        if (handle != nullptr && handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
        }
    }
};

using UniqueHandle = std::unique_ptr<void, KernelHandleDeleter>;
using UniqueFile = UniqueHandle;

struct RegistryKeyDeleter {
    void operator()(HKEY key) const {
        if (key != nullptr) {
            RegCloseKey(key);
        }
    }
};

using UniqueKey = std::unique_ptr<std::remove_pointer_t<HKEY>, RegistryKeyDeleter>;

// Selects an object into a device context for the length of a scope.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) {
            SelectObject(dc_, previous_);
        }
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The program's own module, where its resources and window classes live.
inline HINSTANCE ProgramInstance() {
    return GetModuleHandleW(nullptr);
}

// For a handle the system would not make: what went wrong, from the system's last error.
[[noreturn]] inline void ThrowLastError(const char* what) {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), what);
}

// A colour as the program writes it, resolved to what GDI draws with.
inline COLORREF ToColorRef(std::uint32_t colour) {
    if ((colour & 0x80000000u) != 0) {
        return GetSysColor(static_cast<int>(colour & 0xFFu));
    }
    return static_cast<COLORREF>(colour & 0x00FFFFFFu);
}

}  // namespace tw::platform::win32
