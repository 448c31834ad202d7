#include "platform/case_folding_file_system.h"

#include <dirent.h>
#include <sys/stat.h>

#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <string_view>

#include "platform/ascii.h"

namespace ql2 {
namespace {

constexpr char kSeparator = '/';
constexpr std::string_view kCurrentFolder = ".";
constexpr std::string_view kParentFolder = "..";

// The entry of `folder` equal to `name` ignoring case; of several, the first byte by byte.
std::optional<std::string> FindEntryIgnoringCase(const std::string& folder, std::string_view name) {
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return std::nullopt;
  std::optional<std::string> best;
  while (const dirent* entry = readdir(dir)) {
    std::string_view entry_name = entry->d_name;
    if (entry_name == kCurrentFolder || entry_name == kParentFolder) continue;
    if (!EqualIgnoringAsciiCase(entry_name, name)) continue;
    if (!best || entry_name < *best) best = std::string(entry_name);
  }
  closedir(dir);
  return best;
}

// What a path's first components were found to be on disk: the resolved prefix, and whether the
// names below it are still looked up (false once a name matched nothing).
struct FoundPrefix {
  std::string path;
  bool resolving;
};
using FoundPrefixes = std::map<std::string, FoundPrefix, std::less<>>;

std::string Resolve(const std::string& path, FoundPrefixes* found) {
  std::string resolved;
  resolved.reserve(path.size());
  bool resolving = true;
  size_t pos = 0;
  while (pos < path.size()) {
    if (path[pos] == kSeparator) {
      resolved += kSeparator;
      ++pos;
      continue;
    }
    size_t end = path.find(kSeparator, pos);
    if (end == std::string::npos) end = path.size();
    if (found != nullptr) {
      auto known = found->find(std::string_view(path).substr(0, end));
      if (known != found->end()) {
        resolved = known->second.path;
        resolving = known->second.resolving;
        pos = end;
        continue;
      }
    }
    std::string name = path.substr(pos, end - pos);
    pos = end;
    if (resolving && name != kCurrentFolder && name != kParentFolder) {
      struct stat st;
      if (lstat((resolved + name).c_str(), &st) != 0) {
        std::optional<std::string> match =
            FindEntryIgnoringCase(resolved.empty() ? std::string(kCurrentFolder) : resolved, name);
        if (match) {
          name = *match;
        } else {
          resolving = false;  // nothing can exist below a missing name
        }
      }
    }
    resolved += name;
    if (found != nullptr) found->emplace(path.substr(0, end), FoundPrefix{resolved, resolving});
  }
  return resolved;
}

// A lock taken through the file system: while any is held, the names found stay known.
class RememberingLock : public FolderLock {
 public:
  RememberingLock(std::unique_ptr<FolderLock> inner, std::function<void()> released)
      : inner_(std::move(inner)), released_(std::move(released)) {}
  ~RememberingLock() override {
    inner_.reset();
    released_();
  }

 private:
  std::unique_ptr<FolderLock> inner_;
  std::function<void()> released_;
};

}  // namespace

// Kept only while a lock is held, so that nothing found before another copy of the program could
// change the folder is trusted afterwards.
struct CaseFoldingFileSystem::Found {
  int locks_held = 0;
  FoundPrefixes prefixes;
};

CaseFoldingFileSystem::CaseFoldingFileSystem(FileSystem& inner)
    : inner_(inner), found_(std::make_unique<Found>()) {}

CaseFoldingFileSystem::~CaseFoldingFileSystem() = default;

std::string ResolvePathIgnoringCase(const std::string& path) {
  return Resolve(path, nullptr);
}

std::string CaseFoldingFileSystem::ResolvePath(const std::string& path) {
  return Resolve(path, found_->locks_held > 0 ? &found_->prefixes : nullptr);
}

EntryInfo CaseFoldingFileSystem::Stat(const std::string& path) {
  return inner_.Stat(ResolvePath(path));
}

Result<std::string> CaseFoldingFileSystem::ReadFile(const std::string& path) {
  return inner_.ReadFile(ResolvePath(path));
}

Status CaseFoldingFileSystem::ReplaceFile(const std::string& path, std::string_view bytes) {
  return inner_.ReplaceFile(ResolvePath(path), bytes);
}

Status CaseFoldingFileSystem::CopyFile(const std::string& from, const std::string& to) {
  return inner_.CopyFile(ResolvePath(from), ResolvePath(to));
}

Status CaseFoldingFileSystem::DeleteFile(const std::string& path) {
  const std::string resolved = ResolvePath(path);
  // Another name may now be found for the paths that led to the deleted file.
  for (auto it = found_->prefixes.begin(); it != found_->prefixes.end();) {
    it = it->second.path == resolved ? found_->prefixes.erase(it) : std::next(it);
  }
  return inner_.DeleteFile(resolved);
}

Result<std::vector<std::string>> CaseFoldingFileSystem::ListFolder(const std::string& folder) {
  return inner_.ListFolder(ResolvePath(folder));
}

std::string CaseFoldingFileSystem::WritePath(const std::string& path) {
  return inner_.WritePath(ResolvePath(path));
}

Status CaseFoldingFileSystem::CheckEditable(const std::string& path) {
  return inner_.CheckEditable(ResolvePath(path));
}

Status CaseFoldingFileSystem::CheckFolderWritable(const std::string& folder) {
  return inner_.CheckFolderWritable(ResolvePath(folder));
}

Result<std::unique_ptr<FolderLock>> CaseFoldingFileSystem::LockFolder(const std::string& folder) {
  Result<std::unique_ptr<FolderLock>> lock = inner_.LockFolder(ResolvePath(folder));
  if (!lock.ok()) return lock;
  ++found_->locks_held;
  Found* found = found_.get();
  return std::unique_ptr<FolderLock>(
      std::make_unique<RememberingLock>(std::move(lock.value()), [found] {
        if (--found->locks_held == 0) found->prefixes.clear();
      }));
}

}  // namespace ql2
