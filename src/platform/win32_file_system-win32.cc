#include "platform/win32_file_system.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/program_files.h"
#include "platform/read_to_end.h"
#include "platform/win32_api.h"
#include "platform/win32_elevation.h"
// After <windows.h>, which it needs.
#include <sddl.h>

namespace ql2 {
namespace {

constexpr char kTempSuffix[] = ".ql2-";
constexpr int kTempNameAttempts = 100;
// The attributes a replaced file keeps; read-only never gets here (such a file is refused).
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kIoChunk = 1u << 20;
// Not in every <winerror.h>: a write beyond the user's disk quota.
constexpr DWORD kErrorDiskQuotaExceeded = 1295;

ErrorKind KindOfError(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_DIRECTORY:
      return ErrorKind::kNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
      return ErrorKind::kPermissionDenied;
    case ERROR_WRITE_PROTECT:
      return ErrorKind::kReadOnly;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
      return ErrorKind::kInUse;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case kErrorDiskQuotaExceeded:
      return ErrorKind::kDiskFull;
    default:
      return ErrorKind::kOther;
  }
}

// The environment variables that name the system's program folders: the process's own, the
// 32-bit programs' one, and the 64-bit programs' one as a 32-bit process sees it.
constexpr const char* kProgramFolderVariables[] = {"ProgramFiles", "ProgramFiles(x86)",
                                                   "ProgramW6432"};

// The system's program folders that the environment names.
std::vector<std::string> ProgramFolders() {
  std::vector<std::string> folders;
  for (const char* name : kProgramFolderVariables) {
    char value[MAX_PATH + 1];
    DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    if (n > 0 && n < sizeof value) folders.emplace_back(value, n);
  }
  return folders;
}

// The absolute form of a path, so that a relative one is also seen to lie under Program Files.
std::string FullPath(const std::string& path) {
  char full[MAX_PATH + 1];
  DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  return n > 0 && n < sizeof full ? std::string(full, n) : path;
}

Status ErrorStatus(const std::string& verb, const std::string& path, DWORD error) {
  if (error != ERROR_ACCESS_DENIED) return Status::Failed(KindOfError(error), verb, path);
  const std::string cause =
      AccessDeniedCause(FullPath(path), ProgramFolders(), IsProcessElevated());
  return Status::Failed(ErrorKind::kPermissionDenied, verb, path, cause);
}

bool IsFolder(DWORD attributes) {
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Closes a handle when it goes out of scope.
class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() { Close(); }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }
  // Whether the close succeeded (a write may fail only when its data reaches the disk).
  bool Close() {
    if (!valid()) return true;
    bool ok = CloseHandle(h_) != 0;
    h_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE h_;
};

// Opens the file the way a writer would need it: for reading, writing and being replaced, sharing
// everything. Any program holding it without sharing it with writers makes this fail with a
// sharing violation; the system's access rules refuse it with access denied.
DWORD ProbeWriteAccess(const std::string& path) {
  Handle h(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, kShareAll, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return h.valid() ? ERROR_SUCCESS : GetLastError();
}

// The final path of a file reached through a symbolic link, so that a replace writes the file the
// link points to and keeps the link; any other path is returned as it is. The function that tells
// it is looked up at run time: systems before Vista do not have it (nor symbolic links).
std::string FollowLinks(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    return path;
  }
  using FinalPathFn = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);
  const auto final_path = SystemFunction<FinalPathFn>("kernel32.dll", "GetFinalPathNameByHandleA");
  if (final_path == nullptr) return path;
  Handle h(CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!h.valid()) return path;
  std::string resolved(MAX_PATH, '\0');
  for (;;) {
    DWORD n = final_path(h.get(), &resolved[0], static_cast<DWORD>(resolved.size()), 0);
    if (n == 0) return path;
    if (n < resolved.size()) {
      resolved.resize(n);
      break;
    }
    resolved.resize(n);  // n counts the terminating NUL when the buffer was too small
  }
  // "\\?\C:\x" names "C:\x"; "\\?\UNC\server\share" names "\\server\share".
  constexpr char kLong[] = "\\\\?\\";
  constexpr char kLongUnc[] = "\\\\?\\UNC\\";
  if (resolved.rfind(kLongUnc, 0) == 0) return "\\\\" + resolved.substr(sizeof kLongUnc - 1);
  if (resolved.rfind(kLong, 0) == 0) return resolved.substr(sizeof kLong - 1);
  return resolved;
}

