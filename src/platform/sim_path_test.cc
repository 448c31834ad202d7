#include "platform/sim_path.h"

#include <gtest/gtest.h>

namespace ql2 {
namespace {

TEST(SimPathTest, JoinAddsNoSeparatorAndConvertsBackslashes) {
  struct Case {
    const char* folder;
    const char* relative;
    char separator;
    const char* expected;
  };
  const Case cases[] = {
      {"/sim", "\\QL\\qlever2.con", '/', "/sim/QL/qlever2.con"},
      {"/sim/", "\\QL\\qlever2.con", '/', "/sim//QL/qlever2.con"},  // nothing removed either
      {"C:\\FS9", "\\Aircraft\\a b\\panel\\", '\\', "C:\\FS9\\Aircraft\\a b\\panel\\"},
      {"", "\\QL", '/', "/QL"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(JoinSimPath(c.folder, c.relative, c.separator), c.expected) << c.folder;
  }
  EXPECT_EQ(DisplaySimPath("\\QL\\qlever2.con", '\\'), "QL\\qlever2.con");
  EXPECT_EQ(DisplaySimPath("\\QL\\qlever2.con", '/'), "QL/qlever2.con");
}

}  // namespace
}  // namespace ql2
