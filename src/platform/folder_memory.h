// The simulator folder the user chose in the window, remembered per user between runs, and read
// by the window and ql2cfg alike (see app/simulator_resolution.h for where it comes in the order).
#pragma once

#include <memory>
#include <string>

#include "platform/file_system.h"
#include "platform/status.h"

namespace ql2 {

class FolderMemory {
 public:
  virtual ~FolderMemory() = default;
  // The remembered folder, or "" when none is.
  virtual std::string Load() = 0;
  virtual Status Save(const std::string& folder) = 0;
};

class MemoryFolderMemory : public FolderMemory {
 public:
  std::string Load() override { return folder_; }
  Status Save(const std::string& folder) override {
    folder_ = folder;
    return Status::Ok();
  }

 private:
  std::string folder_;
};

// The folder kept as the one line of a text file in a folder of its own, which is made on the
// first save.
class FileFolderMemory : public FolderMemory {
 public:
  FileFolderMemory(std::unique_ptr<FileSystem> fs, std::string folder, std::string file_name,
                   std::string line_end);
  std::string Load() override;
  Status Save(const std::string& folder) override;

 private:
  virtual void MakeFolder(const std::string& folder) = 0;

  std::unique_ptr<FileSystem> fs_;
  std::string folder_;
  std::string file_;
  std::string line_end_;
};

// The per-user file that remembers the folder: $XDG_CONFIG_HOME/ql2-configurator/simulator-folder
// (~/.config/... by default) on POSIX systems, %APPDATA%\QL2 Configurator\simulator-folder on
// Windows.
std::unique_ptr<FolderMemory> MakeUserFolderMemory();

}  // namespace ql2
