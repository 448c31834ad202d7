#include <string>
#include <vector>

#include "platform/win32_api.h"
#include "platform/win32_elevation.h"
#include "platform/windows_command_line.h"

// After <windows.h>: ShellExecuteEx.
#include <shellapi.h>

namespace ql2 {
namespace {

constexpr char kRunAsVerb[] = "runas";
constexpr char kDeclined[] = "the administrator prompt was declined";
constexpr char kRefused[] = "Windows could not start it";

// This program's own file, whatever the length of its path.
std::string OwnProgramFile() {
  std::vector<char> path(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return "";
    if (n < path.size()) return std::string(path.data(), n);
    path.resize(path.size() * 2);
  }
}

}  // namespace

bool IsProcessElevated() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  const bool known =
      GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) != 0;
  CloseHandle(token);
  return known && elevation.TokenIsElevated != 0;
}

Status Win32Elevation::RestartElevated(const std::vector<std::string>& arguments) {
  const std::string program = OwnProgramFile();
  const std::string parameters = JoinWindowsArguments(arguments);
  // Some handlers of a verb are COM objects, which need a single-threaded apartment.
  const ComApartment apartment;
  SHELLEXECUTEINFOA start{};
  start.cbSize = sizeof start;
  start.fMask = SEE_MASK_NOASYNC;
  start.lpVerb = kRunAsVerb;
  start.lpFile = program.c_str();
  start.lpParameters = parameters.c_str();
  start.nShow = SW_SHOWNORMAL;
  if (ShellExecuteExA(&start)) return Status::Ok();
  if (GetLastError() == ERROR_CANCELLED) {
    return Status::Fail(ErrorKind::kPermissionDenied, kDeclined, kDeclined);
  }
  return Status::Fail(ErrorKind::kOther, kRefused, kRefused);
}

}  // namespace ql2
