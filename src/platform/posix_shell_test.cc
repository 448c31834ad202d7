// The desktop's opener as PosixShell runs it, with a stand-in xdg-open on PATH that records what
// it was given and ends as each case says.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/shell.h"

namespace ql2 {
namespace {

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class PosixShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/ql2-shell-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    ASSERT_EQ(mkdir((dir_ + "/bin").c_str(), 0755), 0);
    ASSERT_EQ(mkdir((dir_ + "/QL").c_str(), 0755), 0);
    WriteFile(dir_ + "/QL/README2.HTM", "<html></html>");
    const char* path = getenv("PATH");
    old_path_ = path != nullptr ? path : "";
  }
  void TearDown() override {
    setenv("PATH", old_path_.c_str(), 1);
    std::string command = "rm -rf '" + dir_ + "'";
    EXPECT_EQ(system(command.c_str()), 0);
  }

  // An xdg-open that records its argument, then runs `then` ("exit 3", "sleep 5").
  void UseOpener(const std::string& then) {
    const std::string opener = dir_ + "/bin/xdg-open";
    WriteFile(opener, "#!/bin/sh\nprintf '%s' \"$1\" > '" + dir_ + "/opened'\n" + then + "\n");
    ASSERT_EQ(chmod(opener.c_str(), 0755), 0);
    setenv("PATH", (dir_ + "/bin:/usr/bin:/bin").c_str(), 1);
  }

  std::string dir_;
  std::string old_path_;
  PosixShell shell_;
};

TEST_F(PosixShellTest, OpensTheFileAsItIsSpeltOnDisk) {
  UseOpener("exit 0");
  const Status status = shell_.OpenDocument(dir_ + "/QL/readme2.htm");
  EXPECT_TRUE(status.ok()) << status.message();
  EXPECT_EQ(ReadFile(dir_ + "/opened"), dir_ + "/QL/README2.HTM");
}

TEST_F(PosixShellTest, SaysWhyTheFileCannotBeOpened) {
  struct Case {
    const char* opener;  // nullptr: no xdg-open on PATH
    const char* file;
    ErrorKind kind;
    const char* cause;
  };
  const Case cases[] = {
      {"exit 0", "/QL/missing.htm", ErrorKind::kNotFound, "no such file or folder"},
      {"exit 0", "/QL", ErrorKind::kNotFound, "no such file or folder"},
      {nullptr, "/QL/readme2.htm", ErrorKind::kNotFound, "xdg-open is not available"},
      {"exit 3", "/QL/readme2.htm", ErrorKind::kNotFound,
       "no program to open this kind of file was found"},
      {"exit 4", "/QL/readme2.htm", ErrorKind::kOther, "the program that opens it failed"},
  };
  for (const Case& c : cases) {
    if (c.opener != nullptr) {
      UseOpener(c.opener);
    } else {
      setenv("PATH", (dir_ + "/nothing").c_str(), 1);
    }
    const Status status = shell_.OpenDocument(dir_ + c.file);
    EXPECT_EQ(status.kind(), c.kind) << c.file << " " << (c.opener ? c.opener : "no opener");
    EXPECT_EQ(status.cause(), c.cause) << c.file;
    EXPECT_NE(status.message().find(dir_), std::string::npos) << status.message();
  }
}

// An opener that waits for its viewer holds the window up for a moment only.
TEST_F(PosixShellTest, AnOpenerThatWaitsForItsViewerIsNotWaitedFor) {
  UseOpener("sleep 5");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(shell_.OpenDocument(dir_ + "/QL/readme2.htm").ok());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

}  // namespace
}  // namespace ql2
