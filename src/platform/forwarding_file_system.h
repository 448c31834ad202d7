// A file system that passes every operation on to another one unchanged: the base of the file
// systems that change only a few operations of the one they wrap (counting the writes, remembering
// files before their change). LockFolder is passed on too; without it a wrapper would quietly get
// FileSystem's lock that holds nothing.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace ql2 {

class ForwardingFileSystem : public FileSystem {
 public:
  explicit ForwardingFileSystem(FileSystem& inner) : inner_(inner) {}

  char Separator() const override { return inner_.Separator(); }
  EntryInfo Stat(const std::string& path) override { return inner_.Stat(path); }
  Result<std::string> ReadFile(const std::string& path) override { return inner_.ReadFile(path); }
  Status ReplaceFileWithParts(const std::string& path,
                              const std::vector<std::string_view>& parts) override {
    return inner_.ReplaceFileWithParts(path, parts);
  }
  Status CopyFile(const std::string& from, const std::string& to) override {
    return inner_.CopyFile(from, to);
  }
  Status DeleteFile(const std::string& path) override { return inner_.DeleteFile(path); }
  Result<std::vector<std::string>> ListFolder(const std::string& folder) override {
    return inner_.ListFolder(folder);
  }
  std::string WritePath(const std::string& path) override { return inner_.WritePath(path); }
  std::string PathOnDisk(const std::string& path) override { return inner_.PathOnDisk(path); }
  Status CheckEditable(const std::string& path) override { return inner_.CheckEditable(path); }
  Status CheckFolderWritable(const std::string& folder) override {
    return inner_.CheckFolderWritable(folder);
  }
  Result<std::unique_ptr<FolderLock>> LockFolder(const std::string& folder) override {
    return inner_.LockFolder(folder);
  }

 protected:
  FileSystem& inner() { return inner_; }

 private:
  FileSystem& inner_;
};

}  // namespace ql2