DWORD WriteAll(HANDLE h, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD chunk = bytes.size() < kIoChunk ? static_cast<DWORD>(bytes.size()) : kIoChunk;
    DWORD written = 0;
    if (!::WriteFile(h, bytes.data(), chunk, &written, nullptr)) return GetLastError();
    if (written == 0) return ERROR_WRITE_FAULT;
    bytes.remove_prefix(written);
  }
  return ERROR_SUCCESS;
}

// A new, empty file beside the target, opened for writing and shared with no one.
HANDLE CreateTempBeside(const std::string& target, DWORD attributes, std::string* temp,
                        DWORD* error) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
    unsigned tag = GetCurrentProcessId() * 2654435761u ^ GetTickCount() ^ counter++ * 40503u;
    char hex[9];
    for (int i = 7; i >= 0; --i, tag >>= 4) hex[i] = "0123456789abcdef"[tag & 0xf];
    hex[8] = '\0';
    *temp = target + kTempSuffix + hex;
    HANDLE h =
        CreateFileA(temp->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
    if (h != INVALID_HANDLE_VALUE) return h;
    *error = GetLastError();
    if (*error != ERROR_FILE_EXISTS && *error != ERROR_ALREADY_EXISTS) break;
  }
  return INVALID_HANDLE_VALUE;
}

bool IsPathSeparator(char c) {
  return c == '\\' || c == '/';
}

// The length of the part of a path that names no entry of a folder: "C:" or "\\server\share".
std::size_t RootLength(const std::string& path) {
  if (path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1])) {
    std::size_t end = 2;
    for (int names = 0; names < 2 && end < path.size(); ++names) {
      while (end < path.size() && IsPathSeparator(path[end])) ++end;
      while (end < path.size() && !IsPathSeparator(path[end])) ++end;
    }
    return end;
  }
  if (path.size() >= 2 && path[1] == ':') return 2;
  return 0;
}

}  // namespace

std::string Win32FileSystem::PathOnDisk(const std::string& path) {
  std::size_t pos = RootLength(path);
  std::string on_disk = path.substr(0, pos);
  bool resolving = true;
  while (pos < path.size()) {
    if (IsPathSeparator(path[pos])) {
      on_disk += path[pos++];
      continue;
    }
    std::size_t end = pos;
    while (end < path.size() && !IsPathSeparator(path[end])) ++end;
    std::string name = path.substr(pos, end - pos);
    pos = end;
    // A pattern would find some other entry; nothing can exist below a missing name.
    if (resolving && name != "." && name != ".." && name.find_first_of("*?") == std::string::npos) {
      WIN32_FIND_DATAA found;
      HANDLE search = FindFirstFileA((on_disk + name).c_str(), &found);
      if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
        name = found.cFileName;
      } else {
        resolving = false;
      }
    }
    on_disk += name;
  }
  return on_disk;
}

EntryInfo Win32FileSystem::Stat(const std::string& path) {
  EntryInfo info;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return info;
  DWORD attributes = data.dwFileAttributes;
  std::uint64_t size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  FILETIME written = data.ftLastWriteTime;
  std::uint64_t identity = 0;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    // A link: what it points to decides (a dangling link is nothing).
    Handle h(CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION target;
    if (!h.valid() || !GetFileInformationByHandle(h.get(), &target)) return info;
    attributes = target.dwFileAttributes;
    size = (static_cast<std::uint64_t>(target.nFileSizeHigh) << 32) | target.nFileSizeLow;
    written = target.ftLastWriteTime;
    identity = (static_cast<std::uint64_t>(target.nFileIndexHigh) << 32) | target.nFileIndexLow;
  }
  if (IsFolder(attributes)) {
    info.kind = EntryKind::kFolder;
  } else if (attributes & FILE_ATTRIBUTE_DEVICE) {
    info.kind = EntryKind::kOther;
  } else {
    info.kind = EntryKind::kFile;
    info.size = size;
    info.modified = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime);
    info.identity = identity;
  }
  info.hidden = (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
  info.system = (attributes & FILE_ATTRIBUTE_SYSTEM) != 0;
  return info;
}

