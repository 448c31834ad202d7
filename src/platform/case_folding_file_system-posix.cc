#include "platform/case_folding_file_system.h"

#include <dirent.h>
#include <sys/stat.h>

#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string_view>
#include <utility>

#include "platform/ascii.h"

namespace ql2 {
namespace {

constexpr char kSeparator = '/';
constexpr std::string_view kCurrentFolder = ".";
constexpr std::string_view kParentFolder = "..";

// A folder's entry names (no "." or ".."), in byte order.
using Listing = std::set<std::string, std::less<>>;

std::optional<Listing> ReadListing(const std::string& folder) {
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return std::nullopt;
  Listing names;
  while (const dirent* entry = readdir(dir)) {
    std::string_view name = entry->d_name;
    if (name != kCurrentFolder && name != kParentFolder) names.emplace(name);
  }
  closedir(dir);
  return names;
}

// The entry equal to `name` ignoring case; of several, the first byte by byte.
std::optional<std::string> MatchIgnoringCase(const Listing& names, std::string_view name) {
  for (const std::string& entry : names) {
    if (EqualIgnoringAsciiCase(entry, name)) return entry;
  }
  return std::nullopt;
}

// What a path's first components were found to be on disk: the resolved prefix, and whether the
// names below it are still looked up (false once a name matched nothing).
struct FoundPrefix {
  std::string path;
  bool resolving;
};

// What is known of the disk while a lock is held: the prefixes of the paths asked for, and the
// entries of the folders a name was missing from, by folder path (no trailing separator).
struct Known {
  std::map<std::string, FoundPrefix, std::less<>> prefixes;
  std::map<std::string, Listing, std::less<>> listings;

