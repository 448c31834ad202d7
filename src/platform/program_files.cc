#include "platform/program_files.h"

#include "platform/ascii.h"
#include "platform/status.h"

namespace ql2 {
namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

}  // namespace

bool IsInFolder(std::string_view path, std::string_view folder) {
  while (!folder.empty() && IsSeparator(folder.back())) folder.remove_suffix(1);
  if (folder.empty() || path.size() < folder.size()) return false;
  for (std::size_t i = 0; i < folder.size(); ++i) {
    const char a = path[i];
    const char b = folder[i];
    if (IsSeparator(a) && IsSeparator(b)) continue;
    if (AsciiLower(a) != AsciiLower(b)) return false;
  }
  // "C:\Program Files (x86)" is not inside "C:\Program Files".
  return path.size() == folder.size() || IsSeparator(path[folder.size()]);
}

std::string AccessDeniedCause(std::string_view path,
                              const std::vector<std::string>& program_folders, bool elevated) {
  if (!elevated) {
    for (const std::string& folder : program_folders) {
      if (IsInFolder(path, folder)) return std::string(kProgramFilesCause);
    }
  }
  return DescribeErrorKind(ErrorKind::kPermissionDenied);
}

}  // namespace ql2
