// A file system that remembers what each file held before its first change, so that a click that
// fails midway can put every file it touched back byte for byte, and remove the files it created.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace ql2 {

class UndoFileSystem : public FileSystem {
 public:
  explicit UndoFileSystem(FileSystem& base) : base_(base) {}

  char Separator() const override { return base_.Separator(); }
  EntryInfo Stat(const std::string& path) override { return base_.Stat(path); }
  Result<std::string> ReadFile(const std::string& path) override { return base_.ReadFile(path); }
  // A change whose file cannot first be remembered is refused, with the reason.
  Status ReplaceFile(const std::string& path, std::string_view bytes) override;
  Status CopyFile(const std::string& from, const std::string& to) override;
  Status DeleteFile(const std::string& path) override;
  Status CheckEditable(const std::string& path) override { return base_.CheckEditable(path); }
  Status CheckFolderWritable(const std::string& folder) override {
    return base_.CheckFolderWritable(folder);
  }
  Result<std::unique_ptr<FolderLock>> LockFolder(const std::string& folder) override {
    return base_.LockFolder(folder);
  }

  // Puts back every changed file, newest change first; goes on after a failure and returns the
  // first one. Nothing is remembered afterwards.
  Status Undo();

  // The paths changed so far, in the order of their first change.
  std::vector<std::string> ChangedPaths() const;

 private:
  struct Saved {
    std::string path;
    bool existed;
    std::string bytes;
  };
  Status Remember(const std::string& path);

  FileSystem& base_;
  std::vector<Saved> saved_;
  std::set<std::string> remembered_;
};

}  // namespace ql2
