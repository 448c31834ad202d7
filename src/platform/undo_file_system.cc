#include "platform/undo_file_system.h"

#include <algorithm>

namespace ql2 {

Status UndoFileSystem::Remember(const std::string& path) {
  auto same_path = [&path](const Saved& saved) { return saved.path == path; };
  if (std::any_of(saved_.begin(), saved_.end(), same_path)) return Status::Ok();
  Saved saved{path, false, {}};
  if (inner().Stat(path).kind != EntryKind::kNone) {
    Result<std::string> bytes = inner().ReadFile(path);
    if (!bytes.ok()) return bytes.status();
    saved.existed = true;
    saved.bytes = std::move(bytes.value());
  }
  saved_.push_back(std::move(saved));
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
      // A change that failed usually left its file as it was (a replace is all or nothing); such
      // a file needs no writing back, which could fail for the reason the change failed.
      Result<std::string> now = inner().ReadFile(it->path);
      if (!now.ok() || now.value() != it->bytes) status = inner().ReplaceFile(it->path, it->bytes);
    } else if (inner().Stat(it->path).kind != EntryKind::kNone) {
      status = inner().DeleteFile(it->path);
    }
    if (!status.ok() && first.ok()) first = status;
  }
  saved_.clear();
  return first;
}

}  // namespace ql2
