// ql2cfg.exe end to end on Windows: the built program run beside this test on a simulator tree in
// the temporary folder, while this process plays another copy of the program.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

#include "platform/win32_api.h"
#include "platform/win32_file_system.h"
#include "platform/win32_test_files.h"
#include "platform/win32_test_process.h"

namespace ql2 {
namespace {

constexpr char kPanel[] = "Aircraft\\Flight 1 ATR-72-500\\panel\\panel.cfg";
constexpr char kAtrPanel[] =
    "[Window Titles]\r\nWindow00=Main\r\n\r\n[Window00]\r\ngauge00=a!b, 1,2,3,4\r\n"
    "[Window01]\r\n[Fixed Window38]\r\n[Fixed Window39]\r\n";
// An ATR add-on, nothing installed yet, and the marker the gauge's installer leaves.
const std::pair<const char*, const char*> kTree[] = {
    {"QL\\qlever2.con", "[Options]\r\nFirst Time=1\r\n[ATR]\r\nInstalled=0\r\n"},
    {"QL\\uninst.swi", ""},
    {kPanel, kAtrPanel},
};
constexpr DWORD kRunMs = 60000;

struct Outcome {
  DWORD status;
  std::string out;
};

class Win32Ql2cfgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH + 1];
    const DWORD n = GetTempPathA(sizeof temp, temp);
    ASSERT_TRUE(n > 0 && n < sizeof temp);
    root_ = std::string(temp) + "ql2cfg-test-" + std::to_string(GetCurrentProcessId());
    sim_ = root_ + "\\Flight Simulator 9";
    ASSERT_TRUE(CreateDirectoryA(root_.c_str(), nullptr)) << root_;
    for (const auto& [path, bytes] : kTree) {
      // Each folder on the way, then the file.
      const std::string file = Sim(path);
      for (size_t cut = root_.size() + 1; (cut = file.find('\\', cut)) != std::string::npos;
           ++cut) {
        CreateDirectoryA(file.substr(0, cut).c_str(), nullptr);
      }
      ASSERT_TRUE(fs_.ReplaceFile(file, bytes).ok()) << file;
    }
  }
  void TearDown() override {
    if (!root_.empty()) win32_test::RemoveTree(root_);
  }

  std::string Sim(const std::string& relative) const { return sim_ + "\\" + relative; }

  Outcome Ql2cfg(const std::string& arguments) {
    win32_test::ChildProcess run("\"" + win32_test::BesideThisProgram("ql2cfg.exe") +
                                 "\" --sim-folder \"" + sim_ + "\" " + arguments);
    if (!run.started()) return {GetLastError(), "(not started)"};
    run.CloseInput();
    std::string out = run.ReadToEnd();
    return {run.ExitCode(kRunMs), out};
  }

  // Every file under the simulator folder with its bytes.
  std::map<std::string, std::string> Snapshot() const {
    std::map<std::string, std::string> files;
    AddFiles(sim_, &files);
    return files;
  }
  static void AddFiles(const std::string& folder, std::map<std::string, std::string>* files) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
      const std::string name = entry.cFileName;
      const std::string path = folder + "\\" + name;
      if (name == "." || name == "..") continue;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        AddFiles(path, files);
      } else {
        (*files)[path] = win32_test::ReadWhole(path, "(unreadable)");
      }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }

  Win32FileSystem fs_;
  std::string root_;
  std::string sim_;
};

// While another copy holds the simulator folder (here through another spelling of its path), a
// click waits, then gives up without a change; once it is released, the same click goes through.
TEST_F(Win32Ql2cfgTest, ClickWaitsForAnotherCopyThenGivesUp) {
  ASSERT_EQ(Ql2cfg("status").status, 0u);
  const auto before = Snapshot();
  {
    Result<std::unique_ptr<FolderLock>> held = fs_.LockFolder(sim_ + "\\..\\FLIGHT SIMULATOR 9");
    ASSERT_TRUE(held.ok()) << held.status().message();
    Outcome run = Ql2cfg("install atr");
    EXPECT_EQ(run.status, 1u);
    EXPECT_EQ(run.out,
              "Another copy of the Configurator is changing these files. Try again in a "
              "moment.\r\n");
    EXPECT_EQ(Snapshot(), before);
  }
  Outcome run = Ql2cfg("install atr");
  EXPECT_EQ(run.status, 0u) << run.out;
  EXPECT_NE(win32_test::ReadWhole(Sim(kPanel), ""), kAtrPanel);
}

}  // namespace
}  // namespace ql2
