// The program's window classes, registered once each.
#pragma once

#include <windows.h>

namespace tw::platform::win32 {

// Registers the class unless it is registered already; true when it is there
// afterwards. The icon resource (0 for none) is loaded at the system's large
// and small sizes. Double-clicks reach the procedure as such.
bool RegisterWindowClass(const wchar_t* className, WNDPROC procedure, int iconResource);

}  // namespace tw::platform::win32
