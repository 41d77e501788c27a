// The shell's side of the notification-area icons: the calls that put an icon
// up and take it down, and the small windows its notices go to.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/form_model.h"

namespace tw::platform::win32 {

// The message the shell sends an icon's window, the icon's id in wParam and
// the mouse message in lParam. It has WM_MOUSEMOVE's number, which is why it
// goes to a window of its own and never to the form.
inline constexpr UINT kIconNoticeMessage = 512;

// Sent to every top-level window when the shell (re)starts: its icons are gone.
UINT TaskbarCreatedMessage();

// A hidden, zero-sized child of the form that receives one control's icon
// notices; `procedure` gets `user` back through GWLP_USERDATA. Null on failure.
HWND CreateIconSink(HWND form, WNDPROC procedure, void* user);

// Lets the shell's messages in when the program runs elevated and the shell does not.
void AcceptFromShell(HWND window, UINT message);

// False when the shell refuses the icon.
bool ShellAddIcon(HWND sink, const NotifyIcon& icon, int iconResource);
void ShellDeleteIcon(HWND sink, std::uint32_t id);

}  // namespace tw::platform::win32
