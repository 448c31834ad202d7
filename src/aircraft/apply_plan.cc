#include "aircraft/apply_plan.h"

#include <set>
#include <vector>

namespace ql2 {
namespace {

// What a step does, as the status line names a failure of it.
std::string Action(const PlanStep& step) {
  if (step.remove) return "deleting " + step.display;
  switch (step.role) {
    case StepRole::kKeptCopy:
      return "keeping a copy as " + step.display;
    case StepRole::kBackup:
      return "writing the backup " + step.display;
    case StepRole::kPanel:
    case StepRole::kRecord:
      break;
  }
  return "writing " + step.display;
}

Status Make(FileSystem& fs, const PlanStep& step) {
  return step.remove ? fs.DeleteFile(step.path)
                     : fs.ReplaceFileWithParts(step.path, step.bytes.Parts());
}

// Puts one changed file back as the plan found it.
Status Unmake(FileSystem& fs, const PlanStep& step) {
  if (step.before) {
    Status put_back = fs.ReplaceFile(step.path, *step.before);
    if (put_back.ok()) return put_back;
    return Status::Failed(put_back.kind(), "write", step.display, put_back.cause());
  }
  Status removed = fs.DeleteFile(step.path);
  if (removed.ok()) return removed;
  return Status::Failed(removed.kind(), "delete", step.display, removed.cause());
}

// Puts back the file of a step that failed, if the failure came after its change (a folder that
// could not be flushed after the rename); a file that holds what it held is left alone, so that a
// second failure of the same kind is not reported about a file that lost nothing.
Status UnmakeIfChanged(FileSystem& fs, const PlanStep& step) {
  if (!step.before) {
    if (fs.Stat(step.path).kind == EntryKind::kNone) return Status::Ok();
  } else {
    Result<std::string> now = fs.ReadFile(step.path);
    if (now.ok() && now.value() == *step.before) return Status::Ok();
  }
  return Unmake(fs, step);
}

// The folder part of a displayed relative path ("Aircraft/.../panel").
std::string DisplayFolder(const std::string& display, char separator) {
  const std::size_t cut = display.find_last_of(separator);
  return cut == std::string::npos ? std::string() : display.substr(0, cut);
}

}  // namespace

ApplyOutcome ApplyPlan(FileSystem& fs, const Plan& plan, PlanProgress* progress) {
  ApplyOutcome outcome;
  std::vector<const PlanStep*> made;
  bool started = false;
  StepRole role = StepRole::kKeptCopy;
  for (const PlanStep& step : plan.steps) {
    if (progress != nullptr && (!started || step.role != role)) progress->Starting(step.role);
    started = true;
    role = step.role;
    Status status = Make(fs, step);
    if (status.ok()) {
      made.push_back(&step);
      continue;
    }
    // The failed step, if it changed its file after all, and the steps before it are undone,
    // newest first; the first failure of that is reported.
    outcome.ok = false;
    outcome.failure = Action(step) + " failed: " + status.cause();
    outcome.failed = status;
    auto note = [&](const Status& undone) {
      if (undone.ok() || !outcome.undone) return;
      outcome.undone = false;
      outcome.undo_failure = undone.message();
    };
    note(UnmakeIfChanged(fs, step));
    for (auto it = made.rbegin(); it != made.rend(); ++it) note(Unmake(fs, **it));
    return outcome;
  }
  return outcome;
}

Status CheckPlan(FileSystem& fs, const Plan& plan) {
  std::set<std::string> folders_checked;
  for (const PlanStep& step : plan.steps) {
    if (step.before || step.remove) {
      Status editable = fs.CheckEditable(step.path);
      if (!editable.ok())
        return Refusal(editable.kind(), step.display + " " + FileProblem(editable));
    }
    // A replace writes its new bytes beside the file it replaces, which for a symbolic link is
    // the folder of the file the link names: that one is named whole. (A file system that ignores
    // letter case may give the path as the disk spells it: that is still the file's own folder.)
    const std::string written = fs.WritePath(step.path);
    const std::string folder = ParentFolder(fs, written);
    if (!folders_checked.insert(folder).second) continue;
    Status writable = fs.CheckFolderWritable(folder);
    if (writable.ok()) continue;
    const bool own_folder = written == step.path || written == fs.PathOnDisk(step.path);
    const std::string name =
        "the folder " +
        (own_folder ? DisplayFolder(step.display, fs.Separator()) : fs.PathOnDisk(folder));
    if (writable.kind() == ErrorKind::kNotFound)
      return Refusal(writable.kind(), name + " is missing");
    return Refusal(writable.kind(), name + " cannot be written: " + writable.cause());
  }
  return Status::Ok();
}

}  // namespace ql2
