#include "platform/posix_file_system.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace ql2 {
namespace {

class PosixFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[] = "/tmp/ql2-fs-test-XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    dir_ = name;
  }
  void TearDown() override {
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add);
    std::filesystem::remove_all(dir_);
  }

  std::string Path(const std::string& name) const { return dir_ + "/" + name; }

  void Put(const std::string& name, const std::string& bytes, mode_t mode = 0644) {
    std::ofstream(Path(name), std::ios::binary) << bytes;
    ASSERT_EQ(chmod(Path(name).c_str(), mode), 0);
  }

  std::string Bytes(const std::string& name) {
    Result<std::string> r = fs_.ReadFile(Path(name));
    EXPECT_TRUE(r.ok()) << r.status().message();
    return r.value();
  }

  mode_t Mode(const std::string& name) {
    struct stat st {};
    EXPECT_EQ(stat(Path(name).c_str(), &st), 0);
    return st.st_mode & 07777;
  }

  std::set<std::string> Entries() const {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir_)) {
      names.insert(e.path().filename().string());
    }
    return names;
  }

  PosixFileSystem fs_;
  std::string dir_;
};

TEST_F(PosixFileSystemTest, ReplaceKeepsPermissionBitsAndLeavesNoTemporaryFile) {
  Put("panel.cfg", "old", 0640);
  ASSERT_TRUE(fs_.ReplaceFile(Path("panel.cfg"), std::string("new\0\xff", 5)).ok());
  EXPECT_EQ(Bytes("panel.cfg"), std::string("new\0\xff", 5));
  EXPECT_EQ(Mode("panel.cfg"), 0640u);
  EXPECT_EQ(Entries(), std::set<std::string>{"panel.cfg"});
}

// The parts are written one after another: empty ones, and more than one call of the system
// takes at once.
TEST_F(PosixFileSystemTest, ReplaceWithPartsWritesThemInOrder) {
  Put("panel.cfg", "old");
  std::vector<std::string> texts = {"", "[Window00]\r\n", "", "gauge00=a\r\n"};
  for (int i = 0; i < 3000; ++i) texts.push_back(std::to_string(i) + "\n");
  std::vector<std::string_view> parts(texts.begin(), texts.end());
  std::string joined;
  for (const std::string& text : texts) joined += text;
  ASSERT_TRUE(fs_.ReplaceFileWithParts(Path("panel.cfg"), parts).ok());
  EXPECT_EQ(Bytes("panel.cfg"), joined);
  ASSERT_TRUE(fs_.ReplaceFileWithParts(Path("panel.cfg"), {}).ok());
  EXPECT_EQ(Bytes("panel.cfg"), "");
  EXPECT_EQ(Entries(), std::set<std::string>({"panel.cfg"}));
}

// A look at a file tells a replaced one from the one before, even with the same bytes, so that a
// change another copy of the program made is seen without reading the file.
TEST_F(PosixFileSystemTest, StatTellsAReplacedFileFromTheOneBefore) {
  Put("panel.backup", "same", 0644);
  const EntryInfo before = fs_.Stat(Path("panel.backup"));
  EXPECT_EQ(before.size, 4u);
  ASSERT_TRUE(fs_.ReplaceFile(Path("panel.backup"), "same").ok());
  const EntryInfo after = fs_.Stat(Path("panel.backup"));
  EXPECT_EQ(after.size, 4u);
  EXPECT_TRUE(after.identity != before.identity || after.modified != before.modified);
}

TEST_F(PosixFileSystemTest, ReplaceCreatesMissingFileWithUmaskBits) {
  mode_t mask = umask(022);
  Status s = fs_.ReplaceFile(Path("new.cfg"), "x");
  umask(mask);
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(Bytes("new.cfg"), "x");
  EXPECT_EQ(Mode("new.cfg"), 0644u);
  EXPECT_EQ(Entries(), std::set<std::string>{"new.cfg"});
}

// Windows refuses a read-only file even to an administrator; CI runs as root.
TEST_F(PosixFileSystemTest, ReplaceRefusesFileWithoutWriteBitEvenToRoot) {
  Put("panel.cfg", "old", 0444);
  Status s = fs_.ReplaceFile(Path("panel.cfg"), "new");
  EXPECT_EQ(s.kind(), ErrorKind::kReadOnly);
  EXPECT_EQ(s.message(), "cannot write " + Path("panel.cfg") + ": the file is read-only");
  EXPECT_EQ(Bytes("panel.cfg"), "old");
  EXPECT_EQ(Entries(), std::set<std::string>{"panel.cfg"});
  EXPECT_EQ(fs_.CopyFile(Path("panel.cfg"), Path("panel.cfg")).kind(), ErrorKind::kReadOnly);
}

TEST_F(PosixFileSystemTest, ReplaceInMissingFolderIsNotFoundNamingPathAndCause) {
  const std::string path = Path("nofolder/panel.cfg");
  Status s = fs_.ReplaceFile(path, "x");
  EXPECT_EQ(s.kind(), ErrorKind::kNotFound);
  EXPECT_EQ(s.message(), "cannot write " + path + ": no such file or folder");
  EXPECT_EQ(s.cause(), "no such file or folder");
}

