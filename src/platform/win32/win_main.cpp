// The start-up code: the system's set-up, the main window, and the message loop
// that runs the program until it ends.

// <windows.h> first: the other system headers rely on it.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <optional>

#include "mainwindow/forms.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/win32_system.h"

namespace {

// The folder picker is a shell dialog and needs a single-threaded apartment;
// left again on every way out of wWinMain.
class ComApartment {
  public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) {
            CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    HRESULT result_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    const ComApartment com;

    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);

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
