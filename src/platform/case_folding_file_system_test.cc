#include "platform/case_folding_file_system.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "platform/posix_file_system.h"

namespace ql2 {
namespace {

// An add-on tree spelt otherwise on disk than in the program, as installers leave it.
class CaseFoldingTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/ql2-case-folding-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
    Write("Aircraft/FeelThere PIC 737-300/Panel/Panel.cfg", "737-300");
    Write("Aircraft/FeelThere PIC 737-300/Panel/panel.backup", "backup");
    // Twins that differ only in case (possible on Linux only).
    Write("Aircraft/Twins/panel/panel.cfg", "lower");
    Write("Aircraft/Twins/Panel/panel.cfg", "upper");
    Write("Aircraft/Twins/PANEL.cfg", "file");
    std::filesystem::create_directories(root_ + "/Aircraft/Twins/pAnel");
  }
  void TearDown() override { std::filesystem::remove_all(root_); }

  void Write(const std::string& relative, const std::string& bytes) {
    std::filesystem::path path = root_ + "/" + relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }

  std::set<std::string> Entries(const std::string& relative) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(root_ + "/" + relative)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  std::string root_;
  PosixFileSystem disk_;
  CaseFoldingFileSystem fs_{disk_};
};

TEST_F(CaseFoldingTest, ResolvesEachComponent) {
  struct Case {
    std::string asked;
    std::string found;
  };
  const Case cases[] = {
      // Exact names are kept.
      {"/Aircraft/FeelThere PIC 737-300/Panel/Panel.cfg",
       "/Aircraft/FeelThere PIC 737-300/Panel/Panel.cfg"},
      // Every mismatched component is found, the trailing separator survives.
      {"/aircraft/feelThere pic 737-300/panel/panel.cfg",
       "/Aircraft/FeelThere PIC 737-300/Panel/Panel.cfg"},
      {"/AIRCRAFT/feelthere pic 737-300/PANEL/", "/Aircraft/FeelThere PIC 737-300/Panel/"},
      {"/aircraft//feelthere pic 737-300/./panel", "/Aircraft//FeelThere PIC 737-300/./Panel"},
      // The exact name wins over its case twins; among twins only, the first byte by byte.
      {"/Aircraft/Twins/pAnel", "/Aircraft/Twins/pAnel"},
      {"/Aircraft/Twins/panel/panel.cfg", "/Aircraft/Twins/panel/panel.cfg"},
      {"/Aircraft/Twins/PaNeL/panel.cfg", "/Aircraft/Twins/Panel/panel.cfg"},
      // A missing name ends the search; the rest is kept as asked.
      {"/aircraft/feelthere pic 737-300/panel/panel.cfg.backup",
       "/Aircraft/FeelThere PIC 737-300/Panel/panel.cfg.backup"},
      {"/aircraft/Nowhere/panel/panel.cfg", "/Aircraft/Nowhere/panel/panel.cfg"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ResolvePathIgnoringCase(root_ + c.asked), root_ + c.found) << c.asked;
  }
}

TEST_F(CaseFoldingTest, PathOnDiskIsTheResolvedPath) {
  EXPECT_EQ(fs_.PathOnDisk(root_ + "/aircraft/feelthere pic 737-300/panel/panel.backup"),
            root_ + "/Aircraft/FeelThere PIC 737-300/Panel/panel.backup");
  EXPECT_EQ(fs_.PathOnDisk(root_ + "/aircraft/none/panel.cfg"), root_ + "/Aircraft/none/panel.cfg");
}

TEST_F(CaseFoldingTest, ResolvesRelativePaths) {
  std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(root_);
  std::string found = ResolvePathIgnoringCase("aircraft/FEELTHERE PIC 737-300");
  std::filesystem::current_path(previous);
  EXPECT_EQ(found, "Aircraft/FeelThere PIC 737-300");
}

TEST_F(CaseFoldingTest, ReadsAndChecksThroughMismatchedNames) {
  const std::string panel = root_ + "/aircraft/feelThere pic 737-300/panel/panel.cfg";
  Result<std::string> bytes = fs_.ReadFile(panel);
  ASSERT_TRUE(bytes.ok()) << bytes.status().message();
  EXPECT_EQ(bytes.value(), "737-300");
  EXPECT_EQ(fs_.Stat(panel).kind, EntryKind::kFile);
  EXPECT_TRUE(fs_.CheckEditable(panel).ok());
  EXPECT_TRUE(fs_.CheckFolderWritable(root_ + "/aircraft/feelThere pic 737-300/panel").ok());
  EXPECT_EQ(disk_.Stat(panel).kind, EntryKind::kNone);  // the inner one alone does not find it
}

TEST_F(CaseFoldingTest, ExistenceRuleKeepsTheTrailingSeparator) {
  const std::string folder = root_ + "/aircraft/feelthere pic 737-300/panel";
  EXPECT_TRUE(PathExists(fs_, folder + "/"));
  EXPECT_TRUE(PathExists(fs_, folder));
  EXPECT_TRUE(PathExists(fs_, folder + "/PANEL.CFG"));
  EXPECT_FALSE(PathExists(fs_, folder + "/PANEL.CFG/"));  // a file is not a folder
  EXPECT_FALSE(PathExists(fs_, root_ + "/aircraft/feelthere pic 737-400/panel/"));
}

