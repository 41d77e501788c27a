// Driving a Windows (or Wine) desktop the way a user would, shared by twdrive.exe and the
// end-to-end tests. Input goes through SendInput so that it lands in the shared keyboard
// state that GetAsyncKeyState reads in every other process.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <span>
#include <thread>
#include <vector>

namespace tw::desktop {

using Clock = std::chrono::steady_clock;
using Millis = std::chrono::milliseconds;

// Asks `done` every `step` until it says yes or `timeout` has passed; returns its last answer.
template <class Done>
bool PollUntil(Millis timeout, Done done, Millis step = Millis(25)) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        if (done()) {
            return true;
        }
        if (Clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(step);
    }
}

// Top-level windows of this class (and title, when given) owned by `processId` (any when 0).
std::vector<HWND> FindTopLevels(const wchar_t* windowClass, const wchar_t* title = nullptr,
                                DWORD processId = 0);
HWND FindTopLevel(const wchar_t* windowClass, const wchar_t* title = nullptr, DWORD processId = 0);
HWND WaitForTopLevel(const wchar_t* windowClass, const wchar_t* title, DWORD processId,
                     Millis timeout);
std::optional<RECT> WindowRect(HWND window);

// Presses the keys in order, holds them for `hold` and releases them in reverse. The release
// is sent even when the press was refused, so no key stays down; false when either was.
bool HoldChord(std::span<const WORD> virtualKeys, Millis hold);
bool ReleaseKeys(std::span<const WORD> virtualKeys);

enum class Button { kLeft, kRight };
// Moves the pointer to the screen point and waits until it is there.
bool MoveTo(POINT point);
bool Press(Button button);
bool Release(Button button);
// Moves the pointer to the screen point, then presses and releases; twice, well within the
// double-click time, for a double click.
bool Click(POINT point, Button button);
bool DoubleClick(POINT point);
// Presses at `from`, moves to `to` in `steps` even steps and releases there. The release is
// sent even when a move failed, so no button stays down.
bool Drag(POINT from, POINT to, Button button, int steps);

}  // namespace tw::desktop
