#include "cli/dry_run_report.h"

#include "cli/unified_diff.h"

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

bool IsBackup(std::string_view path, char separator) {
  std::string_view::size_type cut = path.find_last_of(separator);
  std::string_view name = cut == std::string_view::npos ? path : path.substr(cut + 1);
  return name.size() >= kBackupSuffix.size() &&
         name.substr(name.size() - kBackupSuffix.size()) == kBackupSuffix;
}

}  // namespace

std::string DryRunReport(const std::vector<OverlayChange>& changes, std::string_view sim_folder,
                         char separator) {
  std::string report;
  for (const OverlayChange& change : changes) {
    std::string_view relative = RelativePath(change.path, sim_folder, separator);
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