TEST_F(CaseFoldingTest, NewFileGoesIntoTheExistingFolderUnderItsOwnName) {
  const std::string folder = root_ + "/aircraft/feelthere pic 737-300/PANEL";
  ASSERT_TRUE(fs_.CopyFile(folder + "/panel.cfg", folder + "/panel.cfg.backup").ok());
  ASSERT_TRUE(fs_.ReplaceFile(folder + "/Extra.txt", "x").ok());
  EXPECT_EQ(Entries("Aircraft/FeelThere PIC 737-300/Panel"),
            (std::set<std::string>{"Panel.cfg", "panel.backup", "panel.cfg.backup", "Extra.txt"}));
  EXPECT_EQ(Entries("."), std::set<std::string>{"Aircraft"});  // no twin folder was made
  Result<std::string> backup =
      disk_.ReadFile(root_ + "/Aircraft/FeelThere PIC 737-300/Panel/panel.cfg.backup");
  ASSERT_TRUE(backup.ok());
  EXPECT_EQ(backup.value(), "737-300");
}

TEST_F(CaseFoldingTest, ExistingFileIsReplacedNotTwinned) {
  const std::string folder = root_ + "/aircraft/feelthere pic 737-300/panel";
  ASSERT_TRUE(fs_.ReplaceFile(folder + "/PANEL.BACKUP", "restored").ok());
  ASSERT_TRUE(fs_.DeleteFile(folder + "/PANEL.CFG").ok());
  EXPECT_EQ(Entries("Aircraft/FeelThere PIC 737-300/Panel"), std::set<std::string>{"panel.backup"});
  Result<std::string> bytes =
      disk_.ReadFile(root_ + "/Aircraft/FeelThere PIC 737-300/Panel/panel.backup");
  ASSERT_TRUE(bytes.ok());
  EXPECT_EQ(bytes.value(), "restored");
}

TEST_F(CaseFoldingTest, MissingFolderIsNotCreated) {
  Status status = fs_.ReplaceFile(root_ + "/aircraft/nowhere/panel.cfg", "x");
  EXPECT_EQ(status.kind(), ErrorKind::kNotFound);
  EXPECT_EQ(Entries("Aircraft"), (std::set<std::string>{"FeelThere PIC 737-300", "Twins"}));
}

// Under a lock, names are looked up once and kept; the program's own deletes and a released lock
// make them be looked up again, so that a twin, or another program's change, is found then.
TEST_F(CaseFoldingTest, NamesAreKeptWhileLockedAndForgottenOnDeleteAndRelease) {
  const std::string twins = root_ + "/aircraft/twins/";
  Write("Aircraft/Twins/Panel/PANEL.CFG", "upper twin");
  {
    Result<std::unique_ptr<FolderLock>> lock = fs_.LockFolder(root_);
    ASSERT_TRUE(lock.ok());
    Result<std::string> first = fs_.ReadFile(twins + "PANEL/Panel.cfg");
    ASSERT_TRUE(first.ok());
    EXPECT_EQ(first.value(), "upper twin");  // "PANEL.CFG" sorts before "panel.cfg"
    // Deleting it forgets the name: the twin left is found.
    ASSERT_TRUE(fs_.DeleteFile(twins + "PANEL/Panel.cfg").ok());
    Result<std::string> second = fs_.ReadFile(twins + "PANEL/Panel.cfg");
    ASSERT_TRUE(second.ok());
    EXPECT_EQ(second.value(), "upper");
    // A name missing from a folder is looked for in the folder's entries, which the program's own
    // writes keep up to date: the file it makes is found under any spelling.
    EXPECT_EQ(fs_.Stat(twins + "panel/NEW.cfg").kind, EntryKind::kNone);
    ASSERT_TRUE(fs_.ReplaceFile(twins + "panel/New.cfg", "new").ok());
    EXPECT_EQ(fs_.Stat(twins + "panel/NEW.cfg").kind, EntryKind::kFile);
    Result<std::string> made = fs_.ReadFile(twins + "panel/new.CFG");
    ASSERT_TRUE(made.ok());
    EXPECT_EQ(made.value(), "new");
    EXPECT_EQ(fs_.PathOnDisk(twins + "panel/new.CFG"), root_ + "/Aircraft/Twins/panel/New.cfg");
    // A folder another program renames meanwhile is still found under the name found before.
    std::filesystem::rename(root_ + "/Aircraft/Twins", root_ + "/Aircraft/TWINS-old");
    EXPECT_EQ(fs_.Stat(twins + "panel.cfg").kind, EntryKind::kNone);
  }
  std::filesystem::rename(root_ + "/Aircraft/TWINS-old", root_ + "/Aircraft/TwInS");
  Result<std::string> after = fs_.ReadFile(twins + "panel/panel.cfg");
  ASSERT_TRUE(after.ok());
  EXPECT_EQ(after.value(), "lower");
}

}  // namespace
}  // namespace ql2
