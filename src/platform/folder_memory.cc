#include "platform/folder_memory.h"

namespace ql2 {

FileFolderMemory::FileFolderMemory(std::unique_ptr<FileSystem> fs, std::string folder,
                                   std::string file_name, std::string line_end)
    : fs_(std::move(fs)),
      folder_(std::move(folder)),
      file_(folder_ + fs_->Separator() + file_name),
      line_end_(std::move(line_end)) {}

std::string FileFolderMemory::Load() {
  Result<std::string> bytes = fs_->ReadFile(file_);
  if (!bytes.ok()) return "";
  std::string folder = bytes.value();
  while (!folder.empty() && (folder.back() == '\n' || folder.back() == '\r')) folder.pop_back();
  return folder;
}

Status FileFolderMemory::Save(const std::string& folder) {
  MakeFolder(folder_);
  return fs_->ReplaceFile(file_, folder + line_end_);
}

}  // namespace ql2
