#include "platform/memory_file_system.h"

#include <functional>

namespace ql2 {
namespace {

const std::string& KeyOf(const std::pair<const std::string, MemoryFile>& entry) {
  return entry.first;
}
const std::string& KeyOf(const std::string& entry) {
  return entry;
}

}  // namespace

std::string MemoryFileSystem::Normalize(const std::string& path) const {
  return TrimTrailingSeparators(path, Separator());
}

bool MemoryFileSystem::FolderExists(const std::string& folder) const {
  return folders_.count(Normalize(folder)) > 0;
}

Status MemoryFileSystem::Begin(FileOperationKind kind, const std::string& path,
                               const std::string& second) {
  FileOperation op{kind, path, second};
  log_.push_back(op);
  if (fault_hook_) return fault_hook_(op);
  return Status::Ok();
}

EntryInfo MemoryFileSystem::Stat(const std::string& path) {
  EntryInfo info;
  std::string p = Normalize(path);
  auto it = files_.find(p);
  if (it != files_.end()) {
    info.kind = EntryKind::kFile;
    info.hidden = it->second.hidden;
    info.system = it->second.system;
    // Its bytes stand for its identity: a test may change a file in place.
    info.size = it->second.bytes.size();
    info.identity = std::hash<std::string>()(it->second.bytes);
  } else if (folders_.count(p)) {
    info.kind = EntryKind::kFolder;
  }
  return info;
}

Result<const MemoryFile*> MemoryFileSystem::FindReadable(const std::string& path) const {
  std::string p = Normalize(path);
  auto it = files_.find(p);
  if (it == files_.end()) {
    return Status::Failed(folders_.count(p) ? ErrorKind::kNotAFile : ErrorKind::kNotFound, "read",
                          path);
  }
  if (it->second.unreadable) return Status::Failed(ErrorKind::kPermissionDenied, "read", path);
  if (it->second.in_use) return Status::Failed(ErrorKind::kInUse, "read", path);
  return &it->second;
}

Result<std::string> MemoryFileSystem::ReadFile(const std::string& path) {
  Status fault = Begin(FileOperationKind::kRead, path);
  if (!fault.ok()) return fault;
  Result<const MemoryFile*> file = FindReadable(path);
  if (!file.ok()) return file.status();
  return file.value()->bytes;
}

Status MemoryFileSystem::CheckWritableTarget(const std::string& path, const char* verb) {
  std::string p = Normalize(path);
  if (folders_.count(p)) return Status::Failed(ErrorKind::kNotAFile, verb, path);
  std::string folder = ParentFolder(*this, p);
  if (!FolderExists(folder)) return Status::Failed(ErrorKind::kNotFound, verb, path);
  auto it = files_.find(p);
  if (it != files_.end()) {
    if (it->second.read_only) return Status::Failed(ErrorKind::kReadOnly, verb, path);
    if (it->second.in_use) return Status::Failed(ErrorKind::kInUse, verb, path);
  }
  if (locked_folders_.count(folder)) {
    return Status::Failed(ErrorKind::kPermissionDenied, verb, path);
  }
  return Status::Ok();
}

Status MemoryFileSystem::ReplaceFileWithParts(const std::string& path,
                                              const std::vector<std::string_view>& parts) {
  Status fault = Begin(FileOperationKind::kReplace, path);
  if (!fault.ok()) return fault;
  Status writable = CheckWritableTarget(path, "write");
  if (!writable.ok()) return writable;
  std::string bytes;
  for (std::string_view part : parts) bytes.append(part);
  files_[Normalize(path)].bytes = std::move(bytes);
  return Status::Ok();
}

Status MemoryFileSystem::CopyFile(const std::string& from, const std::string& to) {
  Status fault = Begin(FileOperationKind::kCopy, from, to);
  if (!fault.ok()) return fault;
  Result<const MemoryFile*> source = FindReadable(from);
  if (!source.ok()) return source.status();
  Status writable = CheckWritableTarget(to, "write");
  if (!writable.ok()) return writable;
  std::string bytes = source.value()->bytes;
  files_[Normalize(to)].bytes = std::move(bytes);
  return Status::Ok();
}

Status MemoryFileSystem::DeleteFile(const std::string& path) {
  Status fault = Begin(FileOperationKind::kDelete, path);
  if (!fault.ok()) return fault;
  std::string p = Normalize(path);
  auto it = files_.find(p);
  if (it == files_.end()) {
    return Status::Failed(folders_.count(p) ? ErrorKind::kNotAFile : ErrorKind::kNotFound, "delete",
                          path);
  }
  if (it->second.in_use) return Status::Failed(ErrorKind::kInUse, "delete", path);
  if (locked_folders_.count(ParentFolder(*this, p))) {
    return Status::Failed(ErrorKind::kPermissionDenied, "delete", path);
  }
  files_.erase(it);
  return Status::Ok();
}

Result<std::vector<std::string>> MemoryFileSystem::ListFolder(const std::string& folder) {
  Status fault = Begin(FileOperationKind::kList, folder);
  if (!fault.ok()) return fault;
  const std::string p = Normalize(folder);
  if (!FolderExists(p)) return Status::Failed(ErrorKind::kNotFound, "list", folder);
  std::vector<std::string> names;
  auto add_children = [&](const auto& entries) {
    for (const auto& entry : entries) {
      const std::string& path = KeyOf(entry);
      if (path.size() > p.size() + 1 && path.compare(0, p.size(), p) == 0 &&
          path[p.size()] == '/' && path.find('/', p.size() + 1) == std::string::npos) {
        names.push_back(path.substr(p.size() + 1));
      }
    }
  };
  add_children(files_);
  add_children(folders_);
  return names;
}

Status MemoryFileSystem::CheckEditable(const std::string& path) {
  Status fault = Begin(FileOperationKind::kCheckEditable, path);
  if (!fault.ok()) return fault;
  std::string p = Normalize(path);
  auto it = files_.find(p);
  if (it == files_.end()) {
    return Status::Failed(folders_.count(p) ? ErrorKind::kNotAFile : ErrorKind::kNotFound, "open",
                          path);
  }
  if (it->second.unreadable) return Status::Failed(ErrorKind::kPermissionDenied, "read", path);
  if (it->second.read_only) return Status::Failed(ErrorKind::kReadOnly, "write", path);
  if (it->second.in_use) return Status::Failed(ErrorKind::kInUse, "write", path);
  return Status::Ok();
}

Status MemoryFileSystem::CheckFolderWritable(const std::string& folder) {
  Status fault = Begin(FileOperationKind::kCheckFolder, folder);
  if (!fault.ok()) return fault;
  if (!FolderExists(folder)) return Status::Failed(ErrorKind::kNotFound, "write in", folder);
  if (locked_folders_.count(Normalize(folder))) {
    return Status::Failed(ErrorKind::kPermissionDenied, "write in", folder);
  }
  return Status::Ok();
}

namespace {

class MemoryFolderLock : public FolderLock {
 public:
  MemoryFolderLock(std::shared_ptr<std::set<std::string>> held, std::string folder)
      : held_(std::move(held)), folder_(std::move(folder)) {}
  ~MemoryFolderLock() override { held_->erase(folder_); }

