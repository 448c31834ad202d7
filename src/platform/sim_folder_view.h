// What one click or one start-up scan sees of the simulator folder: every path is looked at at
// most once and every file read at most once, whoever asks, so that the decision a click makes
// and the checks it makes before it agree on one set of bytes. Paths are the program's relative
// paths ("\Aircraft\...\panel.cfg"), joined to the folder as the simulator joins them.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace ql2 {

// A file as it was found: nothing, a file whose bytes were read, or something that could not be
// read (a folder, an unreadable file), with the reason.
struct FileContent {
  EntryKind kind = EntryKind::kNone;
  Status error;  // why the bytes could not be read; ok when they were (or nothing is there)
  std::string bytes;

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
  // The file's content, read the first time it is asked for.
  const FileContent& Content(std::string_view relative);
  // Notes that the file now holds these bytes (the caller wrote them), so that it is not read.
  void Wrote(std::string_view relative, std::string bytes);

 private:
  struct Seen {
    bool stat_done = false;
    bool read_done = false;
    FileContent content;
  };
  Seen& Look(std::string_view relative);

  FileSystem& fs_;
  std::string sim_folder_;
  std::map<std::string, Seen, std::less<>> seen_;
  std::string folder_on_disk_;  // found the first time a name is displayed
};

}  // namespace ql2
