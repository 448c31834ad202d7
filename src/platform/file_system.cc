#include "platform/file_system.h"

namespace ql2 {

Result<SharedBytes> FileSystem::ReadBytes(const std::string& path) {
  Result<std::string> bytes = ReadFile(path);
  if (!bytes.ok()) return bytes.status();
  return SharedBytes(std::move(bytes.value()));
}

Status FileSystem::CopyFile(const std::string& from, const std::string& to) {
  Result<std::string> bytes = ReadFile(from);
  if (!bytes.ok()) return bytes.status();
  return ReplaceFile(to, bytes.value());
}

Result<std::unique_ptr<FolderLock>> FileSystem::LockFolder(const std::string&) {
  return std::unique_ptr<FolderLock>(std::make_unique<FolderLock>());
}

bool PathExists(FileSystem& fs, const std::string& path) {
  if (!path.empty() && path.back() == fs.Separator()) {
    return fs.Stat(path).kind == EntryKind::kFolder;
  }
  EntryKind kind = fs.Stat(path).kind;
  return kind == EntryKind::kFile || kind == EntryKind::kFolder;
}

bool PlainFileExists(FileSystem& fs, const std::string& path) {
  EntryInfo info = fs.Stat(path);
  return info.kind == EntryKind::kFile && !info.hidden && !info.system;
}

Status AppendToFile(FileSystem& fs, const std::string& path, std::string_view bytes) {
  Result<std::string> old = fs.ReadFile(path);
  if (!old.ok()) return old.status();
  std::string whole = std::move(old.value());
  whole.append(bytes);
  return fs.ReplaceFile(path, whole);
}

bool IsReplaceTemporaryName(std::string_view name) {
  constexpr std::string_view kTag = ".ql2-";
  const std::size_t at = name.rfind(kTag);
  if (at == std::string_view::npos || at == 0) return false;
  const std::string_view tag = name.substr(at + kTag.size());
  if (tag.size() < 6 || tag.size() > 8) return false;
  for (char c : tag) {
    const bool alnum = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!alnum) return false;
  }
  return true;
}

int RemoveLeftoverTemporaries(FileSystem& fs, const std::string& folder) {
  Result<std::vector<std::string>> names = fs.ListFolder(folder);
  if (!names.ok()) return 0;
  int removed = 0;
  for (const std::string& name : names.value()) {
    if (!IsReplaceTemporaryName(name)) continue;
    const std::string path = folder + fs.Separator() + name;
    if (fs.Stat(path).kind == EntryKind::kFile && fs.DeleteFile(path).ok()) ++removed;
  }
  return removed;
}

std::string ParentFolder(const FileSystem& fs, const std::string& path) {
  // Windows takes '/' as well as its own '\\'.
  const bool windows = fs.Separator() == '\\';
  std::string::size_type cut = path.find_last_of(windows ? "\\/" : "/");
  if (cut == std::string::npos) return ".";
  if (cut == 0) return path.substr(0, 1);
  // "C:" alone names the drive's current folder, not its root: keep the separator.
  if (windows && cut == 2 && path[1] == ':') return path.substr(0, 3);
  return path.substr(0, cut);
}

std::string TrimTrailingSeparators(std::string path, char separator) {
  while (path.size() > 1 && path.back() == separator) path.pop_back();
  return path;
}

}  // namespace ql2
