// What a dry run prints, and a window's preview shows: the changes an install or remove would
// make, as the files would see them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "aircraft/plan.h"

namespace ql2 {

// One file whose content would change. nullopt before: the file would be created; nullopt
// after: it would be deleted.
struct FileChange {
  std::string path;
  std::string display;  // as messages name it: relative to the simulator folder, spelt as on disk
  StepRole role;        // of the file's first step
  std::optional<std::string> before;
  std::optional<std::string> after;
};

// The changes a plan would make, one per file in the order of its first change; a file that
// would end as it began is left out.
std::vector<FileChange> ChangesOf(const Plan& plan);

// What a change does to its file, in the words a preview lists it under.
enum class ChangeAction {
  kKeepCopy,       // a copy kept beside a file instead of overwriting or deleting it
  kCreateBackup,   // a backup made
  kReplaceBackup,  // a leftover backup replaced
  kDeleteBackup,   // a backup deleted once its file is back
  kEdit,           // a file's lines changed
  kRestore,        // a file given back its backup's bytes
  kCreate,         // a file made
  kDelete,         // a file deleted
};
ChangeAction ActionOf(const FileChange& change, const std::vector<FileChange>& changes);

// The report of the changes, in their order, each file named by its display name written with '/'
// for `separator` (the display names' own), as diff tools and `patch -p1` expect paths, so that
// the report is the same on every system:
//   - A backup: one line "create backup NAME", "replace backup NAME" or "delete backup NAME";
//     its bytes are a copy of a file the report already shows or the simulator's own, so they
//     are not repeated.
//   - A copy kept beside a file: one line "keep copy NAME", its bytes being those of a backup or
//     of a file already there.
//   - Any other file: the unified diff from "a/NAME" to "b/NAME". A file that would be created is
//     diffed from "/dev/null" and one that would be deleted to "/dev/null", as git writes them,
//     so that `patch -p1` run in the simulator folder creates or deletes it too. An empty file
//     made or deleted shows as the two name lines alone.
// Empty when there are no changes.
std::string DryRunReport(const std::vector<FileChange>& changes, char separator);

}  // namespace ql2
