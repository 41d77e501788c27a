// twdrive: drives the desktop of the Wine (or Windows) session it runs in, for scripts that
// exercise Tunewarden the way a user would, with the operations in desktop_ops.h.
//
// Exit status: 0 done, 1 window not found / timed out / input refused, 2 bad usage.
#include <windows.h>
// After <windows.h>, which it needs.
#include <shellapi.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "desktop_ops.h"

namespace {

using tw::desktop::Millis;

constexpr int kUsage = 2;
constexpr int kFailed = 1;

void PrintUsage() {
    std::fputs(
        "usage: twdrive <command> ...\n"
        "  keys <hold-ms> <vk> [<vk>...]      press in order, hold, release in reverse\n"
        "  caption <class> <text>             set the caption of the first window of <class>\n"
        "  wait-window <class> [title] <ms>   wait until such a top-level window exists\n"
        "  rect <class>                       print its window rect: left top right bottom\n"
        "  click <x> <y> left|right           click at screen coordinates\n"
        "  close <class>                      post WM_CLOSE to the first window of <class>\n"
        "  foreground                         print class and caption of the foreground window\n"
        "  keystate <vk> [<vk>...]            print GetAsyncKeyState for each key (hex)\n"
        "  watch <ms> <vk> [<vk>...]          print 'watching', then every down/up change seen\n"
        "A <vk> is a number (96, 0x60) or one of: ctrl shift alt num0..num9 add subtract\n"
        "decimal multiply divide.\n",
        stderr);
}

std::string ToUtf8(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), result.data(),
                        size, nullptr, nullptr);
    return result;
}

std::optional<long> ParseNumber(const std::wstring& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    wchar_t* end = nullptr;
    const long value = std::wcstol(text.c_str(), &end, 0);
    if (end == nullptr || *end != L'\0') {
        return std::nullopt;
    }
    return value;
}

std::optional<WORD> ParseVirtualKey(const std::wstring& text) {
    struct Named {
        const wchar_t* name;
        WORD vk;
    };
    static const Named kNames[] = {
        {L"ctrl", VK_CONTROL},      {L"shift", VK_SHIFT},       {L"alt", VK_MENU},
        {L"add", VK_ADD},           {L"subtract", VK_SUBTRACT}, {L"decimal", VK_DECIMAL},
        {L"multiply", VK_MULTIPLY}, {L"divide", VK_DIVIDE},
    };
    for (const Named& named : kNames) {
        if (text == named.name) {
            return named.vk;
        }
    }
    if (text.size() == 4 && text.compare(0, 3, L"num") == 0 && text[3] >= L'0' && text[3] <= L'9') {
        return static_cast<WORD>(VK_NUMPAD0 + (text[3] - L'0'));
    }
    const std::optional<long> number = ParseNumber(text);
    if (!number || *number <= 0 || *number > 254) {
        return std::nullopt;
    }
    return static_cast<WORD>(*number);
}

std::optional<std::vector<WORD>> ParseKeyList(const std::vector<std::wstring>& args, size_t first) {
    std::vector<WORD> keys;
    for (size_t i = first; i < args.size(); ++i) {
        const std::optional<WORD> vk = ParseVirtualKey(args[i]);
        if (!vk) {
            return std::nullopt;
        }
        keys.push_back(*vk);
    }
    if (keys.empty()) {
        return std::nullopt;
    }
    return keys;
}

int Keys(const std::vector<std::wstring>& args) {
    if (args.empty()) {
        return kUsage;
    }
    const std::optional<long> holdMs = ParseNumber(args[0]);
    const auto keys = ParseKeyList(args, 1);
    if (!holdMs || *holdMs < 0 || !keys) {
        return kUsage;
    }
    return tw::desktop::HoldChord(*keys, Millis(*holdMs)) ? 0 : kFailed;
}

int Caption(const std::vector<std::wstring>& args) {
    if (args.size() != 2) {
        return kUsage;
    }
    const HWND window = tw::desktop::FindTopLevel(args[0].c_str());
    if (window == nullptr) {
        return kFailed;
    }
    return SetWindowTextW(window, args[1].c_str()) ? 0 : kFailed;
}

int WaitWindow(const std::vector<std::wstring>& args) {
    if (args.size() != 2 && args.size() != 3) {
        return kUsage;
    }
    const std::optional<long> timeoutMs = ParseNumber(args.back());
    if (!timeoutMs || *timeoutMs < 0) {
        return kUsage;
    }
    const wchar_t* title = args.size() == 3 ? args[1].c_str() : nullptr;
    return tw::desktop::WaitForTopLevel(args[0].c_str(), title, 0, Millis(*timeoutMs)) ? 0
                                                                                       : kFailed;
}

