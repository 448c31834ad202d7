// Test helpers for the Windows programs' tests: whole files read and written, and fresh folders
// made and removed, with the plain Win32 API, independent of the file system service under test.
#pragma once

#include <string>

#include "platform/win32_api.h"

namespace ql2 {
namespace win32_test {

// The file's bytes, or if_missing when it cannot be opened.
inline std::string ReadWhole(const std::string& path, const std::string& if_missing) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return if_missing;
  std::string bytes;
  char buffer[4096];
  DWORD n = 0;
  while (::ReadFile(h, buffer, sizeof buffer, &n, nullptr) && n > 0) bytes.append(buffer, n);
  CloseHandle(h);
  return bytes;
}

// Creates the file, or empties it, and writes the bytes; false when any step fails.
inline bool WriteWhole(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
  return ok && written == bytes.size();
}

// A new, empty folder in the system's temporary folder, named after the prefix and this process;
// "" when none can be made. A folder an earlier run left behind is skipped, never reused.
inline std::string MakeTempFolder(const std::string& prefix) {
  char temp[MAX_PATH + 1];
  const DWORD n = GetTempPathA(sizeof temp, temp);
  if (n == 0 || n >= sizeof temp) return "";
  for (unsigned i = 0; i < 1000; ++i) {
    const std::string candidate = std::string(temp) + prefix + "-" +
                                  std::to_string(GetCurrentProcessId()) + "-" + std::to_string(i);
    if (CreateDirectoryA(candidate.c_str(), nullptr)) return candidate;
  }
  return "";
}

// Deletes a folder and everything in it, read-only files included.
inline void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((path + "\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      const std::string child = path + "\\" + name;
      SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        DeleteFileA(child.c_str());
      }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryA(path.c_str());
}

}  // namespace win32_test
}  // namespace ql2
