// The real services of the system the program runs on: its file system, the registry that names
// the simulator folder, and the desktop's document opener.
#pragma once

#include <memory>

#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace ql2 {

std::unique_ptr<FileSystem> MakeSystemFileSystem();
std::unique_ptr<Registry> MakeSystemRegistry();
std::unique_ptr<Shell> MakeSystemShell();

}  // namespace ql2
