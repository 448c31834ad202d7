#include "platform/case_folding_file_system.h"
#include "platform/posix_file_system.h"
#include "platform/system.h"
#include "platform/wine_prefixes.h"

namespace ql2 {
namespace {

// The simulator lives in a Wine prefix, where Windows programs find files whatever their
// letter case; the program does the same.
class WineFileSystem : public CaseFoldingFileSystem {
 public:
  WineFileSystem() : CaseFoldingFileSystem(posix_) {}

 private:
  PosixFileSystem posix_;
};

}  // namespace

std::unique_ptr<FileSystem> MakeSystemFileSystem() {
  return std::make_unique<WineFileSystem>();
}

std::unique_ptr<SimulatorFinder> MakeSystemSimulatorFinder() {
  return std::make_unique<WineDiscovery>(ProcessEnvironment());
}

std::unique_ptr<Shell> MakeSystemShell() {
  return std::make_unique<PosixShell>();
}

std::unique_ptr<Elevation> MakeSystemElevation() {
  return std::make_unique<NoElevation>();
}

}  // namespace ql2
