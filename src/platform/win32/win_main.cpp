// The start-up code: the system's set-up, the main window, and the message loop
// that runs the program until it ends.

// <windows.h> first: the other system headers rely on it.
#include <windows.h>

#include <cstdlib>
#include <optional>

#include "mainwindow/forms.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/win32_system.h"

#if defined(__GLIBCXX__)
// libstdc++'s own terminate handler writes the uncaught exception's demangled type to a
// console a windowed program does not have, and links the demangler (about 45 KB) into the
// static exe for it. Every exception stops in wWinMain; this is reached only through a broken
// noexcept promise.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx
#endif

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    // COM and the common controls are set up by the folder picker and the first tooltip,
    // which alone need them: most runs use neither, and both cost start-up time.
    try {
        tw::platform::win32::Win32System system;
        tw::Forms forms(system);
        if (!forms.Start()) {
            return 0;
        }
        for (;;) {
            if (const std::optional<int> exitCode = tw::platform::win32::HandleNextMessage()) {
                return *exitCode;
            }
            // No handler is running here: windows unloaded from their own handlers can go.
            forms.ReleaseUnloaded();
        }
    } catch (...) {
        return 1;
    }
}
