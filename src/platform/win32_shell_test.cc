// The shell's "open" on a document type whose program the test registers: the program copies the
// document beside itself, which shows that it was started, with this path. The type goes to
// HKEY_CLASSES_ROOT, the one place Wine's shell looks (on Windows that takes an administrator).
#include "platform/win32_shell.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32_api.h"
#include "platform/win32_test_files.h"

namespace ql2 {
namespace {

constexpr char kExtension[] = ".ql2shelltest";
constexpr char kProgId[] = "QL2ShellTest.Document";
constexpr char kCopiedSuffix[] = ".opened";
constexpr DWORD kWaitMs = 30000;
constexpr DWORD kPollMs = 100;

void SetDefaultValue(const std::string& key, const std::string& text) {
  HKEY h = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &h, nullptr),
            ERROR_SUCCESS)
      << key;
  LONG set = RegSetValueExA(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>(text.size() + 1));
  RegCloseKey(h);
  ASSERT_EQ(set, ERROR_SUCCESS) << key;
}

class Win32ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = win32_test::MakeTempFolder("ql2-shell-test");
    ASSERT_FALSE(dir_.empty());

    char system[MAX_PATH + 1];
    ASSERT_GT(GetSystemDirectoryA(system, sizeof system), 0u);
    const std::string command =
        "\"" + std::string(system) + "\\cmd.exe\" /c copy \"%1\" \"%1" + kCopiedSuffix + "\"";
    SetDefaultValue(kExtension, kProgId);
    SetDefaultValue(kProgId + std::string("\\shell\\open\\command"), command);
  }
  void TearDown() override {
    RegDeleteTreeA(HKEY_CLASSES_ROOT, std::string(kExtension).c_str());
    RegDeleteKeyA(HKEY_CLASSES_ROOT, std::string(kExtension).c_str());
    RegDeleteTreeA(HKEY_CLASSES_ROOT, std::string(kProgId).c_str());
    RegDeleteKeyA(HKEY_CLASSES_ROOT, std::string(kProgId).c_str());
    for (const std::string& name : created_) DeleteFileA(name.c_str());
    RemoveDirectoryA(dir_.c_str());
  }

  std::string Put(const std::string& name, const std::string& bytes) {
    std::string path = dir_ + "\\" + name;
    EXPECT_TRUE(win32_test::WriteWhole(path, bytes)) << path;
    created_.push_back(path);
    created_.push_back(path + kCopiedSuffix);
    return path;
  }

  Win32Shell shell_;
  std::string dir_;
  std::vector<std::string> created_;
};

TEST_F(Win32ShellTest, OpenStartsTheAssociatedProgramOnTheDocument) {
  const std::string manual = Put(std::string("read me 2") + kExtension, "<html>manual</html>");

  Status status = shell_.OpenDocument(manual);
  ASSERT_TRUE(status.ok()) << status.message();

  // The program runs on its own; give it time to finish its copy.
  std::string copied;
  for (DWORD waited = 0; waited < kWaitMs && copied.empty(); waited += kPollMs) {
    Sleep(kPollMs);
    copied = win32_test::ReadWhole(manual + kCopiedSuffix, "");
  }
  EXPECT_EQ(copied, "<html>manual</html>");
}

TEST_F(Win32ShellTest, MissingDocumentIsNotFound) {
  const std::string missing = dir_ + "\\readme2" + kExtension;
  Status status = shell_.OpenDocument(missing);
  EXPECT_EQ(status.kind(), ErrorKind::kNotFound);
  EXPECT_EQ(status.message().rfind("cannot open " + missing + ": ", 0), 0u) << status.message();
}

}  // namespace
}  // namespace ql2
