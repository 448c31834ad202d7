// A file system that remembers what each file held before its first change, so that a click that
// fails midway can put every file it touched back byte for byte, and remove the files it created.
#pragma once

#include <string>
#include <vector>

#include "platform/forwarding_file_system.h"

namespace ql2 {

class UndoFileSystem : public ForwardingFileSystem {
 public:
  explicit UndoFileSystem(FileSystem& base) : ForwardingFileSystem(base) {}

  // A change whose file cannot first be remembered is refused, with the reason.
  Status ReplaceFile(const std::string& path, std::string_view bytes) override;
  Status CopyFile(const std::string& from, const std::string& to) override;
  Status DeleteFile(const std::string& path) override;

  // Puts back every changed file, newest change first (a file that holds its old bytes is left
  // alone); goes on after a failure and returns the first one. Nothing is remembered afterwards.
  Status Undo();

 private:
  struct Saved {
    std::string path;
    bool existed;
    std::string bytes;
  };
  Status Remember(const std::string& path);

  std::vector<Saved> saved_;  // one per changed path, in the order of its first change
};

}  // namespace ql2
