#include "app/dry_run_report.h"

#include <algorithm>

#include "app/unified_diff.h"

namespace ql2 {
namespace {

constexpr std::string_view kNoFile = "/dev/null";
constexpr std::string_view kOldPrefix = "a/";
constexpr std::string_view kNewPrefix = "b/";

std::string WithSlashes(std::string_view name, char separator) {
  std::string result(name);
  std::replace(result.begin(), result.end(), separator, '/');
  return result;
}

// The verb of a backup's line, nullptr for a change of another file.
const char* BackupVerb(ChangeAction action) {
  switch (action) {
    case ChangeAction::kCreateBackup:
      return "create";
    case ChangeAction::kReplaceBackup:
      return "replace";
    case ChangeAction::kDeleteBackup:
      return "delete";
    default:
      return nullptr;
  }
}

}  // namespace

std::vector<FileChange> ChangesOf(const Plan& plan) {
  std::vector<FileChange> changes;
  for (const PlanStep& step : plan.steps) {
    auto same = [&](const FileChange& change) { return change.path == step.path; };
    auto it = std::find_if(changes.begin(), changes.end(), same);
    if (it == changes.end()) {
      std::optional<std::string> before;
      if (step.before) before = std::string(step.before->view());
      it = changes.insert(changes.end(), {step.path, step.display, step.role, before, {}});
    }
    it->after = step.remove ? std::nullopt : std::optional<std::string>(step.bytes.Joined());
  }
  changes.erase(
      std::remove_if(changes.begin(), changes.end(),
                     [](const FileChange& change) { return change.before == change.after; }),
      changes.end());
  return changes;
}

ChangeAction ActionOf(const FileChange& change, const std::vector<FileChange>& changes) {
  switch (change.role) {
    case StepRole::kKeptCopy:
      return ChangeAction::kKeepCopy;
    case StepRole::kBackup:
      return !change.before  ? ChangeAction::kCreateBackup
             : !change.after ? ChangeAction::kDeleteBackup
                             : ChangeAction::kReplaceBackup;
    case StepRole::kPanel:
    case StepRole::kRecord:
      break;
  }
  if (!change.after) return ChangeAction::kDelete;
  // A panel file that gets the bytes of a backup the click deletes is that backup put back.
  for (const FileChange& other : changes) {
    if (other.role == StepRole::kBackup && !other.after && other.before == change.after) {
      return ChangeAction::kRestore;
    }
  }
  return change.before ? ChangeAction::kEdit : ChangeAction::kCreate;
}

std::string DryRunReport(const std::vector<FileChange>& changes, char separator) {
  std::string report;
  for (const FileChange& change : changes) {
    const std::string name = WithSlashes(change.display, separator);
    const ChangeAction action = ActionOf(change, changes);
    if (action == ChangeAction::kKeepCopy) {
      report.append("keep copy ").append(name).append("\n");
      continue;
    }
    if (const char* verb = BackupVerb(action)) {
      report.append(verb).append(" backup ").append(name).append("\n");
      continue;
    }
    const std::string old_name =
        change.before ? std::string(kOldPrefix) + name : std::string(kNoFile);
    const std::string new_name =
        change.after ? std::string(kNewPrefix) + name : std::string(kNoFile);
    std::string diff = UnifiedDiff(old_name, new_name, change.before.value_or(std::string()),
                                   change.after.value_or(std::string()));
    // An empty file made or deleted has no lines to show; its names still tell what happens.
    if (diff.empty()) diff = "--- " + old_name + "\n+++ " + new_name + "\n";
    report.append(diff);
  }
  return report;
}

}  // namespace ql2
