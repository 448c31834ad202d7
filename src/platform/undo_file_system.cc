#include "platform/undo_file_system.h"

namespace ql2 {

Status UndoFileSystem::Remember(const std::string& path) {
  if (remembered_.count(path)) return Status::Ok();
  Saved saved{path, false, {}};
  if (inner().Stat(path).kind != EntryKind::kNone) {
    Result<std::string> bytes = inner().ReadFile(path);
    if (!bytes.ok()) return bytes.status();
    saved.existed = true;
    saved.bytes = std::move(bytes.value());
  }
  saved_.push_back(std::move(saved));
  remembered_.insert(path);
  return Status::Ok();
}

Status UndoFileSystem::ReplaceFile(const std::string& path, std::string_view bytes) {
  Status remembered = Remember(path);
  if (!remembered.ok()) return remembered;
  return inner().ReplaceFile(path, bytes);
}

Status UndoFileSystem::CopyFile(const std::string& from, const std::string& to) {
  Status remembered = Remember(to);
  if (!remembered.ok()) return remembered;
  return inner().CopyFile(from, to);
}

Status UndoFileSystem::DeleteFile(const std::string& path) {
  Status remembered = Remember(path);
  if (!remembered.ok()) return remembered;
  return inner().DeleteFile(path);
}

Status UndoFileSystem::Undo() {
  Status first;
  for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
    Status status;
    if (it->existed) {
      status = inner().ReplaceFile(it->path, it->bytes);
    } else if (inner().Stat(it->path).kind != EntryKind::kNone) {
      status = inner().DeleteFile(it->path);
    }
    if (!status.ok() && first.ok()) first = status;
  }
  saved_.clear();
  remembered_.clear();
  return first;
}

std::vector<std::string> UndoFileSystem::ChangedPaths() const {
  std::vector<std::string> paths;
  for (const Saved& saved : saved_) paths.push_back(saved.path);
  return paths;
}

}  // namespace ql2
