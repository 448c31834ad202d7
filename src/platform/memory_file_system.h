// A file system held in memory, for tests: files and folders with the attributes that matter to
// the program (read-only, unreadable, in use, hidden, system), a log of every operation, and a hook
// that can make any operation fail, to test what happens when the disk misbehaves midway.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace ql2 {

enum class FileOperationKind {
  kRead,
  kReplace,
  kCopy,
  kDelete,
  kList,
  kCheckEditable,
  kCheckFolder,
};

struct FileOperation {
  FileOperationKind kind;
  std::string path;
  std::string second_path;  // the destination of a copy
};

struct MemoryFile {
  std::string bytes;
  bool read_only = false;
  bool unreadable = false;
  bool in_use = false;
  bool hidden = false;
  bool system = false;
};

class MemoryFileSystem : public FileSystem {
 public:
  // Called before every operation except Stat; a failed Status is returned instead of doing it.
  using FaultHook = std::function<Status(const FileOperation&)>;

  char Separator() const override { return '/'; }
  EntryInfo Stat(const std::string& path) override;
  Result<std::string> ReadFile(const std::string& path) override;
  Status ReplaceFileWithParts(const std::string& path,
                              const std::vector<std::string_view>& parts) override;
  Status CopyFile(const std::string& from, const std::string& to) override;
  Status DeleteFile(const std::string& path) override;
  Result<std::vector<std::string>> ListFolder(const std::string& folder) override;
  Status CheckEditable(const std::string& path) override;
  Status CheckFolderWritable(const std::string& folder) override;
  // Locks are kept in this object, so two users of one MemoryFileSystem exclude each other; a
  // held lock is refused at once (there is no other thread to wait for).
  Result<std::unique_ptr<FolderLock>> LockFolder(const std::string& folder) override;

  // Set-up for tests. Parent folders are created as needed.
  void AddFolder(const std::string& path);
  MemoryFile& AddFile(const std::string& path, std::string bytes);
  void RemoveFolder(const std::string& path);  // with everything under it
  void SetFolderWritable(const std::string& path, bool writable);
  void SetFaultHook(FaultHook hook) { fault_hook_ = std::move(hook); }

  // Inspection for tests.
  bool HasFile(const std::string& path) const;
  const std::string& FileBytes(const std::string& path) const;  // empty when absent
  MemoryFile* FindFile(const std::string& path);
  const std::map<std::string, MemoryFile>& files() const { return files_; }
  const std::vector<FileOperation>& log() const { return log_; }
  void ClearLog() { log_.clear(); }

 private:
  std::string Normalize(const std::string& path) const;
  bool FolderExists(const std::string& folder) const;
  Status Begin(FileOperationKind kind, const std::string& path, const std::string& second = "");
  Status CheckWritableTarget(const std::string& path, const char* verb);
  // The file at path if it may be read; else why not, as a read of it fails.
  Result<const MemoryFile*> FindReadable(const std::string& path) const;

  std::map<std::string, MemoryFile> files_;
  std::set<std::string> folders_;
  std::set<std::string> locked_folders_;
  std::shared_ptr<std::set<std::string>> held_locks_ = std::make_shared<std::set<std::string>>();
  std::vector<FileOperation> log_;
  FaultHook fault_hook_;
};

}  // namespace ql2
