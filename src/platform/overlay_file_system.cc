#include "platform/overlay_file_system.h"

#include <utility>

namespace ql2 {

std::string OverlayFileSystem::Key(const std::string& path) const {
  return TrimTrailingSeparators(path, Separator());
}

const OverlayFileSystem::Entry* OverlayFileSystem::Find(const std::string& path) const {
  auto it = entries_.find(Key(path));
  return it == entries_.end() ? nullptr : &it->second;
}

EntryKind OverlayFileSystem::PathState::kind() const {
  if (entry == nullptr) return base_info.kind;
  return entry->after ? EntryKind::kFile : EntryKind::kNone;
}

bool OverlayFileSystem::PathState::base_file_live() const {
  if (entry == nullptr) return base_info.kind == EntryKind::kFile;
  return entry->base_live;
}

OverlayFileSystem::PathState OverlayFileSystem::StateOf(const std::string& path) {
  PathState state;
  state.key = Key(path);
  auto it = entries_.find(state.key);
  if (it != entries_.end()) {
    state.entry = &it->second;
  } else {
    state.base_info = base_.Stat(path);
  }
  return state;
}

EntryInfo OverlayFileSystem::Stat(const std::string& path) {
  const Entry* entry = Find(path);
  if (entry == nullptr) return base_.Stat(path);
  if (!entry->after) return EntryInfo();
  EntryInfo info;
  if (entry->base_live) info = entry->base_info;
  info.kind = EntryKind::kFile;
  return info;
}

Result<std::string> OverlayFileSystem::ReadFile(const std::string& path) {
  const Entry* entry = Find(path);
  if (entry == nullptr) return base_.ReadFile(path);
  if (!entry->after) return Status::Failed(ErrorKind::kNotFound, "read", path);
  return *entry->after;
}

Status OverlayFileSystem::CheckWritable(const std::string& path, const PathState& state,
                                        const char* verb) {
  EntryKind kind = state.kind();
  if (kind == EntryKind::kFolder || kind == EntryKind::kOther) {
    return Status::Failed(ErrorKind::kNotAFile, verb, path);
  }
  // A replace writes a temporary file beside its target, so the folder decides as much as the
  // file; both refusals name the file, as the real write's does.
  const std::string folder = ParentFolder(*this, state.key);
  if (base_.Stat(folder).kind != EntryKind::kFolder) {
    return Status::Failed(ErrorKind::kNotFound, verb, path);
  }
  if (state.base_file_live()) {
    Status editable = base_.CheckEditable(path);
    if (!editable.ok()) return Status::Failed(editable.kind(), verb, path);
  }
  Status folder_writable = base_.CheckFolderWritable(folder);
  if (!folder_writable.ok()) return Status::Failed(folder_writable.kind(), verb, path);
  return Status::Ok();
}

Result<OverlayFileSystem::Entry*> OverlayFileSystem::Touch(const std::string& path,
                                                           const PathState& state) {
  if (state.entry != nullptr) return state.entry;
  Entry entry;
  entry.base_info = state.base_info;
  if (entry.base_info.kind == EntryKind::kFile) {
    Result<std::string> bytes = base_.ReadFile(path);
    if (!bytes.ok()) return bytes.status();
    entry.before = std::move(bytes.value());
    entry.after = entry.before;
    entry.base_live = true;
  }
  order_.push_back(state.key);
  return &entries_.emplace(state.key, std::move(entry)).first->second;
}

Status OverlayFileSystem::ReplaceFile(const std::string& path, std::string_view bytes) {
  const PathState state = StateOf(path);
  Status writable = CheckWritable(path, state, "write");
  if (!writable.ok()) return writable;
  Result<Entry*> entry = Touch(path, state);
  if (!entry.ok()) return entry.status();
  entry.value()->after = std::string(bytes);
  return Status::Ok();
}

Status OverlayFileSystem::DeleteFile(const std::string& path) {
  const PathState state = StateOf(path);
  EntryKind kind = state.kind();
  if (kind == EntryKind::kFolder) return Status::Failed(ErrorKind::kNotAFile, "delete", path);
  if (kind == EntryKind::kNone) return Status::Failed(ErrorKind::kNotFound, "delete", path);
  if (state.base_file_live()) {
    Status editable = base_.CheckEditable(path);
    if (editable.kind() == ErrorKind::kInUse) {
      return Status::Failed(ErrorKind::kInUse, "delete", path);
    }
  }
  Status folder_writable = base_.CheckFolderWritable(ParentFolder(*this, state.key));
  if (!folder_writable.ok()) return Status::Failed(folder_writable.kind(), "delete", path);
  Result<Entry*> entry = Touch(path, state);
  if (!entry.ok()) return entry.status();
  entry.value()->after.reset();
  entry.value()->base_live = false;
  return Status::Ok();
}

Status OverlayFileSystem::CheckEditable(const std::string& path) {
  const Entry* entry = Find(path);
  if (entry == nullptr) return base_.CheckEditable(path);
  if (!entry->after) return Status::Failed(ErrorKind::kNotFound, "open", path);
  // A file the overlay made anew is as editable as its folder let it be made; a replaced one keeps
  // the base file's attributes.
  if (!entry->base_live) return Status::Ok();
  return base_.CheckEditable(path);
}

Status OverlayFileSystem::CheckFolderWritable(const std::string& folder) {
  return base_.CheckFolderWritable(folder);
}

std::vector<OverlayChange> OverlayFileSystem::Changes() const {
  std::vector<OverlayChange> changes;
  for (const std::string& key : order_) {
    const Entry& entry = entries_.at(key);
    if (entry.before == entry.after) continue;
    changes.push_back(OverlayChange{key, entry.before, entry.after});
  }
  return changes;
}

}  // namespace ql2
