#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32_api.h"
#include "platform/win32_registry.h"

namespace ql2 {
namespace {

constexpr char kUnreadable[] = "cannot read the simulator folder from the registry";

// The 32-bit view first: that is where a 32-bit installer writes on 64-bit Windows.
constexpr REGSAM kViews[] = {KEY_WOW64_32KEY, KEY_WOW64_64KEY};

Status NotFound() {
  return Status::Fail(ErrorKind::kNotFound, registry::kNoSimulatorFolder,
                      registry::kNoSimulatorFolder);
}

Status Unreadable(LONG error) {
  ErrorKind kind = error == ERROR_ACCESS_DENIED ? ErrorKind::kPermissionDenied : ErrorKind::kOther;
  return Status::Fail(kind, DescribeErrorKind(kind),
                      std::string(kUnreadable) + ": " + DescribeErrorKind(kind));
}

// Closes a registry key when it goes out of scope.
class Key {
 public:
  Key() = default;
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  ~Key() {
    if (h_ != nullptr) RegCloseKey(h_);
  }
  HKEY* out() { return &h_; }
  HKEY get() const { return h_; }

 private:
  HKEY h_ = nullptr;
};

// Environment variables in the text replaced by their values, as the system does for
// REG_EXPAND_SZ.
std::string Expand(const std::string& text) {
  std::vector<char> buffer(text.size() + 1);
  for (;;) {
    DWORD needed =
        ExpandEnvironmentStringsA(text.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (needed == 0) return text;
    if (needed <= buffer.size()) return std::string(buffer.data());
    buffer.resize(needed);
  }
}

// The value in one view of the registry.
Result<std::string> ReadView(const std::string& key_name, const std::string& value_name,
                             REGSAM view) {
  Key key;
  LONG error = RegOpenKeyExA(HKEY_LOCAL_MACHINE, key_name.c_str(), 0, KEY_READ | view, key.out());
  if (error == ERROR_FILE_NOT_FOUND) return NotFound();
  if (error != ERROR_SUCCESS) return Unreadable(error);

  DWORD type = REG_NONE;
  DWORD size = 0;
  error = RegQueryValueExA(key.get(), value_name.c_str(), nullptr, &type, nullptr, &size);
  // The value may grow between the two calls: ask again with the size the system gives.
  std::vector<char> data;
  while (error == ERROR_SUCCESS || error == ERROR_MORE_DATA) {
    data.assign(size + 1, '\0');  // room for a NUL the value may lack
    DWORD got = size;
    error = RegQueryValueExA(key.get(), value_name.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(data.data()), &got);
    if (error == ERROR_SUCCESS) {
      data.resize(got);
      break;
    }
    if (error == ERROR_MORE_DATA) size = got > size ? got : size * 2 + 2;
  }
  if (error == ERROR_FILE_NOT_FOUND) return NotFound();
  if (error != ERROR_SUCCESS) return Unreadable(error);
  if (type != REG_SZ && type != REG_EXPAND_SZ) return NotFound();

  std::string text(data.begin(), std::find(data.begin(), data.end(), '\0'));
  if (type == REG_EXPAND_SZ) text = Expand(text);
  if (text.empty()) return NotFound();
  return text;
}

}  // namespace

Result<std::string> Win32Registry::ReadSimulatorFolder() {
  // A view that could not be read says more than one where the value is simply absent.
  Status failure = NotFound();
  for (REGSAM view : kViews) {
    Result<std::string> folder = ReadView(key_, value_name_, view);
    if (folder.ok()) return folder;
    if (failure.kind() == ErrorKind::kNotFound) failure = folder.status();
  }
  return failure;
}

}  // namespace ql2
