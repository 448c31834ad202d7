#include "platform/windows_command_line.h"

#include <gtest/gtest.h>

namespace ql2 {
namespace {

TEST(WindowsCommandLineTest, QuotesWhatTheSplitWouldOtherwiseChange) {
  struct Case {
    const char* argument;
    const char* quoted;
  };
  const Case cases[] = {
      {"--sim-folder", "--sim-folder"},
      {"C:\\FS9", "C:\\FS9"},
      {"C:\\Program Files\\Microsoft Games\\Flight Simulator 9",
       "\"C:\\Program Files\\Microsoft Games\\Flight Simulator 9\""},
      {"C:\\Program Files\\FS9\\", "\"C:\\Program Files\\FS9\\\\\""},
      {"", "\"\""},
      {"a\"b", "\"a\\\"b\""},
      {"a\\\"b", "\"a\\\\\\\"b\""},
      {"tab\there", "\"tab\there\""},
  };
  for (const Case& c : cases) EXPECT_EQ(QuoteWindowsArgument(c.argument), c.quoted) << c.argument;
  EXPECT_EQ(JoinWindowsArguments({"--sim-folder", "D:\\My Games\\FS9"}),
            "--sim-folder \"D:\\My Games\\FS9\"");
}

}  // namespace
}  // namespace ql2
