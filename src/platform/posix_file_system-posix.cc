#include "platform/posix_file_system.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "platform/read_to_end.h"

namespace ql2 {
namespace {

ErrorKind KindOfErrno(int err) {
  switch (err) {
    case ENOENT:
    case ENOTDIR:
      return ErrorKind::kNotFound;
    case EACCES:
    case EPERM:
      return ErrorKind::kPermissionDenied;
    case EROFS:
      return ErrorKind::kReadOnly;
    case ETXTBSY:
    case EBUSY:
      return ErrorKind::kInUse;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return ErrorKind::kDiskFull;
    case EISDIR:
      return ErrorKind::kNotAFile;
    default:
      return ErrorKind::kOther;
  }
}

Status ErrnoStatus(const std::string& verb, const std::string& path, int err = errno) {
  return Status::Failed(KindOfErrno(err), verb, path);
}

// The path a chain of symbolic links finally names, so that an edit replaces (or creates) the
// link's target and keeps the link, also when the target does not exist yet. A loop is left as
// it is; stat then reports it. With `found`, what the last lstat found there: true and its
// status in *st when something that is no link stands there, else in *error why nothing does (0
// when links were left unfollowed).
std::string FollowLinks(const FileSystem& fs, const std::string& path, bool* found = nullptr,
                        struct stat* st = nullptr, int* error = nullptr) {
  struct stat own;
  if (st == nullptr) st = &own;
  if (found != nullptr) *found = false;
  if (error != nullptr) *error = 0;
  std::string current = path;
  for (int hops = 0; hops < 40; ++hops) {
    if (lstat(current.c_str(), st) != 0) {
      if (error != nullptr) *error = errno;
      return current;
    }
    if (!S_ISLNK(st->st_mode)) {
      if (found != nullptr) *found = true;
      return current;
    }
    char buffer[PATH_MAX];
    ssize_t n = readlink(current.c_str(), buffer, sizeof buffer);
    if (n <= 0 || static_cast<size_t>(n) >= sizeof buffer) return current;
    std::string link(buffer, static_cast<size_t>(n));
    current = link.front() == '/' ? link : ParentFolder(fs, current) + "/" + link;
  }
  return current;
}

// Writes the parts one after another, as few calls as the system takes (writev), going on after
// a call that wrote only some of them.
Status WriteAll(int fd, const std::vector<std::string_view>& parts, const std::string& path) {
  std::vector<iovec> left;
  left.reserve(parts.size());
  for (std::string_view part : parts) {
    if (!part.empty()) left.push_back({const_cast<char*>(part.data()), part.size()});
  }
  std::size_t first = 0;
  while (first < left.size()) {
    const int count = static_cast<int>(std::min<std::size_t>(left.size() - first, IOV_MAX));
    ssize_t n = writev(fd, &left[first], count);
    if (n < 0) {
      if (errno == EINTR) continue;
      return ErrnoStatus("write", path);
    }
    auto written = static_cast<std::size_t>(n);
    while (first < left.size() && written >= left[first].iov_len) written -= left[first++].iov_len;
    if (first < left.size()) {
      left[first].iov_base = static_cast<char*>(left[first].iov_base) + written;
      left[first].iov_len -= written;
    }
  }
  return Status::Ok();
}

class PosixFolderLock : public FolderLock {
 public:
  explicit PosixFolderLock(int fd) : fd_(fd) {}
  ~PosixFolderLock() override { close(fd_); }  // closing releases the lock

