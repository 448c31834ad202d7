#include "platform/overlay_file_system.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/memory_file_system.h"

namespace ql2 {
namespace {

constexpr char kPanel[] = "/sim/panel/panel.cfg";
constexpr char kBackup[] = "/sim/panel/panel.cfg.backup";
constexpr char kNewInPanel[] = "/sim/panel/new.cfg";
constexpr char kReadOnly[] = "/sim/panel/readonly.cfg";
constexpr char kBusy[] = "/sim/panel/busy.cfg";
constexpr char kHidden[] = "/sim/panel/hidden.cfg";
constexpr char kLockedFile[] = "/sim/locked/panel.cfg";
constexpr char kLockedNew[] = "/sim/locked/new.cfg";
constexpr char kMissingFolderFile[] = "/sim/missing/panel.cfg";
constexpr char kFolder[] = "/sim/panel";
constexpr char kRecord[] = "/sim/QL/qlever2.con";

constexpr char kPanelBytes[] = "[Window00]\r\ngauge00=a\r\n";

enum class Op { kReplace, kCopy, kDelete, kCheckEditable, kCheckFolder };

struct Step {
  Op op;
  std::string path;
  std::string arg;  // the bytes of a replace, the destination of a copy
};

Status Apply(FileSystem& fs, const Step& step) {
  switch (step.op) {
    case Op::kReplace:
      return fs.ReplaceFile(step.path, step.arg);
    case Op::kCopy:
      return fs.CopyFile(step.path, step.arg);
    case Op::kDelete:
      return fs.DeleteFile(step.path);
    case Op::kCheckEditable:
      return fs.CheckEditable(step.path);
    case Op::kCheckFolder:
      return fs.CheckFolderWritable(step.path);
  }
  return Status::Ok();
}

// Every file's bytes and attributes, to show that the base is left as it was.
std::map<std::string, std::string> Snapshot(const MemoryFileSystem& fs) {
  std::map<std::string, std::string> snapshot;
  for (const auto& [path, file] : fs.files()) {
    snapshot[path] = file.bytes + "|" + std::to_string(file.read_only) +
                     std::to_string(file.unreadable) + std::to_string(file.in_use) +
                     std::to_string(file.hidden) + std::to_string(file.system);
  }
  return snapshot;
}

bool Mutates(const FileOperation& op) {
  return op.kind == FileOperationKind::kReplace || op.kind == FileOperationKind::kCopy ||
         op.kind == FileOperationKind::kDelete;
}

class OverlayFileSystemTest : public ::testing::Test {
 protected:
  OverlayFileSystemTest() {
    base_.AddFile(kPanel, kPanelBytes);
    base_.AddFile(kReadOnly, "ro\r\n").read_only = true;
    base_.AddFile(kBusy, "busy\r\n").in_use = true;
    base_.AddFile(kHidden, "hidden\r\n").hidden = true;
    base_.AddFile(kLockedFile, "locked\r\n");
    base_.SetFolderWritable("/sim/locked", false);
    base_.AddFolder("/sim/QL");
    pristine_ = Snapshot(base_);
  }

  void ExpectBaseUntouched() {
    EXPECT_EQ(Snapshot(base_), pristine_);
    for (const FileOperation& op : base_.log()) {
      EXPECT_FALSE(Mutates(op)) << "the base was asked to change " << op.path;
    }
  }

  MemoryFileSystem base_;
  std::map<std::string, std::string> pristine_;
};

TEST_F(OverlayFileSystemTest, ReadsSeeTheBaseUntilTheOverlayWrites) {
  OverlayFileSystem overlay(base_);
  EXPECT_EQ(overlay.Separator(), '/');
  Result<std::string> read = overlay.ReadFile(kPanel);
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read.value(), kPanelBytes);
  EXPECT_EQ(overlay.Stat(kFolder).kind, EntryKind::kFolder);
  EXPECT_EQ(overlay.Stat(std::string(kFolder) + "/").kind, EntryKind::kFolder);
  EXPECT_TRUE(overlay.Stat(kHidden).hidden);
  EXPECT_EQ(overlay.ReadFile(kBusy).status().kind(), ErrorKind::kInUse);

  ASSERT_TRUE(overlay.ReplaceFile(kPanel, "edited\r\n").ok());
  ASSERT_TRUE(AppendToFile(overlay, kPanel, "more\r\n").ok());
  EXPECT_EQ(overlay.ReadFile(kPanel).value(), "edited\r\nmore\r\n");
  EXPECT_EQ(base_.FileBytes(kPanel), kPanelBytes);