namespace {

// A file opened to be read whole, with its size when opened: shared with readers and writers, so
// that reading does not stand in anyone's way, and a program that holds the file without sharing
// it makes this fail (kInUse).
class FileToRead {
 public:
  explicit FileToRead(const std::string& path)
      : h_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr)) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && IsFolder(attributes)) {
      status_ = Status::Failed(ErrorKind::kNotAFile, "read", path);
      return;
    }
    if (!h_.valid()) {
      status_ = ErrorStatus("read", path, GetLastError());
      return;
    }
    if (GetFileType(h_.get()) != FILE_TYPE_DISK) {
      status_ = Status::Failed(ErrorKind::kNotAFile, "read", path);
      return;
    }
    LARGE_INTEGER size;
    if (GetFileSizeEx(h_.get(), &size) && size.QuadPart > 0) {
      size_ = static_cast<std::size_t>(size.QuadPart);
    }
  }

  const Status& status() const { return status_; }
  // Room for the whole file and one byte more, which shows its end.
  std::size_t room() const { return size_ + 1; }

  // One read of at most `most` bytes; *got is 0 at the end of the file.
  Status ReadSome(char* buffer, std::size_t most, std::size_t* got, const std::string& path) {
    DWORD n = 0;
    if (!::ReadFile(h_.get(), buffer, most < kIoChunk ? static_cast<DWORD>(most) : kIoChunk, &n,
                    nullptr)) {
      return ErrorStatus("read", path, GetLastError());
    }
    *got = n;
    return Status::Ok();
  }

 private:
  Handle h_;
  Status status_;
  std::size_t size_ = 0;
};

}  // namespace

Result<std::string> Win32FileSystem::ReadFile(const std::string& path) {
  FileToRead file(path);
  return ReadToEndAsString(file, path);
}

Result<SharedBytes> Win32FileSystem::ReadBytes(const std::string& path) {
  FileToRead file(path);
  return ReadToEndAsShared(file, path, NewUnclearedBuffer);
}

Status Win32FileSystem::ReplaceFileWithParts(const std::string& path,
                                             const std::vector<std::string_view>& parts) {
  const std::string target = FollowLinks(path);
  DWORD kept = FILE_ATTRIBUTE_NORMAL;
  DWORD attributes = GetFileAttributesA(target.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists) {
    Status editable = CheckEditable(target);
    if (!editable.ok()) return Status::Failed(editable.kind(), "write", path, editable.cause());
    kept = attributes & kKeptAttributes;
    if (kept == 0) kept = FILE_ATTRIBUTE_NORMAL;
  }

  std::string temp;
  DWORD error = ERROR_SUCCESS;
  Handle h(CreateTempBeside(target, kept, &temp, &error));
  if (!h.valid()) return ErrorStatus("write", path, error);
  error = ERROR_SUCCESS;
  for (std::size_t i = 0; i < parts.size() && error == ERROR_SUCCESS; ++i) {
    error = WriteAll(h.get(), parts[i]);
  }
  if (error == ERROR_SUCCESS && !FlushFileBuffers(h.get())) error = GetLastError();
  if (!h.Close() && error == ERROR_SUCCESS) error = GetLastError();
  if (error == ERROR_SUCCESS && !MoveFileExA(temp.c_str(), target.c_str(),
                                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = GetLastError();
    // The file may have been taken by another program since it was checked; say so rather than
    // "access denied", which is what the system answers in that case.
    if (error == ERROR_ACCESS_DENIED && exists &&
        ProbeWriteAccess(target) == ERROR_SHARING_VIOLATION) {
      error = ERROR_SHARING_VIOLATION;
    }
  }
  if (error != ERROR_SUCCESS) {
    ::DeleteFileA(temp.c_str());
    return ErrorStatus("write", path, error);
  }
  return Status::Ok();
}

Status Win32FileSystem::DeleteFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return ErrorStatus("delete", path, GetLastError());
  if (IsFolder(attributes)) return Status::Failed(ErrorKind::kNotAFile, "delete", path);
  if (attributes & FILE_ATTRIBUTE_READONLY) {
    return Status::Failed(ErrorKind::kReadOnly, "delete", path);
  }
  if (!::DeleteFileA(path.c_str())) return ErrorStatus("delete", path, GetLastError());
  return Status::Ok();
}

