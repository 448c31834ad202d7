#include <string>

#include "platform/win32_api.h"
#include "platform/win32_shell.h"

// After <windows.h>: the shell's and COM's declarations.
#include <objbase.h>
#include <shellapi.h>

namespace ql2 {
namespace {

constexpr char kOpenVerb[] = "open";
constexpr char kNoProgram[] = "no program is associated with this kind of file";

Status OpenFailed(ErrorKind kind, const std::string& cause, const std::string& path) {
  return Status::Fail(kind, cause, "cannot open " + path + ": " + cause);
}

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
      return OpenFailed(ErrorKind::kNotFound, DescribeErrorKind(ErrorKind::kNotFound), path);
    case SE_ERR_NOASSOC:
    case SE_ERR_ASSOCINCOMPLETE:
      return OpenFailed(ErrorKind::kNotFound, kNoProgram, path);
    case SE_ERR_ACCESSDENIED:
      return OpenFailed(ErrorKind::kPermissionDenied,
                        DescribeErrorKind(ErrorKind::kPermissionDenied), path);
    case SE_ERR_SHARE:
      return OpenFailed(ErrorKind::kInUse, DescribeErrorKind(ErrorKind::kInUse), path);
    default:
      return OpenFailed(ErrorKind::kOther, DescribeErrorKind(ErrorKind::kOther), path);
  }
}

}  // namespace ql2
