#include "platform/undo_file_system.h"

#include <gtest/gtest.h>

#include "platform/memory_file_system.h"

namespace ql2 {
namespace {

// Every kind of change is put back: a replaced file, a file copied over, a deleted file and a
// file the changes created; a file changed twice gets the bytes from before its first change.
TEST(UndoFileSystemTest, UndoPutsEveryChangedFileBack) {
  MemoryFileSystem base;
  base.AddFile("/p/replaced", "replaced before");
  base.AddFile("/p/copied", "copied before");
  base.AddFile("/p/deleted", "deleted before");
  base.AddFile("/p/source", "source");
  UndoFileSystem undo(base);

  ASSERT_TRUE(undo.ReplaceFile("/p/replaced", "first").ok());
  ASSERT_TRUE(undo.ReplaceFile("/p/replaced", "second").ok());
  ASSERT_TRUE(undo.CopyFile("/p/source", "/p/copied").ok());
  ASSERT_TRUE(undo.DeleteFile("/p/deleted").ok());
  ASSERT_TRUE(undo.ReplaceFile("/p/created", "new").ok());

  ASSERT_TRUE(undo.Undo().ok());
  EXPECT_EQ(base.FileBytes("/p/replaced"), "replaced before");
  EXPECT_EQ(base.FileBytes("/p/copied"), "copied before");
  EXPECT_EQ(base.FileBytes("/p/deleted"), "deleted before");
  EXPECT_EQ(base.FileBytes("/p/source"), "source");
  EXPECT_EQ(base.Stat("/p/created").kind, EntryKind::kNone);
}

// A replace that failed left its file as it was. Writing it back would fail the same way and
// report a failed undo although nothing is lost; it is not written at all.
TEST(UndoFileSystemTest, FileAFailedChangeLeftAsItWasIsNotWrittenBack) {
  MemoryFileSystem base;
  base.AddFile("/p/panel", "panel before");
  base.AddFile("/q/record", "record before");
  UndoFileSystem undo(base);
  ASSERT_TRUE(undo.ReplaceFile("/p/panel", "panel after").ok());
  base.SetFolderWritable("/q", false);
  ASSERT_FALSE(undo.ReplaceFile("/q/record", "record after").ok());

  base.ClearLog();
  EXPECT_TRUE(undo.Undo().ok());
  EXPECT_EQ(base.FileBytes("/p/panel"), "panel before");
  EXPECT_EQ(base.FileBytes("/q/record"), "record before");
  for (const FileOperation& op : base.log()) {
    EXPECT_FALSE(op.kind == FileOperationKind::kReplace && op.path == "/q/record");
  }
}

// What cannot be put back is reported, and the rest is still put back.
TEST(UndoFileSystemTest, UndoGoesOnAfterAFailureAndReportsIt) {
  MemoryFileSystem base;
  base.AddFile("/p/a", "a before");
  base.AddFile("/p/b", "b before");
  UndoFileSystem undo(base);
  ASSERT_TRUE(undo.ReplaceFile("/p/a", "a after").ok());
  ASSERT_TRUE(undo.ReplaceFile("/p/b", "b after").ok());
  base.FindFile("/p/b")->read_only = true;

  Status undone = undo.Undo();
  EXPECT_EQ(undone.kind(), ErrorKind::kReadOnly);
  EXPECT_EQ(base.FileBytes("/p/a"), "a before");
  EXPECT_EQ(base.FileBytes("/p/b"), "b after");
}

}  // namespace
}  // namespace ql2
