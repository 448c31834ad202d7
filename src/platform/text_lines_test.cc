#include "platform/text_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ql2 {
namespace {

// Each line as its text and its ending, e.g. "a|\r\n".
std::vector<std::string> Lines(std::string_view bytes) {
  std::vector<std::string> lines;
  for (const TextLine& line : SplitLines(bytes)) {
    lines.push_back(std::string(LineText(bytes, line)) + "|" +
                    std::string(bytes.substr(line.content_end, line.end - line.content_end)));
  }
  return lines;
}

TEST(SplitLinesTest, EveryEndingAndTheUnendedLastLine) {
  using namespace std::string_literals;
  const struct {
    std::string bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"", {}},
      {"a", {"a|"}},
      {"a\r\nb\nc\rd", {"a|\r\n", "b|\n", "c|\r", "d|"}},
      {"\r\n\n\r", {"|\r\n", "|\n", "|\r"}},
      {"a\r\r\nb", {"a|\r", "|\r\n", "b|"}},
      {"a\n\r", {"a|\n", "|\r"}},
      {"a\n\nb", {"a|\n", "|\n", "b|"}},
      {"x\0y\r\n"s, {"x\0y|\r\n"s}},
      {"[Window00]\r\ngauge00=a\r\n", {"[Window00]|\r\n", "gauge00=a|\r\n"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Lines(c.bytes), c.lines) << c.bytes;
  }
}

TEST(SplitLinesTest, ForEachLineSeesTheSameLinesAndStopsWhenAsked) {
  const std::string bytes = "a\r\nb\rc\nd";
  std::vector<std::string> seen;
  ForEachLine(bytes, [&](std::string_view line) {
    seen.emplace_back(line);
    return line != "c";
  });
  EXPECT_EQ(seen, (std::vector<std::string>{"a", "b", "c"}));
}

}  // namespace
}  // namespace ql2
