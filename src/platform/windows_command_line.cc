#include "platform/windows_command_line.h"

namespace ql2 {
namespace {

constexpr std::string_view kNeedsQuotes = " \t\n\v\"";
constexpr char kQuote = '"';
constexpr char kBackslash = '\\';

}  // namespace

std::string QuoteWindowsArgument(std::string_view argument) {
  if (!argument.empty() && argument.find_first_of(kNeedsQuotes) == std::string_view::npos) {
    return std::string(argument);
  }
  std::string quoted(1, kQuote);
  std::size_t backslashes = 0;  // waiting: whether they are doubled depends on what follows
  for (char c : argument) {
    if (c == kBackslash) {
      ++backslashes;
      continue;
    }
    if (c == kQuote) {
      quoted.append(backslashes * 2 + 1, kBackslash);
    } else {
      quoted.append(backslashes, kBackslash);
    }
    quoted += c;
    backslashes = 0;
  }
  quoted.append(backslashes * 2, kBackslash);
  quoted += kQuote;
  return quoted;
}

std::string JoinWindowsArguments(const std::vector<std::string>& arguments) {
  std::string line;
  for (const std::string& argument : arguments) {
    if (!line.empty()) line += ' ';
    line += QuoteWindowsArgument(argument);
  }
  return line;
}

}  // namespace ql2
