// <windows.h> for the program's Win32 code. Include it instead of <windows.h>: the system's
// headers define CopyFile, DeleteFile, ReplaceFile and FindWindow as macros (the A/W switch),
// which would rename the FileSystem methods and the control table's function of those names in
// whatever file includes both. Also: functions of system libraries that older systems lack.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#undef CopyFile
#undef DeleteFile
#undef ReplaceFile
#undef FindWindow

namespace ql2 {

// A function of a system library that older systems lack, looked up by name (nullptr there).
template <typename Function>
Function SystemFunction(const char* library, const char* name) {
  HMODULE module = GetModuleHandleA(library);
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace ql2