int Rect(const std::vector<std::wstring>& args) {
    if (args.size() != 1) {
        return kUsage;
    }
    const auto rect = tw::desktop::WindowRect(tw::desktop::FindTopLevel(args[0].c_str()));
    if (!rect) {
        return kFailed;
    }
    std::printf("%ld %ld %ld %ld\n", rect->left, rect->top, rect->right, rect->bottom);
    return 0;
}

int Click(const std::vector<std::wstring>& args) {
    if (args.size() != 3 || (args[2] != L"left" && args[2] != L"right")) {
        return kUsage;
    }
    const std::optional<long> x = ParseNumber(args[0]);
    const std::optional<long> y = ParseNumber(args[1]);
    if (!x || !y) {
        return kUsage;
    }
    const auto button =
        args[2] == L"left" ? tw::desktop::Button::kLeft : tw::desktop::Button::kRight;
    return tw::desktop::Click({*x, *y}, button) ? 0 : kFailed;
}

int Close(const std::vector<std::wstring>& args) {
    if (args.size() != 1) {
        return kUsage;
    }
    const HWND window = tw::desktop::FindTopLevel(args[0].c_str());
    if (window == nullptr) {
        return kFailed;
    }
    return PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : kFailed;
}

int Foreground(const std::vector<std::wstring>& args) {
    if (!args.empty()) {
        return kUsage;
    }
    const HWND window = GetForegroundWindow();
    if (window == nullptr) {
        return kFailed;
    }
    wchar_t windowClass[256] = {};
    wchar_t title[512] = {};
    GetClassNameW(window, windowClass, 256);
    GetWindowTextW(window, title, 512);
    std::printf("%s\t%s\n", ToUtf8(windowClass).c_str(), ToUtf8(title).c_str());
    return 0;
}

int KeyState(const std::vector<std::wstring>& args) {
    const auto keys = ParseKeyList(args, 0);
    if (!keys) {
        return kUsage;
    }
    for (const WORD vk : *keys) {
        const auto state = static_cast<unsigned short>(GetAsyncKeyState(vk));
        std::printf("%u 0x%04x\n", static_cast<unsigned>(vk), static_cast<unsigned>(state));
    }
    return 0;
}

int Watch(const std::vector<std::wstring>& args) {
    if (args.size() < 2) {
        return kUsage;
    }
    const std::optional<long> durationMs = ParseNumber(args[0]);
    const auto keys = ParseKeyList(args, 1);
    if (!durationMs || *durationMs < 0 || !keys) {
        return kUsage;
    }
    std::vector<bool> down(keys->size(), false);
    // Tells a reader that polling has begun, so input sent from now on is seen.
    std::puts("watching");
    std::fflush(stdout);
    const auto start = std::chrono::steady_clock::now();
    const auto end = start + std::chrono::milliseconds(*durationMs);
    while (std::chrono::steady_clock::now() < end) {
        for (size_t i = 0; i < keys->size(); ++i) {
            const bool isDown = (GetAsyncKeyState((*keys)[i]) & 0x8000) != 0;
            if (isDown != down[i]) {
                down[i] = isDown;
                const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
                    std::chrono::steady_clock::now() - start);
                std::printf("%lld %u %s\n", static_cast<long long>(elapsed.count()),
                            static_cast<unsigned>((*keys)[i]), isDown ? "down" : "up");
                std::fflush(stdout);
            }
        }
        Sleep(5);
    }
    return 0;
}

}  // namespace

int main() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc < 2) {
        PrintUsage();
        return kUsage;
    }
    const std::wstring command = argv[1];
    const std::vector<std::wstring> args(argv + 2, argv + argc);
    LocalFree(argv);

    struct Command {
        const wchar_t* name;
        int (*run)(const std::vector<std::wstring>&);
    };
    static const Command kCommands[] = {
        {L"keys", Keys},
        {L"caption", Caption},
        {L"wait-window", WaitWindow},
        {L"rect", Rect},
        {L"click", Click},
        {L"close", Close},
        {L"foreground", Foreground},
        {L"keystate", KeyState},
        {L"watch", Watch},
    };
    for (const Command& candidate : kCommands) {
        if (command == candidate.name) {
            const int status = candidate.run(args);
            if (status == kUsage) {
                PrintUsage();
            }
            return status;
        }
    }
    PrintUsage();
    return kUsage;
}
