// The chat message template, from the first line of "msg.txt" beside the program.
#pragma once

#include <string>
#include <string_view>

#include "platform/system.h"

namespace tw {

// The first line of the file's bytes: up to the first carriage return or line
// feed. A line feed must end the line too: every line of the game script that
// the template ends up in runs as a console command in the game.
std::string_view FirstLine(std::string_view bytes);

// The template for the given first line: the line itself, blanks included,
// unless it is empty or blanks only, when the default takes its place.
std::string TemplateFromFirstLine(std::string_view line);

// Reads "msg.txt" from the program's folder: UTF-16 when it starts with a
// UTF-16 mark, UTF-8 when it starts with the UTF-8 mark or its first line is
// valid UTF-8, ANSI otherwise; the result is UTF-8 either way. A missing, unreadable, empty or
// blank file gives the default template.
std::string ReadMessageTemplate(platform::System& system);

}  // namespace tw
