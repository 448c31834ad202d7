#include "platform/program_files.h"

#include <gtest/gtest.h>

namespace ql2 {
namespace {

const std::vector<std::string> kProgramFolders = {"C:\\Program Files", "C:\\Program Files (x86)\\",
                                                  ""};
constexpr char kPlain[] = "permission denied";

struct CauseCase {
  const char* path;
  bool elevated;
  std::string_view cause;
};

TEST(AccessDeniedCauseTest, NamesProgramFilesOnlyForAProgramThatIsNotElevated) {
  const CauseCase cases[] = {
      // The usual place of the simulator, in either program folder.
      {"C:\\Program Files\\Microsoft Games\\Flight Simulator 9\\QL\\qlever2.con", false,
       kProgramFilesCause},
      {"C:\\Program Files (x86)\\Microsoft Games\\Flight Simulator 9\\Aircraft", false,
       kProgramFilesCause},
      // Names as the registry or a user may spell them.
      {"c:\\program files\\Microsoft Games\\panel.cfg", false, kProgramFilesCause},
      {"C:/Program Files/Microsoft Games/panel.cfg", false, kProgramFilesCause},
      {"C:\\PROGRAM FILES (X86)", false, kProgramFilesCause},
      // An elevated program was refused for another reason: the hint would mislead.
      {"C:\\Program Files\\Microsoft Games\\panel.cfg", true, kPlain},
      {"C:\\Program Files (x86)\\Microsoft Games\\panel.cfg", true, kPlain},
      // Elsewhere, elevation is not what is missing.
      {"D:\\Games\\Flight Simulator 9\\QL\\qlever2.con", false, kPlain},
      {"C:\\Program Files Old\\Flight Simulator 9\\panel.cfg", false, kPlain},
      {"C:\\Program File", false, kPlain},
      {"D:\\Program Files\\Flight Simulator 9\\panel.cfg", false, kPlain},
      {"", false, kPlain},
  };
  for (const CauseCase& c : cases) {
    EXPECT_EQ(AccessDeniedCause(c.path, kProgramFolders, c.elevated), c.cause)
        << c.path << (c.elevated ? " (elevated)" : "");
  }
}

TEST(AccessDeniedCauseTest, NoProgramFoldersKnownMeansNoHint) {
  EXPECT_EQ(AccessDeniedCause("C:\\Program Files\\x", {}, false), kPlain);
  EXPECT_EQ(AccessDeniedCause("C:\\Program Files\\x", {"", "\\"}, false), kPlain);
}

TEST(IsInFolderTest, AFolderHoldsItselfAndWhatLiesBelowIt) {
  EXPECT_TRUE(IsInFolder("C:\\Program Files", "C:\\Program Files\\"));
  EXPECT_TRUE(IsInFolder("C:\\Program Files\\", "C:\\Program Files"));
  EXPECT_TRUE(IsInFolder("C:\\Program Files\\a\\b", "c:/program files"));
  EXPECT_FALSE(IsInFolder("C:\\Program Filesx\\a", "C:\\Program Files"));
  EXPECT_FALSE(IsInFolder("C:\\Program", "C:\\Program Files"));
}

}  // namespace
}  // namespace ql2
