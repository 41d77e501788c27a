#include "desktop_ops.h"

#include <cwchar>

namespace tw::desktop {

namespace {

struct WindowQuery {
    const wchar_t* windowClass;
    const wchar_t* title;
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
    auto& query = *reinterpret_cast<WindowQuery*>(param);
    wchar_t text[256] = {};
    if (GetClassNameW(window, text, 256) == 0 || std::wcscmp(text, query.windowClass) != 0) {
        return TRUE;
    }
    if (query.title != nullptr) {
        text[0] = L'\0';
        GetWindowTextW(window, text, 256);
        if (std::wcscmp(text, query.title) != 0) {
            return TRUE;
        }
    }
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (query.processId == 0 || owner == query.processId) {
        query.found.push_back(window);
    }
    return TRUE;
}

INPUT KeyInput(WORD vk, bool down) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0u : static_cast<DWORD>(KEYEVENTF_KEYUP);
    return input;
}

bool Send(std::vector<INPUT>& inputs) {
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) ==
           inputs.size();
}

bool SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0) {
    std::vector<INPUT> input(1);
    input[0].type = INPUT_MOUSE;
    input[0].mi = {dx, dy, 0, flags, 0, 0};
    return Send(input);
}

// Absolute coordinates run 0..65536 across the screen and are scaled back down by
// truncation: rounding up lands on the pixel itself.
LONG ToAbsolute(LONG pixel, int extent) {
    return static_cast<LONG>((pixel * 65536L + extent - 1) / extent);
}

}  // namespace

std::vector<HWND> FindTopLevels(const wchar_t* windowClass, const wchar_t* title, DWORD processId) {
    WindowQuery query{windowClass, title, processId, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND FindTopLevel(const wchar_t* windowClass, const wchar_t* title, DWORD processId) {
    const std::vector<HWND> found = FindTopLevels(windowClass, title, processId);
    return found.empty() ? nullptr : found.front();
}

HWND WaitForTopLevel(const wchar_t* windowClass, const wchar_t* title, DWORD processId,
                     Millis timeout) {
    HWND window = nullptr;
    PollUntil(timeout, [&] { return (window = FindTopLevel(windowClass, title, processId)); });
    return window;
}

std::optional<RECT> WindowRect(HWND window) {
    RECT rect{};
    if (window == nullptr || !GetWindowRect(window, &rect)) {
        return std::nullopt;
    }
    return rect;
}

bool ReleaseKeys(std::span<const WORD> virtualKeys) {
    std::vector<INPUT> releases;
    for (auto it = virtualKeys.rbegin(); it != virtualKeys.rend(); ++it) {
        releases.push_back(KeyInput(*it, false));
    }
    return Send(releases);
}

bool HoldChord(std::span<const WORD> virtualKeys, Millis hold) {
    std::vector<INPUT> presses;
    for (const WORD vk : virtualKeys) {
        presses.push_back(KeyInput(vk, true));
    }
    const bool pressed = Send(presses);
    std::this_thread::sleep_for(hold);
    return ReleaseKeys(virtualKeys) && pressed;
}

bool MoveTo(POINT point) {
    const auto at = [&] {
        POINT cursor{};
        return GetCursorPos(&cursor) && cursor.x == point.x && cursor.y == point.y;
    };
    return SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
                     ToAbsolute(point.x, GetSystemMetrics(SM_CXSCREEN)),
                     ToAbsolute(point.y, GetSystemMetrics(SM_CYSCREEN))) &&
           PollUntil(Millis(1000), at, Millis(10));
}

bool Press(Button button) {
    return SendMouse(button == Button::kLeft ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN);
}

bool Release(Button button) {
    return SendMouse(button == Button::kLeft ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP);
}

bool Click(POINT point, Button button) {
    if (!MoveTo(point)) {
        return false;
    }
    const bool pressed = Press(button);
    std::this_thread::sleep_for(Millis(50));
    return Release(button) && pressed;
}

bool DoubleClick(POINT point) {
    return Click(point, Button::kLeft) && Click(point, Button::kLeft);
}

bool Drag(POINT from, POINT to, Button button, int steps) {
    bool done = MoveTo(from) && Press(button);
    for (int step = 1; done && step <= steps; ++step) {
        std::this_thread::sleep_for(Millis(50));
        done = MoveTo(
            {from.x + (to.x - from.x) * step / steps, from.y + (to.y - from.y) * step / steps});
    }
    return Release(button) && done;
}

}  // namespace tw::desktop
