#include "platform/posix_file_system.h"
#include "platform/system.h"

namespace ql2 {

std::unique_ptr<FileSystem> MakeSystemFileSystem() {
  return std::make_unique<PosixFileSystem>();
}

std::unique_ptr<Registry> MakeSystemRegistry() {
  return std::make_unique<MemoryRegistry>("", false);
}

std::unique_ptr<Shell> MakeSystemShell() {
  return std::make_unique<PosixShell>();
}

}  // namespace ql2
