// The process's command line as the system gives it: the program's own name
// (quoted when it holds blanks) and then the arguments.
#pragma once

#include <string_view>

namespace tw::platform {

// The arguments after the program's name, with the blanks and tabs before them
// dropped and the rest exactly as it was: a quoted name ends at its closing
// quote (or the end of the line), an unquoted one at the first blank or tab.
std::string_view ArgumentsOf(std::string_view commandLine);

}  // namespace tw::platform
