// The registry of a Wine prefix, where the simulator lives on Linux: HKEY_LOCAL_MACHINE is the
// prefix's system.reg, and the simulator's "C:\..." folder lies under the prefix.
//
// ReadSimulatorFolder reads "EXE Path" of the simulator's key from $WINEPREFIX/system.reg (see
// wine_reg_file.h for the format), looking first under Software\Wow6432Node\..., where a 32-bit
// program's key lies in a 64-bit prefix, then under the key itself; the first of the two with a
// non-empty text wins. The text is cut at its first NUL. In a str(2) value, %SystemDrive% is
// expanded to C: (Wine's system drive); other %variables% are left as written, since they need
// the environment of a running Wine.
//
// The Windows path is then mapped into the prefix as Wine maps it: the drive letter through the
// link $WINEPREFIX/dosdevices/<drive>: (usually c: -> ../drive_c, z: -> /), backslashes become
// '/', and each folder that does not exist under its exact name is found ignoring case
// (ResolvePathIgnoringCase). The result is a native path; a trailing backslash stays as a trailing
// '/'. Folders that do not exist at all are kept as written: the caller's existence tests report
// them.
//
// Failures: kNotFound when system.reg, the key or the value is missing, the value is empty or not
// a text ("Flight Simulator 9.0 is not registered in the Wine prefix /x"), or when the path is on
// a drive the prefix does not map or is not a drive path at all; kBadContent when system.reg is
// not a Wine registry file; the read error's kind when system.reg cannot be read.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace ql2 {

namespace registry {
inline constexpr std::string_view kWow64SimulatorKey =
    "SOFTWARE\\Wow6432Node\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0";
}  // namespace registry

namespace wine {
inline constexpr std::string_view kPrefixVariable = "WINEPREFIX";
inline constexpr std::string_view kHomeVariable = "HOME";
inline constexpr std::string_view kDefaultPrefixInHome = "/.wine";
inline constexpr std::string_view kSystemRegistryFile = "/system.reg";
inline constexpr std::string_view kDriveLinksFolder = "/dosdevices/";
}  // namespace wine

// The value of an environment variable, nullopt when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(std::string_view name)>;

// The environment of this process (HOME falls back to the user's home folder in the password
// database, as Wine's own lookup does).
EnvironmentLookup ProcessEnvironment();

// The prefix Wine would use: $WINEPREFIX when set and not empty, else $HOME/.wine; empty when
// neither can be found.
std::string WinePrefixFrom(const EnvironmentLookup& environment);

class WineRegistry : public Registry {
 public:
  // The prefix given by the environment (WinePrefixFrom).
  explicit WineRegistry(const EnvironmentLookup& environment);
  // This prefix folder, whatever the environment says.
  explicit WineRegistry(std::string prefix) : prefix_(std::move(prefix)) {}

  const std::string& prefix() const { return prefix_; }

  Result<std::string> ReadSimulatorFolder() override;

 private:
  std::string prefix_;
};

}  // namespace ql2
