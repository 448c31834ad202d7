#include "app/advice.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/program_files.h"

namespace ql2 {
namespace {

// Every kind of problem gets a sentence of its own, which follows the problem's sentence.
TEST(AdviceTest, EveryProblemSaysWhatToDo) {
  const ErrorKind kinds[] = {ErrorKind::kNotFound,   ErrorKind::kPermissionDenied,
                             ErrorKind::kReadOnly,   ErrorKind::kInUse,
                             ErrorKind::kDiskFull,   ErrorKind::kNotAFile,
                             ErrorKind::kBadContent, ErrorKind::kOther};
  std::set<std::string> seen;
  for (ErrorKind kind : kinds) {
    const std::string advice = AdviceAfter(Status::Failed(kind, "write", "x"));
    EXPECT_EQ(advice.rfind(' ', 0), 0u) << advice;
    EXPECT_EQ(advice.back(), '.') << advice;
    EXPECT_TRUE(seen.insert(advice).second) << "the same advice twice: " << advice;
  }
  EXPECT_EQ(AdviceAfter(Status::Ok()), "");
  // The refusal under Program Files says what to do itself.
  EXPECT_EQ(AdviceAfter(Status::Failed(ErrorKind::kPermissionDenied, "write", "x",
                                       std::string(kProgramFilesCause))),
            "");
  EXPECT_NE(AdviceAfter(Status::Failed(ErrorKind::kInUse, "write", "x")).find("Close the program"),
            std::string::npos);
  EXPECT_NE(AdviceAfter(Status::Failed(ErrorKind::kDiskFull, "write", "x")).find("Free some space"),
            std::string::npos);
}

}  // namespace
}  // namespace ql2
