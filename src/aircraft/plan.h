// A click decided before anything is done. PlanInstall and PlanRemove are pure: from the family's
// table and the bytes its files hold now, they give every file the click will write or delete, in
// order, with what each holds now; or, when the click cannot be made, why. ApplyPlan (apply_plan.h)
// then carries a plan out, and a dry run prints it.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "aircraft/family.h"
#include "platform/sim_folder_view.h"
#include "platform/spliced_bytes.h"
#include "platform/status.h"

namespace ql2 {

// One panel file of the family as the click found it, with its backup.
struct PanelFileInput {
  FileContent config;
  FileContent backup;
  // Names (relative paths) to keep the backup's bytes under instead of deleting or overwriting
  // them: the backup of a panel file that changed since the installation (beside the panel file),
  // or a file that stood at the backup's name although this program did not make it (beside that
  // file). Each is the first name that is free or already holds those very bytes (a click that
  // was stopped had kept them), which `*_there` tells. Only looked for when there is a backup.
  std::string kept_config_name;
  bool kept_config_there = false;
  std::string kept_backup_name;
  bool kept_backup_there = false;
};

// Everything a click decides on. The record's folder and the panel files' folder are the same
// simulator folder unless the registry changed while the program ran.
struct FamilyInput {
  std::string panels_folder;
  std::string record_folder;
  char separator = '/';
  std::vector<PanelFileInput> files;  // one per file of the family's table
  FileContent record;
  // How messages name each relative path the plan may name (SimFolderView::DisplayName): the
  // panel files, their backups, the kept copies' names and the record.
  std::map<std::string, std::string, std::less<>> display_names;

  // The display name of a relative path; one not looked up is named as written, with '/'.
  std::string Display(std::string_view relative) const;
};

// Reads what a click of the family needs, each file once, through the views.
FamilyInput ReadFamilyInput(const Family& family, SimFolderView& panels, SimFolderView& record);

// The record's value of a key as the program reads it (nine characters taken as a number); a
// record that is missing or lacks the key reads 0.
double RecordNumber(const FileContent& record, std::string_view section, std::string_view key);

enum class StepRole { kKeptCopy, kBackup, kPanel, kRecord };

struct PlanStep {
  StepRole role;
  bool remove = false;  // delete the file; else write `bytes` to it
  std::string path;     // the full path
  std::string display;  // the path as a status line names it: "Aircraft/.../panel.cfg"
  SplicedBytes bytes;   // an edited file: the bytes it holds now, with what the click adds
  std::optional<SharedBytes> before;  // what stands there now; nullopt: nothing
};

// A copy the click keeps beside a file instead of overwriting or deleting it.
struct KeptCopy {
  enum class Reason {
    kChangedSinceInstall,  // a removal: the panel file changed since the installation
    kBeforeFirstInstall,   // a repair: the file had been replaced since the installation
    kNotMadeByProgram,     // an installation: a file of the backup's name that is someone else's
  };
  Reason reason;
  std::string file;  // the panel file (or the file found at the backup's name), as displayed
  std::string kept;  // the name the copy is kept under, as displayed
};

struct Plan {
  std::vector<PlanStep> steps;  // in order: kept copies and backups, panel files, the record
  std::vector<KeptCopy> kept;
};

enum class InstallKind {
  kFresh,   // the gauge is not installed: every file is backed up and edited
  kRepair,  // the gauge is recorded installed but a file lost some of it: only that is put back
};

Result<Plan> PlanInstall(const Family& family, const FamilyInput& input, InstallKind kind);

// Takes the installation out of every file that still carries any of it. A file that is exactly
// what the installation left gets its backup back, byte for byte; any other keeps what changed
// since, and its backup is kept beside it. With installed false (an installation that did not
// finish) only files whose backup this program made are touched.
Result<Plan> PlanRemove(const Family& family, const FamilyInput& input);

// Whether a file at a backup's name is this program's: its panel file is byte for byte that
// backup, or carries entries of the installation that the backup does not.
bool IsOwnBackup(const Family& family, const FileContent& config, const FileContent& backup);

// Whether a copy of `relative` kept by an earlier click holds these bytes.
bool HasKeptCopy(SimFolderView& view, std::string_view relative, std::string_view bytes);

// The words after a file's name that say what keeps it from being read or changed: "is missing",
// "is read-only", "is in use by another program", "cannot be opened: permission denied".
std::string FileProblem(const Status& status);

// A click that cannot be made: the kind of the problem (for what the user can do about it) and
// the sentence that names the file ("Aircraft/.../panel.cfg is read-only").
Status Refusal(ErrorKind kind, const std::string& why);

// The name a copy of `relative` is kept under: "<relative>.before-quillever".
inline constexpr std::string_view kKeptCopySuffix = ".before-quillever";

}  // namespace ql2
