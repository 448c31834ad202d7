#include <string>

#include "platform/win32_api.h"
#include "platform/win32_shell.h"

// After <windows.h>: the shell's and COM's declarations.
#include <objbase.h>
#include <shellapi.h>

namespace ql2 {
namespace {

constexpr char kOpenVerb[] = "open";
// The step a failure names: "cannot open <path>: ...".
constexpr char kFailedVerb[] = "open";
constexpr char kNoProgram[] = "no program is associated with this kind of file";

}  // namespace

Status Win32Shell::OpenDocument(const std::string& path) {
  // Some handlers of "open" are COM objects, which need a single-threaded apartment.
  const ComApartment apartment;
  HINSTANCE result =
      ShellExecuteA(nullptr, kOpenVerb, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  // Not a handle: a number, greater than 32 on success, else the error.
  const INT_PTR code = reinterpret_cast<INT_PTR>(result);
  if (code > 32) return Status::Ok();
  switch (code) {
    case SE_ERR_FNF:
    case SE_ERR_PNF:
      return Status::Failed(ErrorKind::kNotFound, kFailedVerb, path);
    case SE_ERR_NOASSOC:
    case SE_ERR_ASSOCINCOMPLETE:
      return Status::Failed(ErrorKind::kNotFound, kFailedVerb, path, kNoProgram);
    case SE_ERR_ACCESSDENIED:
      return Status::Failed(ErrorKind::kPermissionDenied, kFailedVerb, path);
    case SE_ERR_SHARE:
      return Status::Failed(ErrorKind::kInUse, kFailedVerb, path);
    default:
      return Status::Failed(ErrorKind::kOther, kFailedVerb, path);
  }
}

}  // namespace ql2
