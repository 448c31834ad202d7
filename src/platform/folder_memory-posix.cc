#include <stdlib.h>
#include <sys/stat.h>

#include "platform/folder_memory.h"
#include "platform/posix_file_system.h"

namespace ql2 {
namespace {

constexpr const char* kFolderName = "ql2-configurator";
constexpr const char* kFileName = "simulator-folder";

std::string ConfigHome() {
  const char* xdg = getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && xdg[0] == '/') return xdg;
  const char* home = getenv("HOME");
  return std::string(home != nullptr ? home : "") + "/.config";
}

class UserFolderMemory : public FileFolderMemory {
 public:
  UserFolderMemory()
      : FileFolderMemory(std::make_unique<PosixFileSystem>(), ConfigHome() + "/" + kFolderName,
                         kFileName, "\n") {}

 private:
  void MakeFolder(const std::string& folder) override {
    mkdir(ConfigHome().c_str(), 0700);
    mkdir(folder.c_str(), 0700);
  }
};

}  // namespace

std::unique_ptr<FolderMemory> MakeUserFolderMemory() {
  return std::make_unique<UserFolderMemory>();
}

}  // namespace ql2
