// Running as administrator, under Wine: every program runs elevated there, and the command line a
// restart passes on splits back into the same arguments.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32_api.h"
#include "platform/win32_elevation.h"
#include "platform/windows_command_line.h"

// After <windows.h>: CommandLineToArgvW.
#include <shellapi.h>

namespace ql2 {
namespace {

TEST(Win32ElevationTest, WineRunsEveryProgramElevated) {
  EXPECT_TRUE(IsProcessElevated());
  EXPECT_TRUE(Win32Elevation().IsElevated());
}

std::vector<std::string> SplitAsWindowsDoes(const std::string& line) {
  std::wstring wide(line.begin(), line.end());  // ASCII only
  const std::wstring with_program = L"program.exe " + wide;
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(with_program.c_str(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) {
    std::wstring argument(argv[i]);
    arguments.emplace_back(argument.begin(), argument.end());
  }
  LocalFree(argv);
  return arguments;
}

TEST(Win32ElevationTest, TheRestartsCommandLineSplitsIntoTheSameArguments) {
  const std::vector<std::vector<std::string>> cases = {
      {"--sim-folder", "C:\\Program Files\\Microsoft Games\\Flight Simulator 9"},
      {"--sim-folder", "C:\\Program Files\\FS9\\"},
      {"--sim-folder", "D:\\Games\\\"FS9\"\\"},
      {"--sim-folder", "\\\\server\\share\\FS 9\\\\"},
      {"--sim-folder", "D:\\tab\there"},
      {"--sim-folder", ""},
  };
  for (const std::vector<std::string>& arguments : cases) {
    EXPECT_EQ(SplitAsWindowsDoes(JoinWindowsArguments(arguments)), arguments)
        << JoinWindowsArguments(arguments);
  }
}

}  // namespace
}  // namespace ql2
