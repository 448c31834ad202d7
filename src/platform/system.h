// The real services of the system the program runs on: its file system, the registry that names
// the simulator folder, and the desktop's document opener.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/folder_memory.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace ql2 {

std::unique_ptr<FileSystem> MakeSystemFileSystem();
std::unique_ptr<Registry> MakeSystemRegistry();
std::unique_ptr<Shell> MakeSystemShell();

// What a window of the program runs on. The simulator folder comes from given_folder when there
// is one (for this run only), else from the folder the user chose by hand, else from the
// system's registry.
class WindowServices {
 public:
  explicit WindowServices(const std::optional<std::string>& given_folder);

  FileSystem& fs() { return *fs_; }
  Registry& registry() {
    if (given_registry_) return *given_registry_;
    return chosen_registry_;
  }
  Shell& shell() { return *shell_; }
  // Where a folder chosen by hand is remembered; null for a run with a given folder, which is not
  // the user's choice to remember.
  FolderMemory* folder_memory() { return given_registry_ ? nullptr : folder_memory_.get(); }

 private:
  std::unique_ptr<FileSystem> fs_;
  std::unique_ptr<Registry> system_registry_;
  std::unique_ptr<Shell> shell_;
  std::unique_ptr<FolderMemory> folder_memory_;
  ChosenFolderRegistry chosen_registry_;
  std::unique_ptr<MemoryRegistry> given_registry_;
};

}  // namespace ql2
