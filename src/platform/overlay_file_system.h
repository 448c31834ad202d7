// A file system that lets a procedure run for real while changing nothing: reads see the base file
// system, writes and deletions are kept in memory and shadow the base from then on. A dry run
// runs the ordinary install and remove procedures on it and then reports Changes().
//
// Contract: every operation succeeds or fails as the base would, judged only through the base's
// non-mutating operations (Stat, ReadFile, CheckEditable, CheckFolderWritable); nothing ever
// reaches the base's ReplaceFile, CopyFile or DeleteFile. Failures carry the kind and the sentence
// the base's own write would give ("cannot write <path>: the file is read-only"). The overlay never
// creates folders, so a file in a missing folder is refused (kNotFound) just as the real run
// refuses it. Paths are compared as given, after stripping trailing separators: two spellings of
// one file (or a symbolic link and its target) are two files to the overlay. Where the base cannot
// be judged exactly the overlay is the stricter one, so a dry run may fail where the real run would
// not, never the other way round:
//   - before its first change a base file is read, so that Changes() can show what was there; a
//     file the base refuses to read cannot be replaced or deleted;
//   - a deletion is refused only when the file or folder is missing, the file is in use or its
//     folder is not writable (whether a read-only file may be deleted differs between systems).
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace ql2 {

// One file whose content would differ from the base's. nullopt before: the file would be
// created; nullopt after: it would be deleted.
struct OverlayChange {
  std::string path;
  std::optional<std::string> before;
  std::optional<std::string> after;
};

class OverlayFileSystem : public FileSystem {
 public:
  explicit OverlayFileSystem(FileSystem& base) : base_(base) {}

  char Separator() const override { return base_.Separator(); }
  EntryInfo Stat(const std::string& path) override;
  Result<std::string> ReadFile(const std::string& path) override;
  Status ReplaceFile(const std::string& path, std::string_view bytes) override;
  Status DeleteFile(const std::string& path) override;
  Status CheckEditable(const std::string& path) override;
  Status CheckFolderWritable(const std::string& folder) override;
  // A dry run takes the real lock: it must not read a state another copy is changing.
  Result<std::unique_ptr<FolderLock>> LockFolder(const std::string& folder) override {
    return base_.LockFolder(folder);
  }

  // The files whose final content differs from the base's, in the order they were first written
  // or deleted. A file rewritten with the bytes it had, or created and deleted again, is absent.
  std::vector<OverlayChange> Changes() const;

 private:
  // What the overlay knows about one path it has written or deleted.
  struct Entry {
    std::optional<std::string> before;  // the base's bytes at the first change
    std::optional<std::string> after;   // what a read sees now; nullopt: deleted
    EntryInfo base_info;                // the base's attributes, kept by a replace
    bool base_live = false;             // the base's file stands (not deleted, maybe replaced)
  };

  // What a change of one path starts from, looked up once and handed to the checks and to Touch.
  struct PathState {
    std::string key;
    Entry* entry = nullptr;  // nullptr before the path's first change
    EntryInfo base_info;     // the base's, asked only when there is no entry

    // What stands at the path as the overlay's Stat sees it.
    EntryKind kind() const;
    // Whether the base's file at the path still stands (it exists and the overlay kept it).
    bool base_file_live() const;
  };

  std::string Key(const std::string& path) const;
  const Entry* Find(const std::string& path) const;
  PathState StateOf(const std::string& path);
  // The checks the base makes before it writes a file; verb names the failed step.
  Status CheckWritable(const std::string& path, const PathState& state, const char* verb);
  // The entry for path, made at its first change (reading the base's bytes).
  Result<Entry*> Touch(const std::string& path, const PathState& state);

  FileSystem& base_;
  std::map<std::string, Entry> entries_;
  std::vector<std::string> order_;  // keys of entries_ in the order of their first change
};

}  // namespace ql2
