#include "platform/system.h"
#include "platform/win32_file_system.h"
#include "platform/win32_registry.h"
#include "platform/win32_shell.h"

namespace ql2 {

std::unique_ptr<FileSystem> MakeSystemFileSystem() {
  return std::make_unique<Win32FileSystem>();
}

std::unique_ptr<Registry> MakeSystemRegistry() {
  return std::make_unique<Win32Registry>();
}

std::unique_ptr<Shell> MakeSystemShell() {
  return std::make_unique<Win32Shell>();
}

}  // namespace ql2
