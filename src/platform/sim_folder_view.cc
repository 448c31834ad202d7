#include "platform/sim_folder_view.h"

#include "platform/sim_path.h"

namespace ql2 {

std::string SimFolderView::Path(std::string_view relative) const {
  return JoinSimPath(sim_folder_, relative, fs_.Separator());
}

std::string SimFolderView::DisplayName(std::string_view relative) {
  if (folder_on_disk_.empty()) folder_on_disk_ = fs_.PathOnDisk(sim_folder_);
  const std::string path = fs_.PathOnDisk(Path(relative));
  // The folder is spelt the same way in both answers, even where its names were short ones.
  if (!folder_on_disk_.empty() && path.compare(0, folder_on_disk_.size(), folder_on_disk_) == 0) {
    std::string_view rest(path);
    rest.remove_prefix(folder_on_disk_.size());
    while (!rest.empty() && (rest.front() == fs_.Separator() || rest.front() == '/')) {
      rest.remove_prefix(1);
    }
    return std::string(rest);
  }
  return DisplaySimPath(relative, fs_.Separator());
}

SimFolderView::Seen& SimFolderView::Look(std::string_view relative) {
  auto it = seen_.find(relative);
  if (it == seen_.end()) it = seen_.emplace(std::string(relative), Seen()).first;
  return it->second;
}

void SimFolderView::LookAt(std::string_view relative, Seen& seen) {
  seen.info = fs_.Stat(Path(relative));
  seen.info_done = true;
  if (!seen.stat_done) {
    seen.content.kind = seen.info.kind;
    seen.stat_done = true;
  }
}

void SimFolderView::Deleted(std::string_view relative) {
  Seen& seen = Look(relative);
  seen.stat_done = seen.read_done = seen.info_done = true;
  seen.info = EntryInfo();
  seen.content = FileContent();
  seen.written.reset();
}

void SimFolderView::Changed(const std::string& path, bool deleted, const SplicedBytes& bytes) {
  for (auto& [relative, seen] : seen_) {
    if (Path(relative) != path) continue;
    if (deleted) {
      Deleted(relative);
    } else {
      Wrote(relative, bytes);
    }
    return;
  }
}

void SimFolderView::Wrote(std::string_view relative, SplicedBytes bytes) {
  Seen& seen = Look(relative);
  seen.stat_done = seen.read_done = true;
  seen.info_done = false;  // a new file: its time and identity are looked at when asked for
  seen.content = FileContent();
  seen.content.kind = EntryKind::kFile;
  if (bytes.splices().empty()) {
    seen.content.bytes = bytes.base();
    seen.written.reset();
  } else {
    seen.written = std::move(bytes);
  }
}

EntryKind SimFolderView::Kind(std::string_view relative) {
  Seen& seen = Look(relative);
  if (!seen.stat_done) LookAt(relative, seen);
  return seen.content.kind;
}

const EntryInfo& SimFolderView::Info(std::string_view relative) {
  Seen& seen = Look(relative);
  if (!seen.info_done) LookAt(relative, seen);
  return seen.info;
}

const FileContent& SimFolderView::Content(std::string_view relative) {
  Seen& seen = Look(relative);
  if (seen.written) {
    seen.content.bytes = seen.written->Joined();
    seen.written.reset();
  }
  if (seen.read_done) return seen.content;
  seen.read_done = true;
  if (seen.stat_done && seen.content.kind == EntryKind::kNone) return seen.content;
  // A read tells whether a file is there; only what cannot be read needs a look at what it is.
  Result<SharedBytes> bytes = fs_.ReadBytes(Path(relative));
  if (bytes.ok()) {
    seen.content.kind = EntryKind::kFile;
    seen.content.bytes = std::move(bytes.value());
  } else if (bytes.status().kind() == ErrorKind::kNotFound) {
    seen.content.kind = EntryKind::kNone;
  } else {
    if (!seen.stat_done) LookAt(relative, seen);
    seen.content.error = bytes.status();
  }
  seen.stat_done = true;
  return seen.content;
}

}  // namespace ql2
