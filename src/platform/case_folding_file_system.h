// File names as Windows programs expect them on a case-sensitive file system: the simulator's
// folders in a Wine prefix are spelt one way on disk ("FeelThere PIC 737-300") and another in the
// program ("feelThere pic 737-300"), and Wine finds them anyway. This file system does the same.
#pragma once

#include <memory>
#include <string>

#include "platform/file_system.h"

namespace ql2 {

// `path` with each component that does not exist under its exact name replaced by the entry of
// its folder that equals it ignoring ASCII letter case, as Wine looks names up. An exact name is
// always preferred; when several entries differ from the name only in case, the one that sorts
// first byte by byte wins (so "Panel" before "panel"), which keeps the choice the same from one
// run to the next. From the first component that matches nothing on, the rest is kept as given,
// so a file about to be created keeps its name in a folder found by its case-folded name.
// Separators are kept as they are, a trailing one included; "." and ".." are never folded.
std::string ResolvePathIgnoringCase(const std::string& path);

// A decorator over another '/'-separated file system (normally PosixFileSystem) that resolves
// every path it is given with ResolvePathIgnoringCase against the real disk, then passes the
// resolved path on. Results and failures are those of the inner file system (its messages name
// the resolved path, which is the file actually used).
//
// While a lock taken through it is held (a click, a start-up scan), each folder and file name is
// looked up on disk once and kept, and so are the entries of a folder a name was missing from:
// other copies of the program change nothing meanwhile, and its own writes and deletes are noted.
// The file system must outlive its locks.
class CaseFoldingFileSystem : public FileSystem {
 public:
  explicit CaseFoldingFileSystem(FileSystem& inner);
  ~CaseFoldingFileSystem() override;

  char Separator() const override { return inner_.Separator(); }
  EntryInfo Stat(const std::string& path) override;
  Result<std::string> ReadFile(const std::string& path) override;
  Result<SharedBytes> ReadBytes(const std::string& path) override;
  Status ReplaceFileWithParts(const std::string& path,
                              const std::vector<std::string_view>& parts) override;
  Status CopyFile(const std::string& from, const std::string& to) override;
  Status DeleteFile(const std::string& path) override;
  Result<std::vector<std::string>> ListFolder(const std::string& folder) override;
  std::string WritePath(const std::string& path) override;
  // ResolvePathIgnoringCase's answer (from the names found while a lock is held).
  std::string PathOnDisk(const std::string& path) override;
  Status CheckEditable(const std::string& path) override;
  Status CheckFolderWritable(const std::string& folder) override;
  Result<std::unique_ptr<FolderLock>> LockFolder(const std::string& folder) override;

 private:
  struct Found;
  std::string ResolvePath(const std::string& path);
  // Keeps what is known of the folder true after a write to a resolved path.
  void Wrote(const std::string& resolved, bool ok);

  FileSystem& inner_;
  std::unique_ptr<Found> found_;
};

}  // namespace ql2
