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

class UserFolderMemory : public FolderMemory {
 public:
  UserFolderMemory()
      : folder_(ConfigHome() + "/" + kFolderName), file_(folder_ + "/" + kFileName) {}

  std::string Load() override {
    Result<std::string> bytes = fs_.ReadFile(file_);
    if (!bytes.ok()) return "";
    std::string folder = bytes.value();
    while (!folder.empty() && (folder.back() == '\n' || folder.back() == '\r')) folder.pop_back();
    return folder;
  }

  Status Save(const std::string& folder) override {
    mkdir(ConfigHome().c_str(), 0700);
    mkdir(folder_.c_str(), 0700);
    return fs_.ReplaceFile(file_, folder + "\n");
  }

 private:
  PosixFileSystem fs_;
  std::string folder_;
  std::string file_;
};

}  // namespace

std::unique_ptr<FolderMemory> MakeUserFolderMemory() {
  return std::make_unique<UserFolderMemory>();
}

}  // namespace ql2
