#include <string>

#include "platform/folder_memory.h"
#include "platform/win32_api.h"
#include "platform/win32_file_system.h"

// After <windows.h>: SHGetFolderPathA.
#include <shlobj.h>

namespace ql2 {
namespace {

constexpr char kFolderName[] = "QL2 Configurator";
constexpr char kFileName[] = "simulator-folder";
constexpr char kLineEnd[] = "\r\n";

// The user's roaming application data folder ("" when the system has none).
std::string AppData() {
  char path[MAX_PATH];
  if (SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) {
    return "";
  }
  return path;
}

class UserFolderMemory : public FolderMemory {
 public:
  UserFolderMemory() : folder_(AppData() + "\\" + kFolderName), file_(folder_ + "\\" + kFileName) {}

  std::string Load() override {
    Result<std::string> bytes = fs_.ReadFile(file_);
    if (!bytes.ok()) return "";
    std::string folder = bytes.value();
    while (!folder.empty() && (folder.back() == '\n' || folder.back() == '\r')) folder.pop_back();
    return folder;
  }

  Status Save(const std::string& folder) override {
    CreateDirectoryA(folder_.c_str(), nullptr);  // already there from an earlier run, mostly
    return fs_.ReplaceFile(file_, folder + kLineEnd);
  }

 private:
  Win32FileSystem fs_;
  std::string folder_;
  std::string file_;
};

}  // namespace

std::unique_ptr<FolderMemory> MakeUserFolderMemory() {
  return std::make_unique<UserFolderMemory>();
}

}  // namespace ql2
