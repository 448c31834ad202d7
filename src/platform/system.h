// The real services of the system the program runs on: its file system, where it names the
// simulator folder, the desktop's document opener, the per-user memory of the folder the user
// chose, and running as administrator.
#pragma once

#include <memory>

#include "platform/elevation.h"
#include "platform/file_system.h"
#include "platform/folder_memory.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/simulator_finder.h"

namespace ql2 {

std::unique_ptr<FileSystem> MakeSystemFileSystem();
// The registry on Windows; on Linux every Wine prefix of the common prefix managers
// (wine_prefixes.h).
std::unique_ptr<SimulatorFinder> MakeSystemSimulatorFinder();
std::unique_ptr<Shell> MakeSystemShell();
std::unique_ptr<Elevation> MakeSystemElevation();

// What a window of the program, or the command line, runs on.
class SystemServices {
 public:
  SystemServices();

  FileSystem& fs() { return *fs_; }
  SimulatorFinder& finder() { return *finder_; }
  Shell& shell() { return *shell_; }
  FolderMemory& folder_memory() { return *folder_memory_; }
  Elevation& elevation() { return *elevation_; }

 private:
  std::unique_ptr<FileSystem> fs_;
  std::unique_ptr<SimulatorFinder> finder_;
  std::unique_ptr<Shell> shell_;
  std::unique_ptr<FolderMemory> folder_memory_;
  std::unique_ptr<Elevation> elevation_;
};

}  // namespace ql2
