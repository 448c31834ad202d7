// The real file system of Windows, through the ANSI functions: the program's paths are 8-bit
// strings in the system's ANSI code page, as the simulator's own files and registry values are.
#pragma once

#include "platform/file_system.h"

namespace ql2 {

// Windows semantics: the read-only attribute refuses a write (kReadOnly) even to an administrator;
// a file another program holds without sharing it is kInUse; a replace keeps the file's hidden,
// system and archive attributes. Both '\\' and '/' separate folders.
class Win32FileSystem : public FileSystem {
 public:
  char Separator() const override { return '\\'; }
  EntryInfo Stat(const std::string& path) override;
  Result<std::string> ReadFile(const std::string& path) override;
  Result<SharedBytes> ReadBytes(const std::string& path) override;
  Status ReplaceFileWithParts(const std::string& path,
                              const std::vector<std::string_view>& parts) override;
  Status DeleteFile(const std::string& path) override;
  Result<std::vector<std::string>> ListFolder(const std::string& folder) override;
  Status CheckEditable(const std::string& path) override;
  // Each name after the root ("C:\", "\\server\share\") as the folder lists it (FindFirstFile),
  // which also gives a short 8.3 name its long one.
  std::string PathOnDisk(const std::string& path) override;
  // Asks the system for the right to add a file to the folder (an open of the folder itself for
  // FILE_ADD_FILE), so that its access rules decide, and nothing is created.
  Status CheckFolderWritable(const std::string& folder) override;
  // A named mutex that every copy of the program on this computer (every user's, elevated or not)
  // shares, named after the folder's identity on its volume rather than the path's spelling, so
  // that letter case, short names, links and other drive letters for it reach the same lock. A
  // copy that ended while holding it leaves it free. Within this process a second lock waits for
  // the first as another copy's does, but the thread that holds the first is refused at once
  // (nothing could release it meanwhile). The lock must be destroyed by the thread that took it.
  Result<std::unique_ptr<FolderLock>> LockFolder(const std::string& folder) override;
};

}  // namespace ql2