Result<std::vector<std::string>> Win32FileSystem::ListFolder(const std::string& folder) {
  std::string pattern = folder;
  if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
  pattern += '*';
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return ErrorStatus("list", folder, GetLastError());
  std::vector<std::string> names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

Status Win32FileSystem::CheckEditable(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return ErrorStatus("open", path, GetLastError());
  if (IsFolder(attributes) || (attributes & FILE_ATTRIBUTE_DEVICE)) {
    return Status::Failed(ErrorKind::kNotAFile, "open", path);
  }
  if (attributes & FILE_ATTRIBUTE_READONLY) {
    return Status::Failed(ErrorKind::kReadOnly, "write", path);
  }
  DWORD error = ProbeWriteAccess(path);
  if (error != ERROR_SUCCESS) return ErrorStatus("write", path, error);
  return Status::Ok();
}

Status Win32FileSystem::CheckFolderWritable(const std::string& folder) {
  DWORD attributes = GetFileAttributesA(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    return ErrorStatus("write in", folder, GetLastError());
  }
  if (!IsFolder(attributes)) return Status::Failed(ErrorKind::kNotFound, "write in", folder);
  // The folder's read-only attribute means nothing here (Explorer uses it to mark customised
  // folders); its access rules decide, and the open asks exactly the right to create a file.
  Handle h(CreateFileA(folder.c_str(), FILE_ADD_FILE, kShareAll, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!h.valid()) return ErrorStatus("write in", folder, GetLastError());
  return Status::Ok();
}

namespace {

// The folder lock is a mutex in the "Global\" namespace, which every session of the computer
// shares: the simulator folder is the computer's, not one user's, and the lock must also keep out
// a copy that another user runs meanwhile, or one run in another session (a remote desktop, a
// scheduled task), as the flock of POSIX systems does. "Local\" would be enough for a window
// started as administrator and a ql2cfg that is not, which share one session, but not for those.
// Creating a mutex there needs no privilege (only file mappings do).
constexpr char kLockNamePrefix[] = "Global\\QL2Configurator.FolderLock.";
// What a copy does with the lock: wait for it and release it. An elevated copy's default rights
// on what it creates shut everyone else out, so the mutex is made granting just these rights to
// everyone (neither is a write right, so the elevated copy's integrity level does not stand in a
// plain copy's way either).
constexpr DWORD kLockRights = SYNCHRONIZE | MUTEX_MODIFY_STATE;
constexpr char kLockRightsForEveryone[] = "D:(A;;0x00100001;;;WD)";
static_assert(kLockRights == 0x00100001, "the rights granted must be the rights asked for");
// The mutex may vanish or appear between an open and a create; each attempt is one of each.
constexpr int kLockOpenAttempts = 3;

// The names of the folder locks this process holds. A mutex lets the thread that holds it take it
// again, so this is what refuses that thread a second lock.
struct HeldLocks {
  std::mutex mutex;
  std::set<std::string> names;
};

HeldLocks& HeldByThisProcess() {
  static HeldLocks held;
  return held;
}

class Win32FolderLock : public FolderLock {
 public:
  Win32FolderLock(HANDLE mutex, std::string name) : mutex_(mutex), name_(std::move(name)) {}
  ~Win32FolderLock() override {
    {
      // Before the release, so that a thread of this process waiting for it finds it free.
      std::lock_guard<std::mutex> guard(HeldByThisProcess().mutex);
      HeldByThisProcess().names.erase(name_);
    }
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
  }

 private:
  HANDLE mutex_;
  std::string name_;
};

// The name of the folder's lock, made of what identifies the folder on its volume: its volume's
// serial number and its file index. Every path that reaches the folder (any letter case, a short
// name, a link, another drive letter or a network path) gives the same name. Fails as an open of
// the folder would (kNotFound, kPermissionDenied, ...); a file is not a folder (kNotFound).
Result<std::string> FolderLockName(const std::string& folder) {
  Handle h(CreateFileA(folder.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!h.valid()) return ErrorStatus("lock", folder, GetLastError());
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(h.get(), &info)) {
    return ErrorStatus("lock", folder, GetLastError());
  }
  if (!IsFolder(info.dwFileAttributes)) return Status::Failed(ErrorKind::kNotFound, "lock", folder);
  char id[32];
  std::snprintf(id, sizeof id, "%08lx-%08lx%08lx",
                static_cast<unsigned long>(info.dwVolumeSerialNumber),
                static_cast<unsigned long>(info.nFileIndexHigh),
                static_cast<unsigned long>(info.nFileIndexLow));
  return std::string(kLockNamePrefix) + id;
}

// A handle to the named lock with kLockRights, made by whichever copy asks first; nullptr with
// the error otherwise. Opening asks for just those rights; creating asks for all of them when the
// mutex exists already, which its rights refuse (ERROR_ACCESS_DENIED): then it is opened.
HANDLE OpenFolderMutex(const std::string& name, DWORD* error) {
  PSECURITY_DESCRIPTOR rights = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(kLockRightsForEveryone, SDDL_REVISION_1,
                                                            &rights, nullptr)) {
    *error = GetLastError();
    return nullptr;
  }
  SECURITY_ATTRIBUTES attributes{sizeof attributes, rights, FALSE};
  HANDLE mutex = nullptr;
  for (int attempt = 0; mutex == nullptr && attempt < kLockOpenAttempts; ++attempt) {
    mutex = OpenMutexA(kLockRights, FALSE, name.c_str());
    if (mutex != nullptr) break;
    *error = GetLastError();
    if (*error != ERROR_FILE_NOT_FOUND) break;
    mutex = CreateMutexA(&attributes, FALSE, name.c_str());
    if (mutex == nullptr) {
      *error = GetLastError();
      if (*error != ERROR_ACCESS_DENIED) break;
    }
  }
  LocalFree(rights);
  return mutex;
}

}  // namespace

Result<std::unique_ptr<FolderLock>> Win32FileSystem::LockFolder(const std::string& folder) {
  Result<std::string> name = FolderLockName(folder);
  if (!name.ok()) return name.status();
  DWORD error = ERROR_SUCCESS;
  HANDLE mutex = OpenFolderMutex(name.value(), &error);
  if (mutex == nullptr) return Status::Failed(KindOfError(error), "lock", folder);
  const DWORD waited = WaitForSingleObject(mutex, static_cast<DWORD>(kFolderLockWait.count()));
  // WAIT_ABANDONED: the copy that held it ended without releasing it; the lock is this one's now.
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
    error = waited == WAIT_FAILED ? GetLastError() : ERROR_SUCCESS;
    CloseHandle(mutex);
    return Status::Failed(waited == WAIT_TIMEOUT ? ErrorKind::kInUse : KindOfError(error), "lock",
                          folder);
  }
  bool held_already;
  {
    std::lock_guard<std::mutex> guard(HeldByThisProcess().mutex);
    held_already = !HeldByThisProcess().names.insert(name.value()).second;
  }
  if (held_already) {
    ReleaseMutex(mutex);  // this thread's second hold of it
    CloseHandle(mutex);
    return Status::Failed(ErrorKind::kInUse, "lock", folder);
  }
  return std::unique_ptr<FolderLock>(std::make_unique<Win32FolderLock>(mutex, name.value()));
}

}  // namespace ql2
