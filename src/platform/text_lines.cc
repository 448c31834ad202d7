#include "platform/text_lines.h"

namespace ql2 {

std::size_t TextStart(std::string_view bytes) {
  constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
  return bytes.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark
             ? kUtf8ByteOrderMark.size()
             : 0;
}

TextLine LineAt(std::string_view bytes, std::size_t pos) {
  TextLine line;
  line.begin = pos;
  // A plain scan: find_first_of("\r\n") calls memchr once for every byte it passes, which made
  // the line scans of a large panel file the slowest part of a click.
  std::size_t stop = pos;
  while (stop < bytes.size() && bytes[stop] != '\r' && bytes[stop] != '\n') ++stop;
  if (stop == bytes.size()) {
    line.content_end = line.end = bytes.size();
  } else {
    line.content_end = stop;
    bool crlf = bytes[stop] == '\r' && stop + 1 < bytes.size() && bytes[stop + 1] == '\n';
    line.end = stop + (crlf ? 2 : 1);
  }
  return line;
}

std::vector<TextLine> SplitLines(std::string_view bytes) {
  std::vector<TextLine> lines;
  for (std::size_t pos = TextStart(bytes); pos < bytes.size();) {
    lines.push_back(LineAt(bytes, pos));
    pos = lines.back().end;
  }
  return lines;
}

}  // namespace ql2
