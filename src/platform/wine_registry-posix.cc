#include "platform/wine_registry.h"

#include <pwd.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "platform/ascii.h"
#include "platform/case_folding_file_system.h"
#include "platform/file_system.h"
#include "platform/posix_file_system.h"
#include "platform/wine_reg_file.h"

namespace ql2 {
namespace {

constexpr std::string_view kSimulatorName = "Flight Simulator 9.0";
constexpr std::string_view kNotRegisteredCause = "not registered in the Wine prefix";
constexpr std::string_view kDriveNotMappedCause = "its drive is not mapped in the Wine prefix";
constexpr std::string_view kNotDrivePathCause = "its folder is not on a drive of the Wine prefix";
constexpr std::string_view kNoPrefixCause = "no Wine prefix is set";
constexpr std::string_view kNotRegistryCause = "not a Wine registry file";
constexpr std::string_view kSystemDriveVariable = "%SystemDrive%";
constexpr std::string_view kSystemDrive = "C:";
constexpr std::string_view kParentPrefix = "../";
constexpr char kWindowsSeparator = '\\';
constexpr char kNativeSeparator = '/';

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Every %SystemDrive% (in any letter case) replaced by Wine's system drive.
std::string ExpandSystemDrive(const std::string& text) {
  std::string out;
  size_t pos = 0;
  while (pos < text.size()) {
    std::string_view rest = std::string_view(text).substr(pos, kSystemDriveVariable.size());
    if (EqualIgnoringAsciiCase(rest, kSystemDriveVariable)) {
      out += kSystemDrive;
      pos += kSystemDriveVariable.size();
    } else {
      out += text[pos++];
    }
  }
  return out;
}

Status NotFound(std::string_view cause, std::string message) {
  return Status::Fail(ErrorKind::kNotFound, std::string(cause), std::move(message));
}

// The native folder that a drive letter stands for in the prefix, nullopt when it has none.
std::optional<std::string> DriveFolder(const std::string& prefix, char drive) {
  std::string link = prefix + std::string(wine::kDriveLinksFolder) + AsciiLower(drive) + ':';
  struct stat st;
  if (lstat(link.c_str(), &st) != 0) return std::nullopt;
  if (!S_ISLNK(st.st_mode)) return link;
  std::vector<char> target(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
  ssize_t n = readlink(link.c_str(), target.data(), target.size());
  if (n < 0 || static_cast<size_t>(n) >= target.size()) return link;  // let the system follow it
  std::string to(target.data(), static_cast<size_t>(n));
  if (!to.empty() && to.front() == kNativeSeparator) return to;
  // Relative links point from the dosdevices folder; "../drive_c" is the prefix's drive_c.
  if (to.compare(0, kParentPrefix.size(), kParentPrefix) == 0) {
    return prefix + kNativeSeparator + to.substr(kParentPrefix.size());
  }
  return prefix + std::string(wine::kDriveLinksFolder) + to;
}

}  // namespace

EnvironmentLookup ProcessEnvironment() {
  return [](std::string_view name) -> std::optional<std::string> {
    std::string key(name);
    if (const char* value = getenv(key.c_str())) return std::string(value);
    if (name == wine::kHomeVariable) {
      if (const passwd* user = getpwuid(getuid())) {
        if (user->pw_dir != nullptr) return std::string(user->pw_dir);
      }
    }
    return std::nullopt;
  };
}

std::string WinePrefixFrom(const EnvironmentLookup& environment) {
  std::optional<std::string> prefix = environment(wine::kPrefixVariable);
  if (prefix && !prefix->empty()) return *prefix;
  std::optional<std::string> home = environment(wine::kHomeVariable);
  if (home && !home->empty()) return *home + std::string(wine::kDefaultPrefixInHome);
  return "";
}

WineRegistry::WineRegistry(const EnvironmentLookup& environment)
    : prefix_(WinePrefixFrom(environment)) {}

Result<std::string> WineRegistry::ReadSimulatorFolder() {
  const std::string name(kSimulatorName);
  if (prefix_.empty()) {
    return NotFound(kNoPrefixCause, name + " is not registered: no Wine prefix is set (" +
                                        std::string(wine::kPrefixVariable) + " and " +
                                        std::string(wine::kHomeVariable) + " are both unset)");
  }
  const std::string prefix = TrimTrailingSeparators(prefix_, kNativeSeparator);
  const std::string not_registered = name + " is not registered in the Wine prefix " + prefix;

  PosixFileSystem disk;
  const std::string file = prefix + std::string(wine::kSystemRegistryFile);
  Result<std::string> bytes = disk.ReadFile(file);
  if (!bytes.ok()) {
    if (bytes.status().kind() == ErrorKind::kNotFound) {
      return NotFound(kNotRegisteredCause, not_registered);
    }
    return bytes.status();
  }

  std::string windows_path;
  // Both keys in one reading: a prefix's system.reg runs to megabytes.
  const std::vector<wine::RegText> values = wine::FindRegistryTexts(
      bytes.value(), {registry::kWow64SimulatorKey, registry::kSimulatorKey},
      registry::kExePathValue);
  for (const wine::RegText& value : values) {
    if (value.lookup == wine::RegLookup::kNotRegistry) {
      return Status::Fail(ErrorKind::kBadContent, std::string(kNotRegistryCause),
                          file + " is " + std::string(kNotRegistryCause));
    }
    if (value.lookup != wine::RegLookup::kFound) continue;
    std::string text = value.text.substr(0, value.text.find('\0'));
    if (value.expandable) text = ExpandSystemDrive(text);
    if (!text.empty()) {
      windows_path = std::move(text);
      break;
    }
  }
  if (windows_path.empty()) return NotFound(kNotRegisteredCause, not_registered);

  if (windows_path.size() < 2 || !IsAsciiLetter(windows_path[0]) || windows_path[1] != ':') {
    return NotFound(kNotDrivePathCause, name + " is registered at " + windows_path +
                                            ", which is not on a drive of the Wine prefix " +
                                            prefix);
  }
  std::optional<std::string> drive = DriveFolder(prefix, windows_path[0]);
  if (!drive) {
    return NotFound(kDriveNotMappedCause, name + " is registered at " + windows_path +
                                              ", but the Wine prefix " + prefix + " has no drive " +
                                              windows_path.substr(0, 2));
  }
  std::string native = *drive;
  std::string rest = windows_path.substr(2);
  for (char& c : rest) {
    if (c == kWindowsSeparator) c = kNativeSeparator;
  }
  if (!rest.empty() && rest.front() != kNativeSeparator)
    rest.insert(rest.begin(), kNativeSeparator);
  if (!native.empty() && native.back() == kNativeSeparator && !rest.empty()) rest.erase(0, 1);
  native += rest;
  return ResolvePathIgnoringCase(native);
}

}  // namespace ql2