  // The folder's entries, read the first time; null when it cannot be listed.
  const Listing* ListingOf(const std::string& folder) {
    auto it = listings.find(folder);
    if (it == listings.end()) {
      std::optional<Listing> read = ReadListing(folder);
      if (!read) return nullptr;
      it = listings.emplace(folder, std::move(*read)).first;
    }
    return &it->second;
  }
};

// The folder a resolved prefix ending in a separator names, as a listing's key.
std::string FolderOf(const std::string& prefix) {
  if (prefix.empty()) return std::string(kCurrentFolder);
  std::string folder = prefix;
  while (folder.size() > 1 && folder.back() == kSeparator) folder.pop_back();
  return folder;
}

// The name a component has in the folder `prefix` (resolved, ending in a separator), or nothing.
std::optional<std::string> FindName(const std::string& prefix, const std::string& name,
                                    Known* known) {
  if (known != nullptr) {
    auto listed = known->listings.find(FolderOf(prefix));
    if (listed != known->listings.end()) {
      if (listed->second.count(name) != 0) return name;
      return MatchIgnoringCase(listed->second, name);
    }
  }
  struct stat st;
  if (lstat((prefix + name).c_str(), &st) == 0) return name;
  if (known != nullptr) {
    const Listing* listing = known->ListingOf(FolderOf(prefix));
    return listing != nullptr ? MatchIgnoringCase(*listing, name) : std::nullopt;
  }
  std::optional<Listing> listing = ReadListing(FolderOf(prefix));
  return listing ? MatchIgnoringCase(*listing, name) : std::nullopt;
}

// `path` resolved; *missing tells whether a name of it matched nothing (so nothing is there).
std::string Resolve(const std::string& path, Known* known, bool* missing = nullptr) {
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
    if (known != nullptr) {
      auto found = known->prefixes.find(std::string_view(path).substr(0, end));
      if (found != known->prefixes.end()) {
        resolved = found->second.path;
        resolving = found->second.resolving;
        pos = end;
        continue;
      }
    }
    std::string name = path.substr(pos, end - pos);
    pos = end;
    if (resolving && name != kCurrentFolder && name != kParentFolder) {
      std::optional<std::string> match = FindName(resolved, name, known);
      if (match) {
        name = *match;
      } else {
        resolving = false;  // nothing can exist below a missing name
      }
    }
    resolved += name;
    if (known != nullptr) {
      known->prefixes.emplace(path.substr(0, end), FoundPrefix{resolved, resolving});
    }
  }
  if (missing != nullptr) *missing = !resolving;
  return resolved;
}

// The folder and the name of a resolved path.
std::pair<std::string, std::string> SplitPath(const std::string& path) {
  const std::size_t cut = path.find_last_of(kSeparator);
  if (cut == std::string::npos) return {std::string(kCurrentFolder), path};
  return {FolderOf(path.substr(0, cut + 1)), path.substr(cut + 1)};
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
  Known known;
};

CaseFoldingFileSystem::CaseFoldingFileSystem(FileSystem& inner)
    : inner_(inner), found_(std::make_unique<Found>()) {}

CaseFoldingFileSystem::~CaseFoldingFileSystem() = default;

std::string ResolvePathIgnoringCase(const std::string& path) {
  return Resolve(path, nullptr);
}

std::string CaseFoldingFileSystem::ResolvePath(const std::string& path) {
  return Resolve(path, found_->locks_held > 0 ? &found_->known : nullptr);
}

EntryInfo CaseFoldingFileSystem::Stat(const std::string& path) {
  // A path a name of which is missing from its folder leads nowhere: no need to look again.
  bool missing = false;
  const std::string resolved =
      Resolve(path, found_->locks_held > 0 ? &found_->known : nullptr, &missing);
  if (missing) return EntryInfo();
  return inner_.Stat(resolved);
}

Result<std::string> CaseFoldingFileSystem::ReadFile(const std::string& path) {
  return inner_.ReadFile(ResolvePath(path));
}

Result<SharedBytes> CaseFoldingFileSystem::ReadBytes(const std::string& path) {
  return inner_.ReadBytes(ResolvePath(path));
}

void CaseFoldingFileSystem::Wrote(const std::string& resolved, bool ok) {
  if (found_->locks_held == 0) return;
  Known& known = found_->known;
  const auto [folder, name] = SplitPath(resolved);
  // The path now leads to a file (after a failure it may or may not), and a name found missing
  // from its folder may now be this file's in another spelling: they are looked up again.
  for (auto it = known.prefixes.begin(); it != known.prefixes.end();) {
    const bool stale = it->second.path == resolved ||
                       (!it->second.resolving && SplitPath(it->second.path).first == folder);
    it = stale ? known.prefixes.erase(it) : std::next(it);
  }
  auto listed = known.listings.find(folder);
  if (!ok) {  // what the failed write left is not known: the folder is listed again if needed
    if (listed != known.listings.end()) known.listings.erase(listed);
    return;
  }
  // A name that was there may be a link, whose target (in another folder) the write may have
  // made; a name that was not there is the new file itself.
  const bool was_there = listed == known.listings.end() || listed->second.count(name) != 0;
  if (listed != known.listings.end()) listed->second.insert(name);
  if (was_there && inner_.WritePath(resolved) != resolved) known.listings.clear();
}

Status CaseFoldingFileSystem::ReplaceFileWithParts(const std::string& path,
                                                   const std::vector<std::string_view>& parts) {
  const std::string resolved = ResolvePath(path);
  Status status = inner_.ReplaceFileWithParts(resolved, parts);
  Wrote(resolved, status.ok());
  return status;
}

Status CaseFoldingFileSystem::CopyFile(const std::string& from, const std::string& to) {
  const std::string resolved = ResolvePath(to);
  Status status = inner_.CopyFile(ResolvePath(from), resolved);
  Wrote(resolved, status.ok());
  return status;
}

Status CaseFoldingFileSystem::DeleteFile(const std::string& path) {
  const std::string resolved = ResolvePath(path);
  Status status = inner_.DeleteFile(resolved);
  if (found_->locks_held == 0) return status;
  Known& known = found_->known;
  // Another name may now be found for the paths that led to the deleted file.
  for (auto it = known.prefixes.begin(); it != known.prefixes.end();) {
    it = it->second.path == resolved ? known.prefixes.erase(it) : std::next(it);
  }
  const auto [folder, name] = SplitPath(resolved);
  auto listed = known.listings.find(folder);
  if (listed != known.listings.end()) {
    if (status.ok()) {
      listed->second.erase(name);
    } else {
      known.listings.erase(listed);
    }
  }
  return status;
}

Result<std::vector<std::string>> CaseFoldingFileSystem::ListFolder(const std::string& folder) {
  const std::string resolved = ResolvePath(folder);
  Result<std::vector<std::string>> names = inner_.ListFolder(resolved);
  // The names are the folder's entries for every lookup after this one.
  if (names.ok() && found_->locks_held > 0) {
    found_->known.listings[FolderOf(resolved)] =
        Listing(names.value().begin(), names.value().end());
  }
  return names;
}

std::string CaseFoldingFileSystem::WritePath(const std::string& path) {
  return inner_.WritePath(ResolvePath(path));
}

std::string CaseFoldingFileSystem::PathOnDisk(const std::string& path) {
  return ResolvePath(path);
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
        if (--found->locks_held == 0) found->known = Known();
      }));
}

}  // namespace ql2
