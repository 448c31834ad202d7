// Test helper for the Windows programs' tests: another program run as a child process, as another
// copy of the program would run beside the test.
#pragma once

#include <string>

#include "platform/win32_api.h"

namespace ql2 {
namespace win32_test {

// The path of a program in the running program's folder, where the build puts them side by side.
inline std::string BesideThisProgram(const std::string& name) {
  char self[MAX_PATH + 1];
  const DWORD n = GetModuleFileNameA(nullptr, self, sizeof self);
  const std::string path(self, n < sizeof self ? n : 0);
  return path.substr(0, path.find_last_of('\\') + 1) + name;
}

// A program started with its standard input and output on pipes of this process and its errors on
// this process's. Ended if it still runs when this is destroyed.
class ChildProcess {
 public:
  // command_line: the program's path in double quotes, then its arguments.
  explicit ChildProcess(std::string command_line) {
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE child_input = nullptr;
    HANDLE child_output = nullptr;
    HANDLE child_errors = nullptr;
    if (!CreatePipe(&child_input, &input_, &inheritable, 0)) return;
    if (!CreatePipe(&output_, &child_output, &inheritable, 0)) {
      CloseHandle(child_input);
      return;
    }
    // Only the child's ends are inherited: the child sees the end of its input when this closes it.
    SetHandleInformation(input_, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(output_, HANDLE_FLAG_INHERIT, 0);
    DuplicateHandle(GetCurrentProcess(), GetStdHandle(STD_ERROR_HANDLE), GetCurrentProcess(),
                    &child_errors, 0, TRUE, DUPLICATE_SAME_ACCESS);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = child_input;
    startup.hStdOutput = child_output;
    startup.hStdError = child_errors;
    started_ = CreateProcessA(nullptr, &command_line[0], nullptr, nullptr, TRUE, 0, nullptr,
                              nullptr, &startup, &process_) != 0;
    CloseHandle(child_input);
    CloseHandle(child_output);
    if (child_errors != nullptr) CloseHandle(child_errors);
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess() {
    CloseInput();
    if (started_) {
      if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, INFINITE);
      }
      CloseHandle(process_.hProcess);
      CloseHandle(process_.hThread);
    }
    if (output_ != nullptr) CloseHandle(output_);
  }

  bool started() const { return started_; }

  // The next line of its output without the line end, or what is left when the output ends.
  std::string ReadLine() {
    std::string line;
    char c;
    DWORD n = 0;
    while (ReadFile(output_, &c, 1, &n, nullptr) && n == 1 && c != '\n') line += c;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
  }

  // All its output up to its end, as it is.
  std::string ReadToEnd() {
    std::string bytes;
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(output_, buffer, sizeof buffer, &n, nullptr) && n > 0) bytes.append(buffer, n);
    return bytes;
  }

  // Ends its input, as a closed console would.
  void CloseInput() {
    if (input_ != nullptr) CloseHandle(input_);
    input_ = nullptr;
  }

  // Its exit code once it has ended, or STILL_ACTIVE if it runs on after timeout_ms.
  DWORD ExitCode(DWORD timeout_ms) {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process_.hProcess, timeout_ms) == WAIT_OBJECT_0) {
      GetExitCodeProcess(process_.hProcess, &code);
    }
    return code;
  }

 private:
  HANDLE input_ = nullptr;
  HANDLE output_ = nullptr;
  PROCESS_INFORMATION process_{};
  bool started_ = false;
};

}  // namespace win32_test
}  // namespace ql2
