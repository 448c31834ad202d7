// The simulator folder as the Windows registry tells it.
#pragma once

#include <string>

#include "platform/registry.h"

namespace ql2 {

// Reads the value from HKEY_LOCAL_MACHINE in the 32-bit view first (the simulator is a 32-bit
// program, so on 64-bit Windows its installer wrote there), then in the 64-bit view. A REG_SZ or
// REG_EXPAND_SZ value (expanded) is read whole, whatever its length, and cut at its first NUL;
// a missing key, a missing, empty or non-text value is kNotFound.
class Win32Registry : public Registry {
 public:
  Win32Registry() = default;
  // Another key and value under HKEY_LOCAL_MACHINE, read by the same rules (for tests).
  Win32Registry(std::string key, std::string value_name)
      : key_(std::move(key)), value_name_(std::move(value_name)) {}

  Result<std::string> ReadSimulatorFolder() override;

 private:
  std::string key_{registry::kSimulatorKey};
  std::string value_name_{registry::kExePathValue};
};

}  // namespace ql2
