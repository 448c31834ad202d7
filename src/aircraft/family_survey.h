// What the start-up scan, and the look again before each click, find of one family's files:
// which backups stand beside them and whether this program made them, and whether the reference
// file still carries the installation. Only what the state shown needs is read.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "aircraft/family.h"
#include "platform/sim_folder_view.h"

namespace ql2 {

struct FamilySurvey {
  std::vector<bool> backup_exists;  // per panel file: something stands at its backup's name
  // Per panel file, when the gauge is not recorded installed: that backup is this program's (its
  // panel file is the backup, or carries the installation beyond it). Someone else's file of
  // that name is no sign of an installation that did not finish.
  std::vector<bool> backup_own;
  std::size_t backup_digest = 0;  // changes when any backup's bytes do
  // When the gauge is recorded installed: what the reference file shows.
  std::string reference_error;  // why it cannot be read ("Cannot read ...: ...")
  ErrorKind reference_error_kind = ErrorKind::kNone;
  bool title_found = false;         // it still holds the installation's title entry
  bool reference_restored = false;  // it is byte for byte its backup again
  // A removal kept its backup beside it and took the installation out of it (it had changed
  // since the installation), but did not finish.
  bool reference_stripped = false;

  bool AnyOwnBackup() const;
  bool AllRequiredBackups(const Family& family) const;  // every file of the first model has one
  bool operator==(const FamilySurvey& other) const;
};

FamilySurvey SurveyFamily(const Family& family, SimFolderView& view, bool installed);

}  // namespace ql2
