// The Install and Remove buttons of every family: one procedure each, driven by the family's
// table. A procedure first checks everything it will need; if anything is wrong it touches no file,
// writes no record, leaves the buttons as they are and says why on the family's status line. A
// failure after the checks puts back every file the click changed, byte for byte.
#pragma once

#include <string>
#include <vector>

#include "aircraft/family.h"
#include "app/window.h"
#include "platform/file_system.h"
#include "platform/registry.h"

namespace ql2 {

// What a click works with. registry_folder is the simulator folder last read from the registry,
// which the main window keeps for the whole run.
struct ClickContext {
  Window& window;
  FileSystem& fs;
  Registry& registry;
  std::string& registry_folder;
};

// Wires the gauge into the family's panel files (or repairs it) and records it. Returns whether
// it succeeded; either way the status line tells the outcome.
bool InstallFamily(const Family& family, ClickContext& context);

enum class RemoveMode {
  kNormal,             // every file of the first model must have its backup
  kFinishInterrupted,  // put back whatever has a backup: a change that did not finish
};

// Puts every panel file back from its backup, deletes the backups and records the removal.
bool RemoveFamily(const Family& family, ClickContext& context,
                  RemoveMode mode = RemoveMode::kNormal);

// Which of a family's backups exist in the simulator folder, and a digest of their bytes that
// changes when any of them does.
struct BackupSurvey {
  std::vector<bool> exists;  // one per panel file of the family
  std::size_t digest = 0;

  bool AnyPresent() const;
  bool AllRequiredPresent(const Family& family) const;  // every file of the first model
  bool operator==(const BackupSurvey& other) const {
    return exists == other.exists && digest == other.digest;
  }
};
BackupSurvey SurveyBackups(FileSystem& fs, const Family& family, const std::string& sim_folder);

}  // namespace ql2