 private:
  int fd_;
};

// flock cannot wait with a time limit: a held lock is tried again this often until
// kFolderLockWait has passed.
constexpr std::chrono::milliseconds kLockRetry(20);

}  // namespace

EntryInfo PosixFileSystem::Stat(const std::string& path) {
  EntryInfo info;
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return info;
  if (S_ISREG(st.st_mode)) {
    info.kind = EntryKind::kFile;
    info.size = static_cast<std::uint64_t>(st.st_size);
    info.modified = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    info.identity =
        static_cast<std::uint64_t>(st.st_ino) ^ (static_cast<std::uint64_t>(st.st_dev) << 40);
  } else if (S_ISDIR(st.st_mode)) {
    info.kind = EntryKind::kFolder;
  } else {
    info.kind = EntryKind::kOther;
  }
  return info;
}

namespace {

// A regular file opened to be read whole, with its size when opened; closed when destroyed.
class FileToRead {
 public:
  explicit FileToRead(const std::string& path) {
    fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) {
      status_ = ErrnoStatus("read", path);
      return;
    }
    struct stat st;
    if (fstat(fd_, &st) != 0) {
      status_ = ErrnoStatus("read", path);
    } else if (!S_ISREG(st.st_mode)) {
      status_ = Status::Failed(ErrorKind::kNotAFile, "read", path);
    } else {
      size_ = static_cast<std::size_t>(st.st_size);
    }
  }
  ~FileToRead() {
    if (fd_ >= 0) close(fd_);
  }
  FileToRead(const FileToRead&) = delete;
  FileToRead& operator=(const FileToRead&) = delete;

  const Status& status() const { return status_; }
  // Room for the whole file and one byte more, which shows its end.
  std::size_t room() const { return size_ + 1; }

  // One read of at most `most` bytes; *got is 0 at the end of the file.
  Status ReadSome(char* buffer, std::size_t most, std::size_t* got, const std::string& path) {
    for (;;) {
      ssize_t n = read(fd_, buffer, most);
      if (n >= 0) {
        *got = static_cast<std::size_t>(n);
        return Status::Ok();
      }
      if (errno != EINTR) return ErrnoStatus("read", path);
    }
  }

 private:
  int fd_ = -1;
  Status status_;
  std::size_t size_ = 0;
};

}  // namespace

Result<std::string> PosixFileSystem::ReadFile(const std::string& path) {
  FileToRead file(path);
  return ReadToEndAsString(file, path);
}

