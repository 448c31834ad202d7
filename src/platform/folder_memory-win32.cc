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

class UserFolderMemory : public FileFolderMemory {
 public:
  UserFolderMemory()
      : FileFolderMemory(std::make_unique<Win32FileSystem>(), AppData() + "\\" + kFolderName,
                         kFileName, kLineEnd) {}

 private:
  void MakeFolder(const std::string& folder) override {
    CreateDirectoryA(folder.c_str(), nullptr);  // already there from an earlier run, mostly
  }
};

}  // namespace

std::unique_ptr<FolderMemory> MakeUserFolderMemory() {
  return std::make_unique<UserFolderMemory>();
}

}  // namespace ql2
