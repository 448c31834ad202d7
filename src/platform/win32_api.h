// <windows.h> for the program's Win32 code. Include it instead of <windows.h>: the system's
// headers define CopyFile, DeleteFile, ReplaceFile and FindWindow as macros (the A/W switch),
// which would rename the FileSystem methods and the control table's function of those names in
// whatever file includes both. Also: functions of system libraries that older systems lack, and
// a COM apartment for the span of a call.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// After <windows.h>: COM.
#include <objbase.h>

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

// The calling thread in a single-threaded COM apartment while this lives, for the shell's COM
// objects; a thread that already has an apartment keeps it.
class ComApartment {
 public:
  ComApartment()
      : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  HRESULT result_;
};

}  // namespace ql2