namespace {

// From this size on, the memory a file is read into is mapped with its pages at once.
constexpr std::size_t kMappedReadSize = 64 * 1024;

// Memory for `size` bytes of a file, not cleared. A large file's is mapped with all its pages
// there at once (MAP_POPULATE), which costs a fraction of the system making each page when it is
// first written to, as a read into new memory makes it: a click holds every file it reads, in
// new memory.
std::shared_ptr<char> NewReadBuffer(std::size_t size) {
#ifdef MAP_POPULATE
  if (size >= kMappedReadSize) {
    void* mapped = mmap(nullptr, size, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (mapped != MAP_FAILED) {
      return std::shared_ptr<char>(static_cast<char*>(mapped),
                                   [size](char* memory) { munmap(memory, size); });
    }
  }
#endif
  return NewUnclearedBuffer(size);
}

}  // namespace

Result<SharedBytes> PosixFileSystem::ReadBytes(const std::string& path) {
  FileToRead file(path);
  return ReadToEndAsShared(file, path, NewReadBuffer);
}

namespace {

// Whether a file whose status is known may be read and replaced: CheckEditable without its stat.
Status CheckEditableFile(const std::string& path, const struct stat& st) {
  if (!S_ISREG(st.st_mode)) return Status::Failed(ErrorKind::kNotAFile, "open", path);
  if ((st.st_mode & 0222) == 0) {
    // Unreadable is said before read-only, as the two looks below say it.
    if (access(path.c_str(), R_OK) != 0) return ErrnoStatus("read", path);
    return Status::Failed(ErrorKind::kReadOnly, "write", path);
  }
  // One look for both; only a refusal is looked at again, to say which it was.
  if (access(path.c_str(), R_OK | W_OK) == 0) return Status::Ok();
  if (access(path.c_str(), R_OK) != 0) return ErrnoStatus("read", path);
  if (access(path.c_str(), W_OK) != 0) return ErrnoStatus("write", path);
  return Status::Ok();
}

}  // namespace

Status PosixFileSystem::ReplaceFileWithParts(const std::string& path,
                                             const std::vector<std::string_view>& parts) {
  bool found = false;
  struct stat st;
  int missing = 0;
  const std::string target = FollowLinks(*this, path, &found, &st, &missing);
  mode_t mode;
  // The last lstat is the target's status, unless links were left unfollowed (a loop).
  if (!found && missing != 0) {
    errno = missing;
  } else if (!found && stat(target.c_str(), &st) == 0) {
    found = true;
  }
  if (found) {
    if (!S_ISREG(st.st_mode)) return Status::Failed(ErrorKind::kNotAFile, "write", path);
    Status editable = CheckEditableFile(target, st);
    if (!editable.ok()) return Status::Failed(editable.kind(), "write", path);
    mode = st.st_mode & 07777;
  } else if (errno != ENOENT) {
    return ErrnoStatus("write", path);  // a link loop or an unsearchable folder: not "missing"
  } else {
    mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }

  std::string temp = target + ".ql2-XXXXXX";
  int fd = mkstemp(&temp[0]);
  if (fd < 0) return ErrnoStatus("write", path);
  Status status = WriteAll(fd, parts, path);
  if (status.ok() && fchmod(fd, mode) != 0) status = ErrnoStatus("write", path);
  if (status.ok() && fsync(fd) != 0) status = ErrnoStatus("write", path);
  if (close(fd) != 0 && status.ok()) status = ErrnoStatus("write", path);
  if (status.ok() && rename(temp.c_str(), target.c_str()) != 0) status = ErrnoStatus("write", path);
  if (!status.ok()) {
    unlink(temp.c_str());
    return status;
  }
  // Make the rename itself durable: until the folder is flushed a power cut may undo it, so a
  // folder that cannot be flushed fails the write like a file that cannot be.
  int dir = open(ParentFolder(*this, target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return ErrnoStatus("write", path);
  // Some file systems cannot flush a folder at all (EINVAL): there is nothing more to wait for.
  if (fsync(dir) != 0 && errno != EINVAL) {
    int err = errno;
    close(dir);
    return ErrnoStatus("write", path, err);
  }
  close(dir);
  return Status::Ok();
}

Status PosixFileSystem::DeleteFile(const std::string& path) {
  struct stat st;
  if (lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
    return Status::Failed(ErrorKind::kNotAFile, "delete", path);
  }
  if (unlink(path.c_str()) != 0) return ErrnoStatus("delete", path);
  return Status::Ok();
}

Result<std::vector<std::string>> PosixFileSystem::ListFolder(const std::string& folder) {
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return ErrnoStatus("list", folder);
  std::vector<std::string> names;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(dir);
  return names;
}

std::string PosixFileSystem::WritePath(const std::string& path) {
  return FollowLinks(*this, path);
}

Status PosixFileSystem::CheckEditable(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return ErrnoStatus("open", path);
  return CheckEditableFile(path, st);
}

Status PosixFileSystem::CheckFolderWritable(const std::string& folder) {
  struct stat st;
  if (stat(folder.c_str(), &st) != 0) return ErrnoStatus("write in", folder);
  if (!S_ISDIR(st.st_mode)) return Status::Failed(ErrorKind::kNotFound, "write in", folder);
  if (access(folder.c_str(), W_OK | X_OK) != 0) return ErrnoStatus("write in", folder);
  return Status::Ok();
}

Result<std::unique_ptr<FolderLock>> PosixFileSystem::LockFolder(const std::string& folder) {
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return ErrnoStatus("lock", folder);
  auto deadline = std::chrono::steady_clock::now() + kFolderLockWait;
  while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EWOULDBLOCK && errno != EINTR) {
      int err = errno;
      close(fd);
      return ErrnoStatus("lock", folder, err);
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      close(fd);
      return Status::Failed(ErrorKind::kInUse, "lock", folder);
    }
    std::this_thread::sleep_for(kLockRetry);
  }
  return std::unique_ptr<FolderLock>(std::make_unique<PosixFolderLock>(fd));
}

}  // namespace ql2
