// Stand-in for the desktop player: a top-level window of class "Winamp v1.x" that records
// every WM_COMMAND and WM_APPCOMMAND it receives, so tests can see exactly what Tunewarden
// sent and how often.
//
//   player-standin.exe --caption "12. Artist - Song - Winamp" --log C:\path\commands.log
//                      [--hang-ms N] [--class Chrome_WidgetWin_0]
//
// The log gets one decimal number per line: a WM_COMMAND's wParam, a WM_APPCOMMAND's lParam
// (the command in its high word, so the two never look alike). It is opened, appended and
// closed for every command so that a reader in another process sees each line as soon as it
// is written. --class gives the window another class: copied as Spotify.exe and given
// Chromium's class, the stand-in is Spotify; under any other name, a browser.
// --hang-ms makes every WM_COMMAND take N ms before it returns, which is what a player that
// stopped responding looks like to a sender.
#include <windows.h>
// After <windows.h>, which it needs.
#include <shellapi.h>

#include <cstdint>
#include <cwchar>
#include <iterator>
#include <string>

namespace {

constexpr WPARAM kJumpToFile = 40194;

struct Options {
    std::wstring windowClass = L"Winamp v1.x";
    std::wstring caption = L"Winamp";
    std::wstring logPath;
    DWORD hangMs = 0;
};

Options g_options;
HWND g_jumpDialog = nullptr;
WPARAM g_lastCommand = 0;

bool ParseArguments(Options& options) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr) {
        return false;
    }
    bool ok = true;
    for (int i = 1; i < argc && ok; ++i) {
        const std::wstring arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == L"--caption" && hasValue) {
            options.caption = argv[++i];
        } else if (arg == L"--class" && hasValue) {
            options.windowClass = argv[++i];
        } else if (arg == L"--log" && hasValue) {
            options.logPath = argv[++i];
        } else if (arg == L"--hang-ms" && hasValue) {
            wchar_t* end = nullptr;
            const unsigned long value = std::wcstoul(argv[++i], &end, 10);
            ok = end != nullptr && *end == L'\0';
            options.hangMs = static_cast<DWORD>(value);
        } else {
            ok = false;
        }
    }
    LocalFree(argv);
    return ok;
}

void AppendToLog(std::uint64_t command) {
    if (g_options.logPath.empty()) {
        return;
    }
    const HANDLE file = CreateFileW(g_options.logPath.c_str(), FILE_APPEND_DATA,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    const std::string line = std::to_string(command) + "\n";
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

INT_PTR CALLBACK JumpDialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            // FALSE: the dialog must not take the focus by itself. Bringing it to the front
            // is the sender's job, and the tests check that it does so.
            return FALSE;
        case WM_CLOSE:
            DestroyWindow(dialog);
            return TRUE;
        case WM_NCDESTROY:
            if (dialog == g_jumpDialog) {
                g_jumpDialog = nullptr;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

// In-memory template: a captioned popup of the standard dialog class "#32770".
struct JumpDialogTemplate {
    DLGTEMPLATE dialog;
    WORD menu;
    WORD windowClass;
    wchar_t title[13];
};

void ShowJumpDialog(HWND owner) {
    if (g_jumpDialog == nullptr) {
        alignas(DWORD) static const JumpDialogTemplate kTemplate = {
            {WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER, 0, 0, 0, 0, 200, 80},
            0,
            0,
            L"Jump to file"};
        g_jumpDialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &kTemplate.dialog,
                                                  owner, JumpDialogProc, 0);
    }
    if (g_jumpDialog != nullptr && !IsWindowVisible(g_jumpDialog)) {
        ShowWindow(g_jumpDialog, SW_SHOWNOACTIVATE);
    }
}

void Paint(HWND window) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    // Not black: without a window manager there is no frame, and the window must still stand
    // out from the root window in screenshots.
    const HBRUSH background = CreateSolidBrush(RGB(24, 28, 48));
    FillRect(dc, &client, background);
    DeleteObject(background);
    const HBRUSH frame = CreateSolidBrush(RGB(0, 230, 0));
    FrameRect(dc, &client, frame);
    DeleteObject(frame);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 230, 0));

    wchar_t title[512] = {};
    GetWindowTextW(window, title, static_cast<int>(std::size(title)));
    RECT line = client;
    InflateRect(&line, -6, -6);
    DrawTextW(dc, title, -1, &line, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);

    const std::wstring last = L"last command: " + std::to_wstring(g_lastCommand);
    DrawTextW(dc, last.c_str(), -1, &line, DT_LEFT | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
    EndPaint(window, &paint);
}

LRESULT CALLBACK PlayerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            AppendToLog(wParam);
            g_lastCommand = wParam;
            InvalidateRect(window, nullptr, TRUE);
            if (wParam == kJumpToFile) {
                ShowJumpDialog(window);
            }
            if (g_options.hangMs > 0) {
                Sleep(g_options.hangMs);
            }
            return 0;
        case WM_APPCOMMAND:
            AppendToLog(static_cast<std::uint64_t>(lParam));
            return TRUE;
        case WM_SETTEXT: {
            const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
            InvalidateRect(window, nullptr, TRUE);
            return result;
        }
        case WM_PAINT:
            Paint(window);
            return 0;
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (!ParseArguments(g_options)) {
        // No message box: the stand-in runs unattended and must never wait for a click.
        return 2;
    }

    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = PlayerProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = g_options.windowClass.c_str();
    if (RegisterClassExW(&windowClass) == 0) {
        return 1;
    }

    const HWND window = CreateWindowExW(0, g_options.windowClass.c_str(), g_options.caption.c_str(),
                                        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                        40, 360, 275, 116, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (g_jumpDialog != nullptr && IsDialogMessageW(g_jumpDialog, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
