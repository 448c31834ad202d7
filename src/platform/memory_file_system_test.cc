#include "platform/memory_file_system.h"

#include <gtest/gtest.h>

namespace ql2 {
namespace {

TEST(MemoryFileSystemTest, FaultHookFailsTheChosenOperationAndChangesNothing) {
  MemoryFileSystem fs;
  fs.AddFile("/p/a", "old");
  fs.SetFaultHook([](const FileOperation& op) {
    if (op.kind == FileOperationKind::kReplace && op.path == "/p/a") {
      return Status::Failed(ErrorKind::kDiskFull, "write", op.path);
    }
    return Status::Ok();
  });
  Status s = fs.ReplaceFile("/p/a", "new");
  EXPECT_EQ(s.kind(), ErrorKind::kDiskFull);
  EXPECT_EQ(s.message(), "cannot write /p/a: the disk is full");
  EXPECT_EQ(fs.FileBytes("/p/a"), "old");
  EXPECT_TRUE(fs.ReplaceFile("/p/b", "x").ok());  // other operations go through

  ASSERT_EQ(fs.log().size(), 2u);
  EXPECT_EQ(fs.log()[0].kind, FileOperationKind::kReplace);
  EXPECT_EQ(fs.log()[1].path, "/p/b");
}

TEST(MemoryFileSystemTest, ReadOnlyFileRefusesReplaceAndCopyOver) {
  MemoryFileSystem fs;
  fs.AddFile("/p/src", "new");
  fs.AddFile("/p/ro", "old").read_only = true;
  EXPECT_EQ(fs.ReplaceFile("/p/ro", "x").kind(), ErrorKind::kReadOnly);
  EXPECT_EQ(fs.CopyFile("/p/src", "/p/ro").kind(), ErrorKind::kReadOnly);
  EXPECT_EQ(fs.CheckEditable("/p/ro").kind(), ErrorKind::kReadOnly);
  EXPECT_EQ(fs.FileBytes("/p/ro"), "old");
}

TEST(MemoryFileSystemTest, LockedFolderRefusesNewFilesAndDeletesButAllowsReads) {
  MemoryFileSystem fs;
  fs.AddFile("/p/a", "bytes");
  fs.SetFolderWritable("/p", false);
  EXPECT_EQ(fs.ReplaceFile("/p/new", "x").kind(), ErrorKind::kPermissionDenied);
  EXPECT_EQ(fs.CopyFile("/p/a", "/p/a.backup").kind(), ErrorKind::kPermissionDenied);
  EXPECT_EQ(fs.DeleteFile("/p/a").kind(), ErrorKind::kPermissionDenied);
  EXPECT_EQ(fs.CheckFolderWritable("/p").kind(), ErrorKind::kPermissionDenied);
  EXPECT_FALSE(fs.HasFile("/p/new"));
  EXPECT_FALSE(fs.HasFile("/p/a.backup"));
  ASSERT_TRUE(fs.ReadFile("/p/a").ok());
  EXPECT_EQ(fs.ReadFile("/p/a").value(), "bytes");
}

TEST(MemoryFileSystemTest, FileInUseCannotBeReadNorCopied) {
  MemoryFileSystem fs;
  fs.AddFile("/p/a", "bytes").in_use = true;
  EXPECT_EQ(fs.ReadFile("/p/a").status().kind(), ErrorKind::kInUse);
  EXPECT_EQ(fs.CopyFile("/p/a", "/p/a.backup").kind(), ErrorKind::kInUse);
  EXPECT_FALSE(fs.HasFile("/p/a.backup"));
}

TEST(MemoryFileSystemTest, PathExistsTrailingSeparatorMeansFolder) {
  MemoryFileSystem fs;
  fs.AddFile("/p/f", "");
  EXPECT_TRUE(PathExists(fs, "/p/"));
  EXPECT_TRUE(PathExists(fs, "/p"));
  EXPECT_TRUE(PathExists(fs, "/p/f"));
  EXPECT_FALSE(PathExists(fs, "/p/f/"));
  EXPECT_FALSE(PathExists(fs, "/q"));
}

}  // namespace
}  // namespace ql2
