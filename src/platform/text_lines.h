// Splits bytes into lines the way every reader of the program sees them: a line ends with CR LF,
// LF or CR, and the last line may have no ending at all. Bytes are never re-encoded; NUL and
// non-ASCII bytes are ordinary characters.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace ql2 {

struct TextLine {
  std::size_t begin = 0;        // offset of the first byte of the line
  std::size_t content_end = 0;  // offset just past its text, before its ending
  std::size_t end = 0;  // offset just past its ending (== content_end for an unended last line)

  bool has_ending() const { return end > content_end; }
};

// Where the text begins: after a UTF-8 byte-order mark, which belongs to no line (it stays in the
// file all the same).
std::size_t TextStart(std::string_view bytes);

// The line that begins at offset pos (pos < bytes.size()).
TextLine LineAt(std::string_view bytes, std::size_t pos);

std::vector<TextLine> SplitLines(std::string_view bytes);

inline std::string_view LineText(std::string_view bytes, const TextLine& line) {
  return bytes.substr(line.begin, line.content_end - line.begin);
}

// Visits each line's text in order; stops early when the visitor returns false.
template <typename Visitor>
void ForEachLine(std::string_view bytes, Visitor&& visit) {
  for (std::size_t pos = TextStart(bytes); pos < bytes.size();) {
    TextLine line = LineAt(bytes, pos);
    if (!visit(LineText(bytes, line))) return;
    pos = line.end;
  }
}

}  // namespace ql2
