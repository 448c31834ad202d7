// The real file system of a POSIX system (Linux, macOS, and the simulator folder of a Wine prefix).
#pragma once

#include "platform/file_system.h"

namespace ql2 {

// Read-only means what a user means by it: a file with no write permission bit at all is refused
// even to root, as Windows refuses a read-only file even to an administrator.
class PosixFileSystem : public FileSystem {
 public:
  char Separator() const override { return '/'; }
  EntryInfo Stat(const std::string& path) override;
  Result<std::string> ReadFile(const std::string& path) override;
  Result<SharedBytes> ReadBytes(const std::string& path) override;
  Status ReplaceFileWithParts(const std::string& path,
                              const std::vector<std::string_view>& parts) override;
  Status DeleteFile(const std::string& path) override;
  Result<std::vector<std::string>> ListFolder(const std::string& folder) override;
  std::string WritePath(const std::string& path) override;
  Status CheckEditable(const std::string& path) override;
  Status CheckFolderWritable(const std::string& folder) override;
  // An advisory lock (flock) on the folder itself, so no lock file is left behind.
  Result<std::unique_ptr<FolderLock>> LockFolder(const std::string& folder) override;
};

}  // namespace ql2
