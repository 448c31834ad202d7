// Running as administrator on Windows.
#pragma once

#include "platform/elevation.h"

namespace ql2 {

// Whether this process runs with an administrator's full rights. Systems before Vista know no
// elevation and refuse the question: there the answer is no. Wine runs every program elevated.
bool IsProcessElevated();

// The program starts itself again through ShellExecuteEx's "runas" verb, which shows the system's
// own administrator prompt; declining it is kPermissionDenied.
class Win32Elevation : public Elevation {
 public:
  bool IsElevated() override { return IsProcessElevated(); }
  bool CanRestartElevated() override { return true; }
  Status RestartElevated(const std::vector<std::string>& arguments) override;
};

}  // namespace ql2