TEST_F(PosixFileSystemTest, ReplaceThroughSymlinkReplacesTargetAndKeepsLink) {
  ASSERT_EQ(mkdir(Path("real").c_str(), 0755), 0);
  Put("real/panel.cfg", "old", 0600);
  ASSERT_EQ(symlink("real/panel.cfg", Path("link.cfg").c_str()), 0);

  ASSERT_TRUE(fs_.ReplaceFile(Path("link.cfg"), "new").ok());
  EXPECT_TRUE(std::filesystem::is_symlink(Path("link.cfg")));
  EXPECT_EQ(Bytes("real/panel.cfg"), "new");
  EXPECT_EQ(Mode("real/panel.cfg"), 0600u);
  EXPECT_EQ(Entries(), (std::set<std::string>{"link.cfg", "real"}));
  std::set<std::string> real;
  for (const auto& e : std::filesystem::directory_iterator(Path("real"))) {
    real.insert(e.path().filename().string());
  }
  EXPECT_EQ(real, std::set<std::string>{"panel.cfg"});
}

TEST_F(PosixFileSystemTest, ReplaceThroughDanglingSymlinkCreatesTargetAndKeepsLink) {
  ASSERT_EQ(mkdir(Path("real").c_str(), 0755), 0);
  ASSERT_EQ(symlink("real/new.cfg", Path("link.cfg").c_str()), 0);
  ASSERT_TRUE(fs_.ReplaceFile(Path("link.cfg"), "new").ok());
  EXPECT_TRUE(std::filesystem::is_symlink(Path("link.cfg")));
  EXPECT_EQ(Bytes("real/new.cfg"), "new");
}

TEST_F(PosixFileSystemTest, ReplaceThroughSymlinkLoopIsAnErrorAndKeepsLinks) {
  ASSERT_EQ(symlink("b.cfg", Path("a.cfg").c_str()), 0);
  ASSERT_EQ(symlink("a.cfg", Path("b.cfg").c_str()), 0);
  EXPECT_FALSE(fs_.ReplaceFile(Path("a.cfg"), "x").ok());
  EXPECT_TRUE(std::filesystem::is_symlink(Path("a.cfg")));
  EXPECT_EQ(Entries(), (std::set<std::string>{"a.cfg", "b.cfg"}));
}

// Both reads give the file's bytes as they are, also empty or larger than a page, and fail alike.
TEST_F(PosixFileSystemTest, ReadsGiveTheFilesBytes) {
  for (const std::string& bytes :
       {std::string(), std::string("new\0\xff", 5), std::string(300 * 1024 + 7, '\r')}) {
    Put("panel.cfg", bytes);
    EXPECT_EQ(Bytes("panel.cfg"), bytes);
    Result<SharedBytes> shared = fs_.ReadBytes(Path("panel.cfg"));
    ASSERT_TRUE(shared.ok());
    EXPECT_EQ(shared.value(), bytes);
  }
  EXPECT_EQ(fs_.ReadBytes(Path("missing.cfg")).status().kind(), ErrorKind::kNotFound);
}

TEST_F(PosixFileSystemTest, ReadingOrReplacingAFolderIsNotAFile) {
  ASSERT_EQ(mkdir(Path("sub").c_str(), 0755), 0);
  Result<std::string> r = fs_.ReadFile(Path("sub"));
  EXPECT_EQ(r.status().kind(), ErrorKind::kNotAFile);
  EXPECT_EQ(r.status().message(), "cannot read " + Path("sub") + ": not a regular file");
  EXPECT_EQ(fs_.ReadBytes(Path("sub")).status().message(), r.status().message());
  EXPECT_EQ(fs_.ReplaceFile(Path("sub"), "x").kind(), ErrorKind::kNotAFile);
  EXPECT_EQ(fs_.DeleteFile(Path("sub")).kind(), ErrorKind::kNotAFile);
  EXPECT_TRUE(std::filesystem::is_directory(Path("sub")));
}

TEST_F(PosixFileSystemTest, CopyReplacesDestinationAndDeleteRemoves) {
  Put("panel.cfg", "cfg");
  Put("panel.cfg.backup", "stale", 0600);
  ASSERT_TRUE(fs_.CopyFile(Path("panel.cfg"), Path("panel.cfg.backup")).ok());
  EXPECT_EQ(Bytes("panel.cfg.backup"), "cfg");
  ASSERT_TRUE(fs_.DeleteFile(Path("panel.cfg.backup")).ok());
  EXPECT_EQ(Entries(), std::set<std::string>{"panel.cfg"});
  EXPECT_EQ(fs_.DeleteFile(Path("panel.cfg.backup")).kind(), ErrorKind::kNotFound);
  EXPECT_EQ(fs_.CopyFile(Path("missing"), Path("x")).kind(), ErrorKind::kNotFound);
}

TEST_F(PosixFileSystemTest, PathExistsTrailingSeparatorMeansFolderOnly) {
  ASSERT_EQ(mkdir(Path("sub").c_str(), 0755), 0);
  Put("file", "");
  EXPECT_TRUE(PathExists(fs_, Path("sub/")));
  EXPECT_TRUE(PathExists(fs_, Path("sub")));
  EXPECT_TRUE(PathExists(fs_, Path("file")));
  EXPECT_FALSE(PathExists(fs_, Path("file/")));
  EXPECT_FALSE(PathExists(fs_, Path("missing")));
  EXPECT_FALSE(PathExists(fs_, Path("missing/")));
}

TEST_F(PosixFileSystemTest, LockedFolderIsPermissionDenied) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes in any folder";
  ASSERT_EQ(chmod(dir_.c_str(), 0555), 0);
  EXPECT_EQ(fs_.ReplaceFile(Path("new.cfg"), "x").kind(), ErrorKind::kPermissionDenied);
  EXPECT_EQ(fs_.CheckFolderWritable(dir_).kind(), ErrorKind::kPermissionDenied);
}

}  // namespace
}  // namespace ql2
