#include "panelcfg/free_numbers.h"

#include <gtest/gtest.h>

namespace ql2 {
namespace {

// Names are compared as the profile functions compare them: blanks trimmed, letter case ignored,
// but the text of the number as it stands ("Window9" is not "Window09").
TEST(FreeNumbersTest, WindowNumbers) {
  struct Case {
    const char* name;
    const char* file;
    int from;
    int expected;
  };
  const Case cases[] = {
      {"nothing taken", "[Window Titles]\r\nWindow00=a\r\n", 1, 1},
      {"a title key", "[Window Titles]\r\nWindow5=a\r\n", 5, 6},
      {"a title key in capitals, indented", "[Window Titles]\r\n  WINDOW5 = a\r\n", 5, 6},
      {"a section without a title", "[Window Titles]\r\n[window5]\r\n", 5, 6},
      {"a section header with blanks", "[ Window5 ]\r\n", 5, 6},
      {"several in a row", "[Window Titles]\r\nWindow5=a\r\nWindow6=b\r\n[Window7]\r\n", 5, 8},
      {"a padded number is another name", "[Window Titles]\r\nWindow09=a\r\n", 9, 9},
      {"a key of another section", "[Other]\r\nWindow5=a\r\n", 5, 5},
      {"a commented title", "[Window Titles]\r\n;Window5=a\r\n", 5, 5},
      {"zero is written Window00", "[Window00]\r\n", 0, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(FreeWindowNumber(c.file, c.from), c.expected) << c.name;
}

TEST(FreeNumbersTest, GaugeNumbers) {
  struct Case {
    const char* name;
    const char* file;
    GaugeKeyStyle style;
    int from;
    int expected;
  };
  constexpr GaugeKeyStyle kPlain = GaugeKeyStyle::kNoLeadingZero;
  constexpr GaugeKeyStyle kTwo = GaugeKeyStyle::kTwoDigits;
  const Case cases[] = {
      {"nothing taken", "[Window00]\r\ngauge00=a\r\n", kPlain, 1, 1},
      {"a key in capitals", "[Window00]\r\nGauge00=a\r\n", kPlain, 0, 1},
      {"an indented key", "[Window00]\r\n\tgauge02=a\r\n", kTwo, 2, 3},
      {"two digits against one", "[Window00]\r\ngauge05=a\r\n", kPlain, 5, 5},
      {"two digits against two", "[Window00]\r\ngauge05=a\r\n", kTwo, 5, 6},
      {"a key of a later section of that name", "[Window00]\r\n[Window00]\r\ngauge3=a\r\n", kPlain,
       3, 3},
      {"a key of another section", "[Window00]\r\n[Window01]\r\ngauge3=a\r\n", kPlain, 3, 3},
      {"a commented key", "[Window00]\r\n//gauge3=a\r\n", kPlain, 3, 3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FreeGaugeNumber(c.file, "Window00", c.from, c.style), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace ql2
