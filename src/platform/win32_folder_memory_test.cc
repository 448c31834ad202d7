// The remembered simulator folder on Windows: a per-user file under the roaming application data.
#include <gtest/gtest.h>

#include <string>

#include "platform/folder_memory.h"
#include "platform/win32_api.h"
#include "platform/win32_test_files.h"

// After <windows.h>.
#include <shlobj.h>

namespace ql2 {
namespace {

std::string MemoryFile() {
  char appdata[MAX_PATH];
  EXPECT_EQ(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appdata), S_OK);
  return std::string(appdata) + "\\QL2 Configurator\\simulator-folder";
}

// Keeps whatever folder the user had remembered, and puts it back.
class Win32FolderMemoryTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = win32_test::ReadWhole(MemoryFile(), "<missing>"); }
  void TearDown() override {
    if (saved_ == "<missing>") {
      DeleteFileA(MemoryFile().c_str());
    } else {
      MakeUserFolderMemory()->Save(saved_.substr(0, saved_.find_first_of("\r\n")));
    }
  }
  std::string saved_;
};

TEST_F(Win32FolderMemoryTest, SavedFolderIsReadBackFromTheUsersApplicationData) {
  const std::string folder = "D:\\Games\\Flight Simulator 9\\";
  ASSERT_TRUE(MakeUserFolderMemory()->Save(folder).ok());

  EXPECT_EQ(win32_test::ReadWhole(MemoryFile(), "<missing>"), folder + "\r\n");
  // Another instance, as in the next run.
  EXPECT_EQ(MakeUserFolderMemory()->Load(), folder);
}

}  // namespace
}  // namespace ql2
