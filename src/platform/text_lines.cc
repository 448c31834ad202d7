#include "platform/text_lines.h"

#include <cstdint>
#include <cstring>

namespace ql2 {

std::size_t TextStart(std::string_view bytes) {
  constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
  return bytes.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark
             ? kUtf8ByteOrderMark.size()
             : 0;
}

namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101u;
constexpr std::uint64_t kHighBits = 0x8080808080808080u;

// Whether any of the eight bytes of `word` is `byte` (the bytes of the pattern are byte).
bool HasByte(std::uint64_t word, std::uint64_t pattern) {
  const std::uint64_t x = word ^ pattern;
  return ((x - kOnes) & ~x & kHighBits) != 0;
}

// Where the first CR or LF at or after pos is, or size. Eight bytes are looked at at once: the
// line scans of a click are most of its work on a large file. (find_first_of("\r\n") calls
// memchr once for every byte it passes, and memchr for each of the two ends rescans the whole
// rest of a file with only one kind of end.)
std::size_t LineEnd(std::string_view bytes, std::size_t pos) {
  constexpr std::uint64_t kCarriageReturns = kOnes * '\r';
  constexpr std::uint64_t kLineFeeds = kOnes * '\n';
  const char* data = bytes.data();
  while (pos + sizeof(std::uint64_t) <= bytes.size()) {
    std::uint64_t word;
    std::memcpy(&word, data + pos, sizeof word);
    if (HasByte(word, kCarriageReturns) || HasByte(word, kLineFeeds)) break;
    pos += sizeof word;
  }
  while (pos < bytes.size() && data[pos] != '\r' && data[pos] != '\n') ++pos;
  return pos;
}

}  // namespace

TextLine LineAt(std::string_view bytes, std::size_t pos) {
  TextLine line;
  line.begin = pos;
  const std::size_t stop = LineEnd(bytes, pos);
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
