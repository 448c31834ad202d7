// ASCII letter case, as the simulator's files and Windows names compare it: other bytes (code
// page characters) are compared as they are.
#pragma once

#include <cstddef>
#include <string_view>

namespace ql2 {

inline char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

// Whether text holds needle somewhere, ASCII letter case aside. Only the places where the
// needle's first letter stands (in either case) are compared, found with memchr.
inline bool ContainsIgnoringAsciiCase(std::string_view text, std::string_view needle) {
  if (needle.empty()) return true;
  const char lower = AsciiLower(needle[0]);
  const char upper = lower >= 'a' && lower <= 'z' ? static_cast<char>(lower - 'a' + 'A') : lower;
  std::size_t next_lower = text.find(lower);
  std::size_t next_upper = upper == lower ? std::string_view::npos : text.find(upper);
  for (;;) {
    const std::size_t at = next_lower < next_upper ? next_lower : next_upper;
    if (at == std::string_view::npos || needle.size() > text.size() - at) return false;
    if (EqualIgnoringAsciiCase(text.substr(at, needle.size()), needle)) return true;
    if (at == next_lower) next_lower = text.find(lower, at + 1);
    if (at == next_upper) next_upper = text.find(upper, at + 1);
  }
}

// Blanks are spaces and tabs. These look at a line's few leading or trailing characters one by
// one: find_first_not_of(" \t") calls memchr for each character it passes, which made the line
// scans of a large file slow.
inline bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

inline std::size_t FirstNonBlank(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!IsBlank(text[i])) return i;
  }
  return std::string_view::npos;
}

// The text without its leading and trailing blanks.
inline std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = FirstNonBlank(text);
  if (first == std::string_view::npos) return {};
  std::size_t end = text.size();
  while (IsBlank(text[end - 1])) --end;
  return text.substr(first, end - first);
}

}  // namespace ql2
