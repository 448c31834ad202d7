// What a dry run prints: the changes an install or remove would make, as the files would see them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "aircraft/plan.h"

namespace ql2 {

// One file whose content would change. nullopt before: the file would be created; nullopt
// after: it would be deleted.
struct FileChange {
  std::string path;
  std::optional<std::string> before;
  std::optional<std::string> after;
};

// The changes a plan would make, one per file in the order of its first change; a file that
// would end as it began is left out.
std::vector<FileChange> ChangesOf(const Plan& plan);

// The report of the changes, in their order, each path named relative to sim_folder (the part
// after sim_folder and its separator; a path outside sim_folder is named whole).
//   - A backup file (a name ending in ".backup"): one line "create backup REL", "replace backup
//     REL" or "delete backup REL", REL written with '\' as the simulator's own paths are
//     ("Aircraft\Flight 1 ATR-72-500\panel\panel.cfg.backup"); its bytes are a copy of a file the
//     report already shows or the simulator's own, so they are not repeated.
//   - A copy kept beside a file (a name ending in ".before-quillever", or that and "-2", ...):
//     one line "keep copy REL", its bytes being those of a backup or of a file already there.
//   - Any other file: the unified diff from "a/REL" to "b/REL", REL written with '/' because diff
//     tools and `patch -p1` expect it. A file that would be created is diffed from "/dev/null" and
//     one that would be deleted to "/dev/null", as git writes them, so that `patch -p1` run in the
//     simulator folder creates or deletes it too. An empty file made or deleted shows as the two
//     name lines alone.
// Empty when there are no changes.
std::string DryRunReport(const std::vector<FileChange>& changes, std::string_view sim_folder,
                         char separator);

}  // namespace ql2
