// Where the system says the simulator is installed: the registry on Windows, every Wine prefix of
// the common prefix managers on Linux. A finder only reports what the system names, in the order
// the folders are to be tried; whether a folder really holds the simulator is the caller's test.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace ql2 {

struct FoundFolder {
  std::string folder;  // a native path; it may not exist
  std::string origin;  // where it was named: "registry", "~/.wine", "bottles:FS2004", ...
};

namespace origin {
inline constexpr std::string_view kRegistry = "registry";
}  // namespace origin

class SimulatorFinder {
 public:
  virtual ~SimulatorFinder() = default;

  // Every folder the system names as the simulator's, first to try first.
  virtual std::vector<FoundFolder> FindSimulatorFolders() = 0;
  // Where a folder dialog opens when no simulator is in use (on Linux the default Wine prefix's
  // drive C:); "" leaves it to the dialog.
  virtual std::string BrowseStart() { return ""; }
  // The user's home folder, which folder lines show as "~" where that is the custom; "" for none.
  virtual std::string HomeFolder() { return ""; }
};

// The one folder a registry names, found in the "registry"; none when it names none.
class RegistryFinder : public SimulatorFinder {
 public:
  explicit RegistryFinder(Registry& registry) : registry_(registry) {}
  std::vector<FoundFolder> FindSimulatorFolders() override {
    Result<std::string> folder = registry_.ReadSimulatorFolder();
    if (!folder.ok()) return {};
    return {{folder.value(), std::string(origin::kRegistry)}};
  }

 private:
  Registry& registry_;
};

// Folders given by a test, with the start and home folders it sets.
class MemoryFinder : public SimulatorFinder {
 public:
  explicit MemoryFinder(std::vector<FoundFolder> folders = {}) : folders_(std::move(folders)) {}
  void Set(std::vector<FoundFolder> folders) { folders_ = std::move(folders); }
  void SetBrowseStart(std::string folder) { browse_start_ = std::move(folder); }
  void SetHomeFolder(std::string folder) { home_ = std::move(folder); }

  std::vector<FoundFolder> FindSimulatorFolders() override { return folders_; }
  std::string BrowseStart() override { return browse_start_; }
  std::string HomeFolder() override { return home_; }

 private:
  std::vector<FoundFolder> folders_;
  std::string browse_start_;
  std::string home_;
};

}  // namespace ql2
