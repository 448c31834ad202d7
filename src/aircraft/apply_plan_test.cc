#include "aircraft/apply_plan.h"

#include <gtest/gtest.h>

#include "platform/forwarding_file_system.h"
#include "platform/memory_file_system.h"

namespace ql2 {
namespace {

PlanStep Write(const std::string& path, const std::string& display, std::string bytes,
               std::optional<std::string> before) {
  return {StepRole::kPanel, false, path, display, std::move(bytes), std::move(before)};
}

// A file system whose writes through one path land in another folder, as through a symbolic
// link; that spells one path otherwise on disk, as where letter case is ignored; and whose writes
// of one path fail after they are made, as when a folder cannot be flushed.
class TestFileSystem : public ForwardingFileSystem {
 public:
  explicit TestFileSystem(MemoryFileSystem& memory) : ForwardingFileSystem(memory) {}
  std::string WritePath(const std::string& path) override {
    if (path == link) return target;
    return writes_as_on_disk ? PathOnDisk(path) : path;
  }
  std::string PathOnDisk(const std::string& path) override {
    return path == asked ? on_disk : path;
  }
  Status ReplaceFileWithParts(const std::string& path,
                              const std::vector<std::string_view>& parts) override {
    Status status = ForwardingFileSystem::ReplaceFileWithParts(path, parts);
    if (status.ok() && path == fails_after_change) {
      fails_after_change.clear();  // once
      return Status::Failed(ErrorKind::kOther, "write", path, "input/output error");
    }
    return status;
  }
  std::string link, target, asked, on_disk, fails_after_change;
  bool writes_as_on_disk = false;  // as the case-folding file system; the Win32 one writes as asked
};

TEST(CheckPlanTest, TheFolderALinkedFileIsWrittenInMustBeWritable) {
  MemoryFileSystem memory;
  memory.AddFile("/sim/panel/panel.cfg", "a");
  memory.AddFile("/elsewhere/real.cfg", "a");
  memory.SetFolderWritable("/elsewhere", false);
  TestFileSystem fs(memory);
  Plan plan;
  plan.steps.push_back(Write("/sim/panel/panel.cfg", "panel/panel.cfg", "b", std::string("a")));
  EXPECT_TRUE(CheckPlan(fs, plan).ok());
  fs.link = "/sim/panel/panel.cfg";
  fs.target = "/elsewhere/real.cfg";
  const Status refused = CheckPlan(fs, plan);
  EXPECT_EQ(refused.cause(), "the folder /elsewhere cannot be written: permission denied");
  EXPECT_EQ(refused.kind(), ErrorKind::kPermissionDenied);

  // The file's own folder, spelt as on disk, is named as the step names it.
  // (The memory file system minds letter case, as the Win32 one does not: both spellings stand.)
  for (const char* folder : {"/sim/Other", "/sim/other"}) {
    memory.AddFolder(folder);
    memory.SetFolderWritable(folder, false);
  }
  fs.asked = "/sim/other/panel.cfg";
  fs.on_disk = "/sim/Other/panel.cfg";
  Plan cased;
  cased.steps.push_back(Write(fs.asked, "Other/panel.cfg", "b", std::nullopt));
  for (bool writes_as_on_disk : {false, true}) {
    fs.writes_as_on_disk = writes_as_on_disk;
    EXPECT_EQ(CheckPlan(fs, cased).cause(), "the folder Other cannot be written: permission denied")
        << writes_as_on_disk;
  }
}

TEST(CheckPlanTest, NamesWhatKeepsAStepFromBeingMade) {
  MemoryFileSystem fs;
  fs.AddFile("/sim/a/panel.cfg", "a").read_only = true;
  fs.AddFile("/sim/b/panel.cfg", "b").in_use = true;
  fs.AddFolder("/sim/c");
  fs.SetFolderWritable("/sim/c", false);
  struct Case {
    PlanStep step;
    const char* problem;
    ErrorKind kind;  // for what the user is told to do about it
  };
  const Case cases[] = {
      {Write("/sim/a/panel.cfg", "a/panel.cfg", "x", std::string("a")), "a/panel.cfg is read-only",
       ErrorKind::kReadOnly},
      {Write("/sim/b/panel.cfg", "b/panel.cfg", "x", std::string("b")),
       "b/panel.cfg is in use by another program", ErrorKind::kInUse},
      {Write("/sim/c/panel.cfg", "c/panel.cfg", "x", std::nullopt),
       "the folder c cannot be written: permission denied", ErrorKind::kPermissionDenied},
      {Write("/sim/d/panel.cfg", "d/panel.cfg", "x", std::nullopt), "the folder d is missing",
       ErrorKind::kNotFound},
  };
  for (const Case& c : cases) {
    Plan plan;
    plan.steps.push_back(c.step);
    const Status refused = CheckPlan(fs, plan);
    EXPECT_EQ(refused.cause(), c.problem);
    EXPECT_EQ(refused.kind(), c.kind) << c.problem;
  }
}

// A step that failed after it changed its file is put back with the steps before it; a failure
// to put a file back names it as the status line names files.
TEST(ApplyPlanTest, AFailureUndoesEveryChangeAndSaysWhatFailed) {
  MemoryFileSystem memory;
  memory.AddFile("/sim/a.cfg", "a");
  memory.AddFile("/sim/b.cfg", "b");
  TestFileSystem fs(memory);
  fs.fails_after_change = "/sim/b.cfg";
  Plan plan;
  plan.steps.push_back(Write("/sim/new.cfg", "new.cfg", "n", std::nullopt));
  plan.steps.push_back(Write("/sim/a.cfg", "a.cfg", "A", std::string("a")));
  plan.steps.push_back(Write("/sim/b.cfg", "b.cfg", "B", std::string("b")));
  ApplyOutcome outcome = ApplyPlan(fs, plan);
  EXPECT_FALSE(outcome.ok);
  EXPECT_EQ(outcome.failure, "writing b.cfg failed: input/output error");
  EXPECT_EQ(outcome.failed.kind(), ErrorKind::kOther);
  EXPECT_TRUE(outcome.undone);
  EXPECT_FALSE(memory.HasFile("/sim/new.cfg"));
  EXPECT_EQ(memory.FileBytes("/sim/a.cfg"), "a");
  EXPECT_EQ(memory.FileBytes("/sim/b.cfg"), "b");

  // Now putting a.cfg back fails too.
  fs.fails_after_change = "/sim/b.cfg";
  memory.SetFaultHook([&](const FileOperation& op) {
    if (op.kind == FileOperationKind::kReplace && op.path == "/sim/a.cfg" &&
        memory.FileBytes("/sim/a.cfg") == "A") {
      return Status::Failed(ErrorKind::kDiskFull, "write", op.path);
    }
    return Status::Ok();
  });
  outcome = ApplyPlan(fs, plan);
  EXPECT_FALSE(outcome.undone);
  EXPECT_EQ(outcome.undo_failure, "cannot write a.cfg: the disk is full");
}

}  // namespace
}  // namespace ql2