  ASSERT_TRUE(overlay.ReplaceFile(kHidden, "new\r\n").ok());
  EXPECT_TRUE(overlay.Stat(kHidden).hidden) << "a replace keeps the file's attributes";
  ExpectBaseUntouched();
}

TEST_F(OverlayFileSystemTest, DeletedFileIsGoneForStatReadAndChecks) {
  OverlayFileSystem overlay(base_);
  ASSERT_TRUE(overlay.DeleteFile(kPanel).ok());
  EXPECT_EQ(overlay.Stat(kPanel).kind, EntryKind::kNone);
  EXPECT_FALSE(PathExists(overlay, kPanel));
  EXPECT_EQ(overlay.ReadFile(kPanel).status().kind(), ErrorKind::kNotFound);
  EXPECT_EQ(overlay.CheckEditable(kPanel).kind(), ErrorKind::kNotFound);
  EXPECT_EQ(overlay.DeleteFile(kPanel).kind(), ErrorKind::kNotFound);
  EXPECT_EQ(overlay.CopyFile(kPanel, kBackup).kind(), ErrorKind::kNotFound);
  EXPECT_TRUE(base_.HasFile(kPanel));
  ExpectBaseUntouched();
}

// Each sequence runs on a copy of the base (the real run) and on an overlay over the base (the
// dry run): every step must succeed or fail alike, with the same sentence, the overlay must end
// up showing the same files, and Changes() must be exactly what the real run changed.
TEST_F(OverlayFileSystemTest, BehavesLikeTheRealRunAndReportsItsChanges) {
  struct Case {
    const char* name;
    std::vector<Step> steps;
  };
  const std::vector<Case> cases = {
      {"backup then edit", {{Op::kCopy, kPanel, kBackup}, {Op::kReplace, kPanel, "edited\r\n"}}},
      {"restore then delete the backup",
       {{Op::kCopy, kPanel, kBackup},
        {Op::kReplace, kPanel, "edited\r\n"},
        {Op::kCopy, kBackup, kPanel},
        {Op::kDelete, kBackup, ""}}},
      {"new file, then checks on it",
       {{Op::kReplace, kNewInPanel, "x"},
        {Op::kCheckEditable, kNewInPanel, ""},
        {Op::kReplace, kNewInPanel, "y"}}},
      {"read-only file", {{Op::kReplace, kReadOnly, "x"}, {Op::kCheckEditable, kReadOnly, ""}}},
      {"copy onto read-only file", {{Op::kCopy, kPanel, kReadOnly}}},
      {"file in use", {{Op::kReplace, kBusy, "x"}, {Op::kDelete, kBusy, ""}}},
      {"missing folder",
       {{Op::kReplace, kMissingFolderFile, "x"},
        {Op::kCopy, kPanel, kMissingFolderFile},
        {Op::kCheckFolder, "/sim/missing", ""}}},
      {"locked folder",
       {{Op::kReplace, kLockedNew, "x"},
        {Op::kReplace, kLockedFile, "x"},
        {Op::kDelete, kLockedFile, ""},
        {Op::kCheckFolder, "/sim/locked", ""},
        {Op::kCheckEditable, kLockedFile, ""}}},
      {"folder where a file is expected",
       {{Op::kReplace, kFolder, "x"}, {Op::kDelete, kFolder, ""}, {Op::kCopy, kFolder, kBackup}}},
      {"missing source", {{Op::kCopy, kBackup, kPanel}, {Op::kDelete, kBackup, ""}}},
      {"read-only file deleted then made anew",
       {{Op::kDelete, kReadOnly, ""},
        {Op::kReplace, kReadOnly, "fresh"},
        {Op::kCheckEditable, kReadOnly, ""}}},
      {"rewrite with the same bytes", {{Op::kReplace, kPanel, kPanelBytes}}},
      {"new file deleted again", {{Op::kReplace, kBackup, "x"}, {Op::kDelete, kBackup, ""}}},
      {"record file created", {{Op::kReplace, kRecord, "[PMDG]\r\nFull=0\r\n"}}},
  };
  const std::vector<std::string> watched = {kPanel,  kBackup,           kNewInPanel, kReadOnly,
                                            kBusy,   kLockedFile,       kLockedNew,  kRecord,
                                            kFolder, kMissingFolderFile};

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryFileSystem real = base_;
    OverlayFileSystem overlay(base_);
    for (const Step& step : c.steps) {
      SCOPED_TRACE(step.path);
      Status want = Apply(real, step);
      Status got = Apply(overlay, step);
      EXPECT_EQ(got.kind(), want.kind());
      EXPECT_EQ(got.message(), want.message());
    }
    for (const std::string& path : watched) {
      SCOPED_TRACE(path);
      EXPECT_EQ(overlay.Stat(path).kind, real.Stat(path).kind);
      if (path == kBusy) continue;  // unreadable in both
      Result<std::string> want = real.ReadFile(path);
      Result<std::string> got = overlay.ReadFile(path);
      EXPECT_EQ(got.status().kind(), want.status().kind());
      EXPECT_EQ(got.value(), want.value());
    }

    std::map<std::string, std::pair<std::optional<std::string>, std::optional<std::string>>> want;
    std::set<std::string> paths;
    for (const auto& entry : base_.files()) paths.insert(entry.first);
    for (const auto& entry : real.files()) paths.insert(entry.first);
    for (const std::string& path : paths) {
      std::optional<std::string> before, after;
      if (base_.HasFile(path)) before = base_.FileBytes(path);
      if (real.HasFile(path)) after = real.FileBytes(path);
      if (before != after) want[path] = {before, after};
    }
    std::map<std::string, std::pair<std::optional<std::string>, std::optional<std::string>>> got;
    for (const OverlayChange& change : overlay.Changes()) {
      EXPECT_TRUE(got.emplace(change.path, std::make_pair(change.before, change.after)).second)
          << "listed twice: " << change.path;
    }
    EXPECT_EQ(got, want);
    ExpectBaseUntouched();
  }
}

