#include "platform/spliced_bytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ql2 {
namespace {

TEST(SplicedBytesTest, PartsJoinAndCompareAsTheSplicesSay) {
  struct Case {
    const char* name;
    std::vector<Splice> splices;
    std::string joined;
  };
  const std::string base = "[A]\r\nx=1\r\n";
  const Case cases[] = {
      {"none", {}, base},
      {"at the start", {{0, 0, "; top\r\n"}}, "; top\r\n" + base},
      {"inside and at the end",
       {{5, 0, "k=v\r\n"}, {10, 0, "[B]\r\n"}},
       "[A]\r\nk=v\r\nx=1\r\n[B]\r\n"},
      {"cut out", {{5, 5, ""}}, "[A]\r\n"},
      {"replaced", {{7, 1, "22"}}, "[A]\r\nx=22\r\n"},
      {"two at one place, in order", {{10, 0, "a\r\n"}, {10, 0, "b\r\n"}}, base + "a\r\nb\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SplicedBytes bytes(SharedBytes(base), c.splices);
    EXPECT_EQ(bytes.Joined(), c.joined);
    EXPECT_EQ(bytes.size(), c.joined.size());
    std::string parts;
    for (std::string_view part : bytes.Parts()) {
      EXPECT_FALSE(part.empty());
      parts.append(part);
    }
    EXPECT_EQ(parts, c.joined);
    EXPECT_TRUE(bytes.Equals(c.joined));
    EXPECT_FALSE(bytes.Equals(c.joined + " "));
    std::string other = c.joined;
    other.back() = 'x';
    EXPECT_FALSE(bytes.Equals(other));
  }
}

}  // namespace
}  // namespace ql2
