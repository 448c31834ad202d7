// The registry service against values written by the system's own "reg add" tool, in the 32-bit
// and the 64-bit views. Run by win32_registry_test.cmake, which writes the values first (the
// table there and the one here describe the same keys).
#include "platform/win32_registry.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/win32_api.h"

namespace ql2 {
namespace {

constexpr char kTestKey[] = "SOFTWARE\\QL2 Tests\\";
constexpr char kExpandVariable[] = "QL2_TEST_DRIVE";
constexpr char kExpandValue[] = "E:";

// Longer than any fixed buffer a reader might start with (the simulator's own reader uses 256).
std::string LongFolder() {
  std::string folder = "C:\\";
  for (int i = 0; i < 300; ++i) folder += "Long Folder Name\\";
  return folder + "FS9";
}

TEST(Win32RegistryTest, SimulatorKeyIsReadFromThe32BitViewFirst) {
  // The key holds a different folder in each view.
  Result<std::string> folder = Win32Registry().ReadSimulatorFolder();
  ASSERT_TRUE(folder.ok()) << folder.status().message();
  EXPECT_EQ(folder.value(), "C:\\Games\\FS9 32-bit view");
}

TEST(Win32RegistryTest, ValuesFound) {
  ASSERT_TRUE(SetEnvironmentVariableA(kExpandVariable, kExpandValue));
  const std::pair<const char*, std::string> cases[] = {
      {"Only32", "D:\\Sim32"},
      {"Only64", "D:\\Sim64"},
      {"Empty32", "D:\\Fallback64"},  // an empty value in the 32-bit view counts as none
      {"Expand", "E:\\Flight Simulator 9"},
      {"Plain percent", "D:\\100%QL2_TEST_DRIVE%"},  // REG_SZ is taken as it stands
      {"Long", LongFolder()},
  };
  for (const auto& [key, expected] : cases) {
    Result<std::string> folder =
        Win32Registry(kTestKey + std::string(key), std::string(registry::kExePathValue))
            .ReadSimulatorFolder();
    ASSERT_TRUE(folder.ok()) << key << ": " << folder.status().message();
    EXPECT_EQ(folder.value(), expected) << key;
  }
}

TEST(Win32RegistryTest, ValuesNotFound) {
  const char* cases[] = {"Missing key", "No value", "Empty", "Dword"};
  for (const char* key : cases) {
    Result<std::string> folder =
        Win32Registry(kTestKey + std::string(key), std::string(registry::kExePathValue))
            .ReadSimulatorFolder();
    EXPECT_EQ(folder.status().kind(), ErrorKind::kNotFound) << key;
    EXPECT_EQ(folder.status().message(), registry::kNoSimulatorFolder) << key;
  }
}

// A NUL inside the value ends the folder ("reg add" cannot write one, so the test does).
TEST(Win32RegistryTest, ValueIsCutAtItsFirstNul) {
  const std::string key = kTestKey + std::string("Nul");
  const char data[] = "C:\\FS9\0C:\\Other";
  HKEY h = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0,
                            KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &h, nullptr),
            ERROR_SUCCESS);
  LONG set = RegSetValueExA(h, registry::kExePathValue.data(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(data), sizeof data);
  RegCloseKey(h);
  ASSERT_EQ(set, ERROR_SUCCESS);

  Result<std::string> folder =
      Win32Registry(key, std::string(registry::kExePathValue)).ReadSimulatorFolder();
  ASSERT_TRUE(folder.ok()) << folder.status().message();
  EXPECT_EQ(folder.value(), "C:\\FS9");
}

}  // namespace
}  // namespace ql2
