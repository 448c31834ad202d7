// What one click or one start-up scan sees of the simulator folder: every path is looked at at
// most once and every file read at most once, whoever asks, so that the decision a click makes
// and the checks it makes before it agree on one set of bytes. Paths are the program's relative
// paths ("\Aircraft\...\panel.cfg"), joined to the folder as the simulator joins them.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/shared_bytes.h"
#include "platform/spliced_bytes.h"

namespace ql2 {

// A file as it was found: nothing, a file whose bytes were read, or something that could not be
// read (a folder, an unreadable file), with the reason.
struct FileContent {
  EntryKind kind = EntryKind::kNone;
  Status error;  // why the bytes could not be read; ok when they were (or nothing is there)
  SharedBytes bytes;

  bool exists() const { return kind != EntryKind::kNone; }
  bool readable() const { return kind == EntryKind::kFile && error.ok(); }
  bool operator==(const FileContent& other) const {
    return kind == other.kind && error.kind() == other.error.kind() && bytes == other.bytes;
  }
};

class SimFolderView {
 public:
  SimFolderView(FileSystem& fs, std::string sim_folder)
      : fs_(fs), sim_folder_(std::move(sim_folder)) {}

  FileSystem& fs() { return fs_; }
  const std::string& sim_folder() const { return sim_folder_; }
  std::string Path(std::string_view relative) const;
  // The relative path as messages name it: from the simulator folder on, each name in the letter
  // case found on disk and the file system's separator ("Aircraft/Flight 1 ATR-72-500/panel/
  // panel.cfg" on Linux, with '\\' on Windows). Names that do not exist are written as given.
  std::string DisplayName(std::string_view relative);

  EntryKind Kind(std::string_view relative);
  // What stands there (kind, size, time, identity), looked at once; after this view's own write,
  // looked at again.
  const EntryInfo& Info(std::string_view relative);
  // The file's content, read the first time it is asked for.
  const FileContent& Content(std::string_view relative);
  // Notes that the file now holds these bytes (the caller wrote them), or is gone (the caller
  // deleted it), so that it is not looked at again. Spliced bytes are joined only if its content
  // is asked for.
  void Wrote(std::string_view relative, SplicedBytes bytes);
  void Deleted(std::string_view relative);
  // The same by the file's full path, for a file this view has looked at (else nothing is noted,
  // and the file is looked at when asked for).
  void Changed(const std::string& path, bool deleted, const SplicedBytes& bytes);

 private:
  struct Seen {
    bool stat_done = false;  // content.kind is known
    bool info_done = false;  // info is known
    bool read_done = false;
    EntryInfo info;
    FileContent content;
    std::optional<SplicedBytes> written;  // the bytes of content, until they are asked for
  };
  void LookAt(std::string_view relative, Seen& seen);
  Seen& Look(std::string_view relative);

  FileSystem& fs_;
  std::string sim_folder_;
  std::map<std::string, Seen, std::less<>> seen_;
  std::string folder_on_disk_;  // found the first time a name is displayed
};

}  // namespace ql2
