// The program's help: its readme in Notepad.
#pragma once

#include "platform/system.h"

namespace tw {

// Opens "readme.txt" from the program's folder in Notepad, or says in a message
// box that it is missing.
void ShowHelp(platform::System& system);

}  // namespace tw
