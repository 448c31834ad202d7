#include "platform/case_folding_file_system.h"

#include <dirent.h>
#include <sys/stat.h>

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

}  // namespace

std::string ResolvePathIgnoringCase(const std::string& path) {
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
  }
  return resolved;
}

EntryInfo CaseFoldingFileSystem::Stat(const std::string& path) {
  return inner_.Stat(ResolvePathIgnoringCase(path));
}

Result<std::string> CaseFoldingFileSystem::ReadFile(const std::string& path) {
  return inner_.ReadFile(ResolvePathIgnoringCase(path));
}

Status CaseFoldingFileSystem::ReplaceFile(const std::string& path, std::string_view bytes) {
  return inner_.ReplaceFile(ResolvePathIgnoringCase(path), bytes);
}

Status CaseFoldingFileSystem::CopyFile(const std::string& from, const std::string& to) {
  return inner_.CopyFile(ResolvePathIgnoringCase(from), ResolvePathIgnoringCase(to));
}

Status CaseFoldingFileSystem::DeleteFile(const std::string& path) {
  return inner_.DeleteFile(ResolvePathIgnoringCase(path));
}

Result<std::vector<std::string>> CaseFoldingFileSystem::ListFolder(const std::string& folder) {
  return inner_.ListFolder(ResolvePathIgnoringCase(folder));
}

std::string CaseFoldingFileSystem::WritePath(const std::string& path) {
  return inner_.WritePath(ResolvePathIgnoringCase(path));
}

std::string CaseFoldingFileSystem::PathOnDisk(const std::string& path) {
  return ResolvePathIgnoringCase(path);
}

Status CaseFoldingFileSystem::CheckEditable(const std::string& path) {
  return inner_.CheckEditable(ResolvePathIgnoringCase(path));
}

Status CaseFoldingFileSystem::CheckFolderWritable(const std::string& folder) {
  return inner_.CheckFolderWritable(ResolvePathIgnoringCase(folder));
}

Result<std::unique_ptr<FolderLock>> CaseFoldingFileSystem::LockFolder(const std::string& folder) {
  return inner_.LockFolder(ResolvePathIgnoringCase(folder));
}

}  // namespace ql2
