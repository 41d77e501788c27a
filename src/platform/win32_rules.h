// What the Win32 backend reads from the system's numbers and makes of them: a window's styles
// from its description, the mouse messages' parameters, and what a call's error code says.
// Portable, without <windows.h>, so that the host's tests run the same code the backend does;
// the backend checks each number here against the system's own header.
#pragma once

#include <cstdint>

#include "platform/system.h"
#include "platform/types.h"
#include "platform/window.h"

namespace tw::platform::win32_rules {

// Window styles (WS_*, WS_EX_*).
inline constexpr std::uint32_t kPopup = 0x80000000, kClipChildren = 0x02000000,
                               kDialogFrame = 0x00400000;
inline constexpr std::uint32_t kDialogModalFrame = 0x00000001, kToolWindow = 0x00000080,
                               kAppWindow = 0x00040000, kNoActivate = 0x08000000;
// The mouse messages (WM_*) and the buttons their wParam says are held (MK_*).
inline constexpr std::uint32_t kMouseMove = 0x0200, kLeftDown = 0x0201, kLeftUp = 0x0202,
                               kLeftDoubleClick = 0x0203, kRightDown = 0x0204, kRightUp = 0x0205,
                               kRightDoubleClick = 0x0206, kMiddleDown = 0x0207, kMiddleUp = 0x0208,
                               kMiddleDoubleClick = 0x0209;
inline constexpr std::uintptr_t kHeldLeft = 0x0001, kHeldRight = 0x0002, kHeldMiddle = 0x0010;
// Error codes (ERROR_*).
inline constexpr std::uint32_t kErrorSuccess = 0, kErrorAccessDenied = 5, kErrorAlreadyExists = 183,
                               kErrorTimeout = 1460;

struct WindowStyles {
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
};

// A popup that clips its children; the dialog frame alone for FixedDialog (no title bar,
// caption or system menu); a taskbar button only where the design asks for one; and never
// activated by a click where the window must not take the focus.
WindowStyles StylesFor(const FormDesc& desc, bool activates);

// The mouse buttons a mouse message's wParam says are down.
std::int16_t ButtonsHeld(std::uintptr_t wParam);
// The button a press, release or double-click message is about.
std::int16_t ButtonOf(std::uint32_t message);
// The client point of a mouse message's lParam: signed, since a captured mouse reports
// positions left of and above the window.
PixelPoint PointFrom(std::intptr_t lParam);

// A bounded send (SendMessageTimeout) that returned 0, with the error code it left, and
// whether the window still exists: only a wait given up on a window that is still there
// counts as hung. A send that returned non-zero was delivered.
SendResult SendOutcome(bool returned, std::uint32_t error, bool windowExists);
// Whether this copy may run, from the named mark it tried to create (whether it got a handle,
// and the error code left): a mark that exists already means another copy runs.
bool InstanceClaimed(bool gotMark, std::uint32_t error);

}  // namespace tw::platform::win32_rules
