// A Windows command line made from separate arguments. Windows hands a program its arguments as
// one text, which the program's start-up code splits again; quoting each argument so that the
// split gives it back exactly is the caller's work (backslashes before a quote are doubled, and
// so are those that end a quoted argument).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ql2 {

std::string QuoteWindowsArgument(std::string_view argument);

// The arguments quoted and joined with blanks.
std::string JoinWindowsArguments(const std::vector<std::string>& arguments);

}  // namespace ql2