 private:
  std::shared_ptr<std::set<std::string>> held_;
  std::string folder_;
};

}  // namespace

Result<std::unique_ptr<FolderLock>> MemoryFileSystem::LockFolder(const std::string& folder) {
  std::string p = Normalize(folder);
  if (!folders_.count(p)) return Status::Failed(ErrorKind::kNotFound, "lock", folder);
  if (!held_locks_->insert(p).second) return Status::Failed(ErrorKind::kInUse, "lock", folder);
  return std::unique_ptr<FolderLock>(std::make_unique<MemoryFolderLock>(held_locks_, p));
}

void MemoryFileSystem::AddFolder(const std::string& path) {
  std::string p = Normalize(path);
  while (!p.empty() && !folders_.count(p)) {
    folders_.insert(p);
    std::string::size_type cut = p.find_last_of('/');
    if (cut == std::string::npos) break;
    p = cut == 0 ? "/" : p.substr(0, cut);
  }
}

MemoryFile& MemoryFileSystem::AddFile(const std::string& path, std::string bytes) {
  std::string p = Normalize(path);
  AddFolder(ParentFolder(*this, p));
  MemoryFile& file = files_[p];
  file = MemoryFile();
  file.bytes = std::move(bytes);
  return file;
}

void MemoryFileSystem::RemoveFolder(const std::string& path) {
  std::string p = Normalize(path);
  std::string prefix = p + "/";
  for (auto it = files_.begin(); it != files_.end();) {
    it = it->first.compare(0, prefix.size(), prefix) == 0 ? files_.erase(it) : std::next(it);
  }
  for (auto it = folders_.begin(); it != folders_.end();) {
    bool under = *it == p || it->compare(0, prefix.size(), prefix) == 0;
    it = under ? folders_.erase(it) : std::next(it);
  }
}

void MemoryFileSystem::SetFolderWritable(const std::string& path, bool writable) {
  if (writable) {
    locked_folders_.erase(Normalize(path));
  } else {
    locked_folders_.insert(Normalize(path));
  }
}

bool MemoryFileSystem::HasFile(const std::string& path) const {
  return files_.count(Normalize(path)) > 0;
}

const std::string& MemoryFileSystem::FileBytes(const std::string& path) const {
  static const std::string kEmpty;
  auto it = files_.find(Normalize(path));
  return it == files_.end() ? kEmpty : it->second.bytes;
}

MemoryFile* MemoryFileSystem::FindFile(const std::string& path) {
  auto it = files_.find(Normalize(path));
  return it == files_.end() ? nullptr : &it->second;
}

}  // namespace ql2
