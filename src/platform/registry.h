// Where the simulator is installed, as the system's registry tells it: the string value
// "EXE Path" of HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Microsoft Games\Flight Simulator\9.0.
#pragma once

#include <string>
#include <string_view>

#include "platform/status.h"

namespace ql2 {

namespace registry {
inline constexpr std::string_view kSimulatorKey =
    "SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0";
inline constexpr std::string_view kExePathValue = "EXE Path";
// The cause and the whole message when the key or the value is missing or empty.
inline constexpr char kNoSimulatorFolder[] = "the registry has no simulator folder";
}  // namespace registry

class Registry {
 public:
  virtual ~Registry() = default;

  // The simulator folder as a native path of this system, read whole (any length) and cut at its
  // first NUL. kNotFound when the key or the value is missing or empty.
  virtual Result<std::string> ReadSimulatorFolder() = 0;
};

// A registry held in memory, for tests.
class MemoryRegistry : public Registry {
 public:
  explicit MemoryRegistry(std::string value = "", bool present = true)
      : value_(std::move(value)), present_(present) {}
  void Set(std::string value) {
    value_ = std::move(value);
    present_ = true;
  }
  void Remove() { present_ = false; }

  Result<std::string> ReadSimulatorFolder() override {
    std::string folder = value_.substr(0, value_.find('\0'));
    if (!present_ || folder.empty()) {
      return Status::Fail(ErrorKind::kNotFound, registry::kNoSimulatorFolder,
                          registry::kNoSimulatorFolder);
    }
    return folder;
  }

 private:
  std::string value_;
  bool present_;
};

}  // namespace ql2
