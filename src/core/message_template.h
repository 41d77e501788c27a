// The chat message template, from the first line of "msg.txt" beside the program.
#pragma once

#include <string>

#include "platform/system.h"

namespace tw {

// Reads "msg.txt" from the program's folder: UTF-16 when it starts with a
// UTF-16 mark, UTF-8 when it starts with the UTF-8 mark or its first line is
// valid UTF-8, ANSI otherwise; the result is UTF-8 either way. A missing, unreadable, empty or
// blank file gives the default template.
std::string ReadMessageTemplate(platform::System& system);

}  // namespace tw
