// The file system as the program sees it: whole files read and replaced at once, never edited in
// place, so no file is ever left half-written. Every operation returns an error value naming the
// file and the cause; none throws.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/shared_bytes.h"
#include "platform/status.h"

namespace ql2 {

enum class EntryKind { kNone, kFile, kFolder, kOther };

// What stands at a path (links followed). hidden/system are the Windows attributes; other systems
// report them as false.
struct EntryInfo {
  EntryKind kind = EntryKind::kNone;
  bool hidden = false;
  bool system = false;
  // Of a file, what changes when it is replaced or changed: its size, the time of its last change
  // and a number for the file itself (a replace makes a new one); 0 where unknown. Compared with
  // an earlier look, they tell whether someone changed it since, without reading it.
  std::uint64_t size = 0;
  std::int64_t modified = 0;
  std::uint64_t identity = 0;
};

// How long LockFolder waits for a lock another copy of the program holds: a click waits this long
// for another copy to finish its own.
constexpr std::chrono::milliseconds kFolderLockWait(3000);

// Held while one copy of the program changes files in a folder; released when destroyed.
class FolderLock {
 public:
  virtual ~FolderLock() = default;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The native separator of this file system's paths ('/' or '\\').
  virtual char Separator() const = 0;

  virtual EntryInfo Stat(const std::string& path) = 0;

  // The whole file's bytes. Fails with kNotFound, kNotAFile, kPermissionDenied, ...
  virtual Result<std::string> ReadFile(const std::string& path) = 0;
  // The same, as bytes to share, read straight into memory that is not cleared first where the
  // file system can. Unless it knows better, that is ReadFile.
  virtual Result<SharedBytes> ReadBytes(const std::string& path);

  // Replaces (or creates) the file with exactly the bytes of these parts one after another,
  // atomically: a temporary file is written beside it, flushed and renamed over it, keeping the
  // old file's permission bits. A read-only target is refused (kReadOnly); a missing folder is
  // kNotFound. Through a symbolic link, the file the link points to is replaced. (An edited file
  // is its old bytes with a few lines spliced in: it is written without being joined first.)
  virtual Status ReplaceFileWithParts(const std::string& path,
                                      const std::vector<std::string_view>& parts) = 0;
  // The same with the bytes in one piece.
  Status ReplaceFile(const std::string& path, std::string_view bytes) {
    return ReplaceFileWithParts(path, {bytes});
  }

  // Copies a whole file over another (created or replaced, atomically as ReplaceFile). Unless a
  // file system knows better, that is ReadFile then ReplaceFile, failing as they fail.
  virtual Status CopyFile(const std::string& from, const std::string& to);

  virtual Status DeleteFile(const std::string& path) = 0;

  // The names of the entries of a folder (no "." or ".."), in no particular order.
  virtual Result<std::vector<std::string>> ListFolder(const std::string& folder) = 0;

  // The path a replace of `path` finally writes: the file a symbolic link names, the name on
  // disk where letter case is ignored. Its folder is where the new bytes are put first.
  virtual std::string WritePath(const std::string& path) { return path; }

  // The path as the disk spells it, for messages: each name that exists in the letter case it has
  // on disk (where letter case is ignored), the rest as given, separators as given. Links are not
  // followed. Unless a file system knows better, the path as given.
  virtual std::string PathOnDisk(const std::string& path) { return path; }

  // Whether an existing regular file may be read and replaced (kReadOnly, kPermissionDenied,
  // kNotAFile, kNotFound otherwise), without changing anything.
  virtual Status CheckEditable(const std::string& path) = 0;

  // Whether a new file may be created in this folder, without changing anything.
  virtual Status CheckFolderWritable(const std::string& folder) = 0;

  // Keeps other copies of the program (other processes, or other users of this object) from
  // changing files in the folder until the lock is destroyed. Waits a little for a lock another
  // copy holds, then fails with kInUse. Nothing is written to the folder. A file system that
  // cannot lock gives a lock that holds nothing.
  virtual Result<std::unique_ptr<FolderLock>> LockFolder(const std::string& folder);
};

// The existence rule of the simulator's paths: a path ending with the separator is found when that
// folder exists; any other path when a folder or a file of that name exists.
bool PathExists(FileSystem& fs, const std::string& path);

// A regular file that is neither hidden nor a system file.
bool PlainFileExists(FileSystem& fs, const std::string& path);

// Adds bytes at the end of a file, as one atomic replace of the whole file.
Status AppendToFile(FileSystem& fs, const std::string& path, std::string_view bytes);

// Whether a file name is one a killed ReplaceFile may have left behind: the replaced file's name,
// ".ql2-" and the temporary's own tag (six to eight letters and digits).
bool IsReplaceTemporaryName(std::string_view name);

// Deletes the temporaries a killed run left in the folder; one still in use, or one that cannot
// be deleted, is left. Only a copy of the program that holds the folder's lock may call it, so no
// other copy is writing one of them. Returns how many were deleted.
int RemoveLeftoverTemporaries(FileSystem& fs, const std::string& folder);

// The folder part of a path (everything before its last separator).
std::string ParentFolder(const FileSystem& fs, const std::string& path);

// The path without the separators it ends with, so that "/a/b/" and "/a/b" name one folder; a
// lone root separator stays.
std::string TrimTrailingSeparators(std::string path, char separator);

}  // namespace ql2
