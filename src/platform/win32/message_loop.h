// The one way the program handles its thread's messages, shared by the main
// loop, the loop of a modal window and DoEvents.
#pragma once

#include <windows.h>

#include <optional>

namespace tw::platform::win32 {

// Hands a message to its window. In a window with edit boxes and buttons, Tab
// and Shift+Tab move the keyboard between them in their order, as in any dialog.
void DispatchOne(MSG& message);

// Waits for the thread's next message and handles it. A value means the loop
// has to end with that exit code: the quit message's, or 1 when the queue
// cannot be read.
std::optional<int> HandleNextMessage();

}  // namespace tw::platform::win32
