// The least a program doing Tunewarden's job costs under the same toolchain: one window, the
// same 14 key reads every 250 ms as the hotkey poller and, with -w, a once-a-second look at
// the player that rewrites a small file as the announcer does. scripts/bench-wine.sh measures
// Tunewarden against it.
//
//   tw-baseline.exe [-w]     (-w writes winamp.cfg in the working folder)
#include <windows.h>

#include <array>
#include <cwchar>
#include <string>

namespace {

constexpr UINT_PTR kPollTimer = 1;
constexpr UINT_PTR kWriteTimer = 2;
constexpr UINT kPollMs = 250;
constexpr UINT kWriteMs = 1000;
constexpr int kVkControl = 17;
// The hotkey poller's keys, in its order.
constexpr std::array<int, 13> kKeys{96, 110, 97, 98, 99, 100, 101, 102, 103, 104, 105, 107, 109};

// Read by the timer so that the compiler cannot drop the key reads.
volatile int g_keysDown = 0;

void PollKeys() {
    int down = 0;
    // Control once, then every key every time, as the poller reads them: a read clears the
    // key's "pressed since" bit, so skipping the key while Control is up would be cheaper and
    // different.
    const bool controlDown = GetAsyncKeyState(kVkControl) != 0;
    for (const int key : kKeys) {
        const bool keyDown = GetAsyncKeyState(key) != 0;
        if (controlDown && keyDown) {
            ++down;
        }
    }
    g_keysDown = down;
}

void WriteSong() {
    wchar_t caption[512] = L"";
    if (const HWND player = FindWindowW(L"Winamp v1.x", nullptr)) {
        GetWindowTextW(player, caption, static_cast<int>(std::size(caption)));
    }
    char line[1024] = "";
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, caption, -1, line, sizeof(line) - 1, nullptr, nullptr);
    std::string text = "say \"";
    text += length > 0 ? line : "";
    text += "\"\r\n";
    const HANDLE file = CreateFileW(L"winamp.cfg", GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kPollTimer) {
                PollKeys();
            } else if (wParam == kWriteTimer) {
                WriteSong();
            }
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR commandLine, int show) {
    const bool write = std::wcsstr(commandLine, L"-w") != nullptr;

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"Tunewarden_baseline";
    if (RegisterClassExW(&windowClass) == 0) {
        return 1;
    }
    const HWND window =
        CreateWindowExW(WS_EX_APPWINDOW, windowClass.lpszClassName, L"Baseline", WS_POPUP, 40, 40,
                        189, 290, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    ShowWindow(window, show == SW_HIDE ? SW_SHOW : show);
    UpdateWindow(window);
    SetTimer(window, kPollTimer, kPollMs, nullptr);
    if (write) {
        SetTimer(window, kWriteTimer, kWriteMs, nullptr);
    }

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
