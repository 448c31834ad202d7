#include "platform/system.h"

namespace ql2 {

WindowServices::WindowServices(const std::optional<std::string>& given_folder)
    : fs_(MakeSystemFileSystem()),
      system_registry_(MakeSystemRegistry()),
      shell_(MakeSystemShell()),
      folder_memory_(MakeUserFolderMemory()),
      chosen_registry_(*folder_memory_, *system_registry_) {
  if (given_folder) given_registry_ = std::make_unique<MemoryRegistry>(*given_folder);
}

}  // namespace ql2
