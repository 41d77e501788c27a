// The start-up code: the system's set-up, the main window, and the message loop
// that runs the program until it ends.

// <windows.h> first: the other system headers rely on it.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "mainwindow/forms.h"
#include "mainwindow/frm_main.h"
#include "platform/win32/win32_system.h"

namespace {

// In a window with edit boxes and buttons, Tab and Shift+Tab move the keyboard
// between them in their order, as in any dialog. Windows without such controls
// (the main window answers F1 itself) see every key as it comes.
bool IsNavigationKey(MSG& message) {
    const HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root == nullptr || root == message.hwnd) {
        return false;
    }
    return IsDialogMessageW(root, &message) != FALSE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    // The folder picker is a shell dialog and needs a single-threaded apartment.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);

    int exitCode = 0;
    try {
        tw::platform::win32::Win32System system;
        tw::Forms forms(system);
        forms.Load<tw::FrmMain>();

        MSG message{};
        for (;;) {
            const BOOL got = GetMessageW(&message, nullptr, 0, 0);
            if (got == 0) {
                exitCode = static_cast<int>(message.wParam);
                break;
            }
            if (got == -1) {
                exitCode = 1;
                break;
            }
            if (!IsNavigationKey(message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            // No handler is running here: windows unloaded from their own handlers can go.
            forms.ReleaseUnloaded();
        }
    } catch (...) {
        exitCode = 1;
    }

    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return exitCode;
}
