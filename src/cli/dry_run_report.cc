#include "cli/dry_run_report.h"

#include "cli/unified_diff.h"

#include <algorithm>

namespace ql2 {
namespace {

constexpr std::string_view kBackupSuffix = ".backup";
constexpr std::string_view kNoFile = "/dev/null";
constexpr std::string_view kOldPrefix = "a/";
constexpr std::string_view kNewPrefix = "b/";

std::string_view RelativePath(std::string_view path, std::string_view sim_folder, char separator) {
  if (sim_folder.empty() || path.substr(0, sim_folder.size()) != sim_folder) return path;
  std::string_view rest = path.substr(sim_folder.size());
  // The folder may be given with or without its last separator; either way the rest must start a
  // new name ("/sim" is not the folder of "/simulator/x").
  if (sim_folder.back() != separator) {
    if (rest.empty() || rest.front() != separator) return path;
  }
  while (!rest.empty() && rest.front() == separator) rest.remove_prefix(1);
  return rest;
}

std::string WithSeparator(std::string_view path, char from, char to) {
  std::string result(path);
  for (char& c : result) {
    if (c == from) c = to;
  }
  return result;
}

std::string_view FileName(std::string_view path, char separator) {
  std::string_view::size_type cut = path.find_last_of(separator);
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

bool IsBackup(std::string_view path, char separator) {
  std::string_view name = FileName(path, separator);
  return name.size() >= kBackupSuffix.size() &&
         name.substr(name.size() - kBackupSuffix.size()) == kBackupSuffix;
}

// "x.before-quillever", or the same with "-2", "-3", ... when the first name was taken.
bool IsKeptCopy(std::string_view path, char separator) {
  std::string_view name = FileName(path, separator);
  std::size_t at = name.rfind(kKeptCopySuffix);
  if (at == std::string_view::npos || at == 0) return false;
  std::string_view rest = name.substr(at + kKeptCopySuffix.size());
  if (rest.empty()) return true;
  if (rest.size() < 2 || rest.front() != '-') return false;
  return rest.substr(1).find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

std::vector<FileChange> ChangesOf(const Plan& plan) {
  std::vector<FileChange> changes;
  for (const PlanStep& step : plan.steps) {
    auto same = [&](const FileChange& change) { return change.path == step.path; };
    auto it = std::find_if(changes.begin(), changes.end(), same);
    if (it == changes.end()) it = changes.insert(changes.end(), {step.path, step.before, {}});
    it->after = step.remove ? std::nullopt : std::optional<std::string>(step.bytes);
  }
  changes.erase(
      std::remove_if(changes.begin(), changes.end(),
                     [](const FileChange& change) { return change.before == change.after; }),
      changes.end());
  return changes;
}

std::string DryRunReport(const std::vector<FileChange>& changes, std::string_view sim_folder,
                         char separator) {
  std::string report;
  for (const FileChange& change : changes) {
    std::string_view relative = RelativePath(change.path, sim_folder, separator);
    if (IsKeptCopy(change.path, separator) && change.after && !change.before) {
      report.append("keep copy ").append(WithSeparator(relative, separator, '\\')).append("\n");
      continue;
    }
    if (IsBackup(change.path, separator)) {
      const char* verb = !change.before ? "create" : !change.after ? "delete" : "replace";
      report.append(verb).append(" backup ");
      report.append(WithSeparator(relative, separator, '\\')).append("\n");
      continue;
    }
    const std::string diff_path = WithSeparator(relative, separator, '/');
    const std::string old_name =
        change.before ? std::string(kOldPrefix) + diff_path : std::string(kNoFile);
    const std::string new_name =
        change.after ? std::string(kNewPrefix) + diff_path : std::string(kNoFile);
    std::string diff = UnifiedDiff(old_name, new_name, change.before.value_or(std::string()),
                                   change.after.value_or(std::string()));
    // An empty file made or deleted has no lines to show; its names still tell what happens.
    if (diff.empty()) diff = "--- " + old_name + "\n+++ " + new_name + "\n";
    report.append(diff);
  }
  return report;
}

}  // namespace ql2