TEST_F(OverlayFileSystemTest, ChangesComeInTheOrderOfTheirFirstWrite) {
  OverlayFileSystem overlay(base_);
  ASSERT_TRUE(overlay.ReplaceFile(kRecord, "[PMDG]\r\nFull=1\r\n").ok());
  ASSERT_TRUE(overlay.CopyFile(kPanel, kBackup).ok());
  ASSERT_TRUE(overlay.ReplaceFile(kPanel, "one\r\n").ok());
  ASSERT_TRUE(overlay.ReplaceFile(kRecord, "[PMDG]\r\nFull=1\r\n[ATR]\r\nInstalled=1\r\n").ok());
  ASSERT_TRUE(overlay.ReplaceFile(kPanel, "two\r\n").ok());

  std::vector<OverlayChange> changes = overlay.Changes();
  ASSERT_EQ(changes.size(), 3u);
  EXPECT_EQ(changes[0].path, kRecord);
  EXPECT_FALSE(changes[0].before.has_value());
  EXPECT_EQ(changes[0].after, "[PMDG]\r\nFull=1\r\n[ATR]\r\nInstalled=1\r\n");
  EXPECT_EQ(changes[1].path, kBackup);
  EXPECT_FALSE(changes[1].before.has_value());
  EXPECT_EQ(changes[1].after, kPanelBytes);
  EXPECT_EQ(changes[2].path, kPanel);
  EXPECT_EQ(changes[2].before, kPanelBytes);
  EXPECT_EQ(changes[2].after, "two\r\n");
}

TEST_F(OverlayFileSystemTest, FileChangedAndChangedBackIsNoChange) {
  OverlayFileSystem overlay(base_);
  ASSERT_TRUE(overlay.ReplaceFile(kPanel, "edited\r\n").ok());
  ASSERT_TRUE(overlay.ReplaceFile(kPanel, kPanelBytes).ok());
  ASSERT_TRUE(overlay.DeleteFile(kReadOnly).ok());
  ASSERT_TRUE(overlay.ReplaceFile(kReadOnly, base_.FileBytes(kReadOnly)).ok());
  EXPECT_TRUE(overlay.Changes().empty());
}

TEST_F(OverlayFileSystemTest, TrailingSeparatorNamesTheSameFile) {
  OverlayFileSystem overlay(base_);
  ASSERT_TRUE(overlay.ReplaceFile(std::string(kPanel) + "/", "edited\r\n").ok());
  EXPECT_EQ(overlay.ReadFile(kPanel).value(), "edited\r\n");
  ASSERT_EQ(overlay.Changes().size(), 1u);
  EXPECT_EQ(overlay.Changes()[0].path, kPanel);
}

// The overlay has to read a file before its first change to show it later; a file the base will
// not let it read is refused, which is where the real replace on disk refuses it too.
TEST_F(OverlayFileSystemTest, UnreadableFileIsRefusedNotChangedUnseen) {
  base_.FindFile(kPanel)->unreadable = true;
  OverlayFileSystem overlay(base_);
  EXPECT_EQ(overlay.ReplaceFile(kPanel, "x").kind(), ErrorKind::kPermissionDenied);
  EXPECT_EQ(overlay.DeleteFile(kPanel).kind(), ErrorKind::kPermissionDenied);
  EXPECT_TRUE(overlay.Changes().empty());
  EXPECT_EQ(overlay.Stat(kPanel).kind, EntryKind::kFile);
}

// A fault the base reports while the overlay looks at a file stops the write, as it would stop
// the real one.
TEST_F(OverlayFileSystemTest, BaseFaultsStopTheWrite) {
  base_.SetFaultHook([](const FileOperation& op) {
    return op.kind == FileOperationKind::kCheckFolder
               ? Status::Failed(ErrorKind::kDiskFull, "write in", op.path)
               : Status::Ok();
  });
  OverlayFileSystem overlay(base_);
  Status status = overlay.ReplaceFile(kPanel, "x");
  EXPECT_EQ(status.kind(), ErrorKind::kDiskFull);
  EXPECT_EQ(status.message(), Status::Failed(ErrorKind::kDiskFull, "write", kPanel).message());
  EXPECT_EQ(overlay.ReadFile(kPanel).value(), kPanelBytes);
  EXPECT_TRUE(overlay.Changes().empty());
}

}  // namespace
}  // namespace ql2
