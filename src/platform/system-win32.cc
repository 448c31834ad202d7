#include "platform/system.h"
#include "platform/win32_elevation.h"
#include "platform/win32_file_system.h"
#include "platform/win32_registry.h"
#include "platform/win32_shell.h"

namespace ql2 {
namespace {

// The one folder the registry names.
class RegistrySimulatorFinder : public SimulatorFinder {
 public:
  std::vector<FoundFolder> FindSimulatorFolders() override {
    return RegistryFinder(registry_).FindSimulatorFolders();
  }

 private:
  Win32Registry registry_;
};

}  // namespace

std::unique_ptr<FileSystem> MakeSystemFileSystem() {
  return std::make_unique<Win32FileSystem>();
}

std::unique_ptr<SimulatorFinder> MakeSystemSimulatorFinder() {
  return std::make_unique<RegistrySimulatorFinder>();
}

std::unique_ptr<Shell> MakeSystemShell() {
  return std::make_unique<Win32Shell>();
}

std::unique_ptr<Elevation> MakeSystemElevation() {
  return std::make_unique<Win32Elevation>();
}

}  // namespace ql2
