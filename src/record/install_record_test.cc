#include "record/install_record.h"

#include <gtest/gtest.h>

#include "platform/memory_file_system.h"

namespace ql2 {
namespace {

constexpr char kSim[] = "/sim";
constexpr char kRecordPath[] = "/sim/QL/qlever2.con";

TEST(InstallRecordTest, PathIsFormedFromTheSimulatorFolder) {
  MemoryFileSystem fs;
  EXPECT_EQ(InstallRecord(fs, kSim).path(), kRecordPath);
}

struct ReadCase {
  const char* file;  // nullptr: no record file
  double expected;
};

TEST(InstallRecordTest, ReadNumberRules) {
  const ReadCase cases[] = {
      {nullptr, 0},
      {"[ATR]\r\nInstalled=1\r\n", 1},
      {"[ATR]\r\nInstalled=2\r\n", 2},
      {"[ATR]\r\nInstalled=0\r\n", 0},
      {"[ATR]\r\nInstalled=1234567890123\r\n", 123456789},
      {"[ATR]\r\nInstalled=yes\r\n", 0},
      {"[ATR]\r\nInstalled=1abc\r\n", 1},
      {"[ATR]\r\nInstalled=\r\n", 0},
      {"[ATR]\r\nFull=1\r\n", 0},       // missing key
      {"[PIC]\r\nInstalled=1\r\n", 0},  // missing section
      {"[atr]\r\ninstalled = 1 \r\n", 1},
  };
  for (const ReadCase& c : cases) {
    MemoryFileSystem fs;
    fs.AddFolder("/sim/QL");
    if (c.file) fs.AddFile(kRecordPath, c.file);
    Result<double> r =
        InstallRecord(fs, kSim).ReadNumber(record::kAtrSection, record::kInstalledKey);
    ASSERT_TRUE(r.ok()) << (c.file ? c.file : "no file");
    EXPECT_DOUBLE_EQ(r.value(), c.expected) << (c.file ? c.file : "no file");
  }
}

TEST(InstallRecordTest, UnreadableRecordIsAnError) {
  MemoryFileSystem fs;
  fs.AddFile(kRecordPath, "[ATR]\r\nInstalled=1\r\n").unreadable = true;
  Result<double> r = InstallRecord(fs, kSim).ReadNumber(record::kAtrSection, record::kInstalledKey);
  EXPECT_EQ(r.status().kind(), ErrorKind::kPermissionDenied);
  EXPECT_NE(r.status().message().find(kRecordPath), std::string::npos);
}

TEST(InstallRecordTest, WriteCreatesFileThenSectionThenReplacesKey) {
  MemoryFileSystem fs;
  fs.AddFolder("/sim/QL");
  InstallRecord rec(fs, kSim);
  ASSERT_TRUE(rec.Write(record::kPmdgSection, record::kFullKey, record::kYes).ok());
  EXPECT_EQ(fs.FileBytes(kRecordPath), "[PMDG]\r\nFull=1\r\n");
  ASSERT_TRUE(rec.Write(record::kPicSection, record::kFullKey, record::kNo).ok());
  ASSERT_TRUE(rec.Write(record::kPmdgSection, record::kInstalledKey, record::kYes).ok());
  ASSERT_TRUE(rec.Write(record::kPmdgSection, record::kFullKey, record::kNo).ok());
  EXPECT_EQ(fs.FileBytes(kRecordPath), "[PMDG]\r\nFull=0\r\nInstalled=1\r\n[PIC]\r\nFull=0\r\n");
}

TEST(InstallRecordTest, WriteWithoutQlFolderIsAnErrorAndCreatesNothing) {
  MemoryFileSystem fs;
  fs.AddFolder(kSim);
  Status s =
      InstallRecord(fs, kSim).Write(record::kOptionsSection, record::kFirstTimeKey, record::kNo);
  EXPECT_EQ(s.kind(), ErrorKind::kNotFound);
  EXPECT_NE(s.message().find(kRecordPath), std::string::npos);
  EXPECT_TRUE(fs.files().empty());
}

}  // namespace
}  // namespace ql2
