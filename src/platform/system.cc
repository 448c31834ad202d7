#include "platform/system.h"

namespace ql2 {

SystemServices::SystemServices()
    : fs_(MakeSystemFileSystem()),
      finder_(MakeSystemSimulatorFinder()),
      shell_(MakeSystemShell()),
      folder_memory_(MakeUserFolderMemory()),
      elevation_(MakeSystemElevation()) {}

}  // namespace ql2
