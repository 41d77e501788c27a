// The start-up code: the system's set-up, the main window, and the message loop
// that runs the program until it ends.

// <windows.h> first: the other system headers rely on it.
#include <windows.h>

#include <optional>

#include "core/forms.h"
#include "mainwindow/frm_main.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/win32_system.h"

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    // A drive without a disk (a removed stick, "D:" half typed in the folder box) must fail
    // the announcer's once-a-second write quietly: Windows' "No disk" box would hold the
    // thread that writes until answered, and no script would be written meanwhile. The modes
    // already set, by whoever started the program, stay.
    SetErrorMode(GetErrorMode() | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);

    // Nothing here sets up COM on this thread: only the folder picker needs it, and it enters
    // the apartment itself; the media session's worker enters one of its own, on its thread,
    // once the bar shows. The common controls are loaded with the first tooltip (tool_tips.cpp).
    try {
        tw::platform::win32::Win32System system;
        tw::Forms forms(system);
        if (!forms.Start<tw::FrmMain>()) {
            return 0;
        }
        system.StartMediaSession();
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
