#include "platform/wine_registry.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace ql2 {
namespace {

using namespace std::string_literals;

const std::string kHead =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to REGISTRY\\\\Machine\n"
    "\n"
    "#arch=win64\n"
    "\n";
const std::string kKeyLine =
    "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\9.0] 1796877881\n";
const std::string kWow64KeyLine =
    "[Software\\\\Wow6432Node\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\9.0] "
    "1796877881\n";
const std::string kSimFolder = "/drive_c/Program Files/Microsoft Games/Flight Simulator 9";
const std::string kSimValue =
    R"("EXE Path"="C:\\Program Files\\Microsoft Games\\Flight Simulator 9")";

// A Wine prefix in a temporary folder: drive C: linked as Wine links it, the simulator's folder,
// and a folder outside the prefix reached through drive Z:.
class WineRegistryTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/ql2-wine-registry-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
    prefix_ = root_ + "/prefix";
    std::filesystem::create_directories(prefix_ + "/dosdevices");
    std::filesystem::create_directories(prefix_ + kSimFolder + "/QL");
    std::filesystem::create_directories(prefix_ + "/drive_c/Simulateur de vol \xC3\xA9t\xC3\xA9");
    std::filesystem::create_directories(root_ + "/Elsewhere/FS9");
    ASSERT_EQ(symlink("../drive_c", (prefix_ + "/dosdevices/c:").c_str()), 0);
    ASSERT_EQ(symlink("/", (prefix_ + "/dosdevices/z:").c_str()), 0);
  }
  void TearDown() override { std::filesystem::remove_all(root_); }

  void WriteSystemReg(const std::string& bytes) {
    std::ofstream(prefix_ + "/system.reg", std::ios::binary) << bytes;
  }

  // A native absolute path as a Windows path on drive Z:, spelt as system.reg writes it.
  static std::string OnDriveZInFile(const std::string& native) {
    std::string path = "Z:";
    for (char c : native) path += c == '/' ? "\\\\"s : std::string(1, c);
    return path;
  }

  std::string root_;
  std::string prefix_;
};

struct FolderCase {
  const char* name;
  std::string body;    // system.reg after its head
  std::string folder;  // the expected result below the prefix
};

void PrintTo(const FolderCase& c, std::ostream* os) {
  *os << c.name;
}

class FolderTest : public WineRegistryTest, public testing::WithParamInterface<FolderCase> {};

TEST_P(FolderTest, MapsTheRegisteredFolderIntoThePrefix) {
  WriteSystemReg(kHead + GetParam().body);
  Result<std::string> folder = WineRegistry(prefix_).ReadSimulatorFolder();
  ASSERT_TRUE(folder.ok()) << folder.status().message();
  EXPECT_EQ(folder.value(), prefix_ + GetParam().folder);
}

INSTANTIATE_TEST_SUITE_P(
    WineRegistry, FolderTest,
    testing::Values(
        FolderCase{"PlainKey", kKeyLine + kSimValue + "\n", kSimFolder},
        FolderCase{"Wow6432NodeKey", kWow64KeyLine + kSimValue + "\n", kSimFolder},
        FolderCase{"Wow6432NodeKeyWinsOverPlain",
                   kKeyLine +
                       R"("EXE Path"="C:\\Elsewhere")"
                       "\n" +
                       kWow64KeyLine + kSimValue + "\n",
                   kSimFolder},
        FolderCase{"EmptyWow6432NodeValueFallsBackToPlain",
                   kWow64KeyLine +
                       R"("EXE Path"="")"
                       "\n" +
                       kKeyLine + kSimValue + "\n",
                   kSimFolder},
        FolderCase{"FoldersInOtherCase",
                   kKeyLine +
                       R"("exe path"="c:\\PROGRAM FILES\\microsoft games\\FLIGHT simulator 9")"
                       "\n",
                   kSimFolder},
        FolderCase{
            "CutAtFirstNul",
            kKeyLine +
                R"("EXE Path"="C:\\Program Files\\Microsoft Games\\Flight Simulator 9\0C:\\X")"
                "\n",
            kSimFolder},
        FolderCase{"TrailingBackslashKept",
                   kKeyLine +
                       R"("EXE Path"="C:\\Program Files\\Microsoft Games\\Flight Simulator 9\\")"
                       "\n",
                   kSimFolder + "/"},
        FolderCase{
            "SystemDriveExpanded",
            kKeyLine +
                R"("EXE Path"=str(2):"%systemdrive%\\Program Files\\Microsoft Games\\Flight Simulator 9")"
                "\n",
            kSimFolder},
        FolderCase{"NonAsciiFolder",
                   kKeyLine + R"("EXE Path"="c:\\simulateur de vol \xe9t\xe9")"
                              "\n",
                   "/drive_c/Simulateur de vol \xC3\xA9t\xC3\xA9"},
        FolderCase{"MissingFolderKeptAsWritten",
                   kKeyLine + R"("EXE Path"="c:\\program files\\Games\\FS9")"
                              "\n",
                   "/drive_c/Program Files/Games/FS9"}),
    [](const testing::TestParamInfo<FolderCase>& info) { return std::string(info.param.name); });

TEST_F(WineRegistryTest, DriveZReachesTheWholeDisk) {
  WriteSystemReg(kHead + kWow64KeyLine + "\"EXE Path\"=\"" + OnDriveZInFile(root_) +
                 "\\\\elsewhere\\\\fs9\"\n");
  Result<std::string> folder = WineRegistry(prefix_).ReadSimulatorFolder();
  ASSERT_TRUE(folder.ok()) << folder.status().message();
  EXPECT_EQ(folder.value(), root_ + "/Elsewhere/FS9");
}

TEST_F(WineRegistryTest, DriveFolderWithoutLinkIsUsedAsItIs) {
  std::filesystem::create_directories(prefix_ + "/dosdevices/d:/FS9");
  WriteSystemReg(kHead + kKeyLine +
                 R"("EXE Path"="D:\\fs9")"
                 "\n");
  Result<std::string> folder = WineRegistry(prefix_).ReadSimulatorFolder();
  ASSERT_TRUE(folder.ok()) << folder.status().message();
  EXPECT_EQ(folder.value(), prefix_ + "/dosdevices/d:/FS9");
}

struct NotRegisteredCase {
  const char* name;
  std::string body;
};

void PrintTo(const NotRegisteredCase& c, std::ostream* os) {
  *os << c.name;
}

class NotRegisteredTest : public WineRegistryTest,
                          public testing::WithParamInterface<NotRegisteredCase> {};

TEST_P(NotRegisteredTest, SaysSoInPlainWords) {
  WriteSystemReg(kHead + GetParam().body);
  Result<std::string> folder = WineRegistry(prefix_).ReadSimulatorFolder();
  ASSERT_FALSE(folder.ok());
  EXPECT_EQ(folder.status().kind(), ErrorKind::kNotFound);
  EXPECT_EQ(folder.status().message(),
            "Flight Simulator 9.0 is not registered in the Wine prefix " + prefix_);
}

INSTANTIATE_TEST_SUITE_P(
    WineRegistry, NotRegisteredTest,
    testing::Values(
        NotRegisteredCase{
            "NoKey", "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\8.0]\n" +
                         kSimValue + "\n"},
        NotRegisteredCase{"NoValue", kKeyLine + R"("Path"="C:\\FS9")"
                                                "\n"},
        NotRegisteredCase{"EmptyValue", kKeyLine + R"("EXE Path"="")"
                                                   "\n"},
        NotRegisteredCase{"NulFirst", kKeyLine + R"("EXE Path"="\0C:\\FS9")"
                                                 "\n"},
        NotRegisteredCase{"EmptyInBothKeys", kKeyLine +
                                                 R"("EXE Path"="")"
                                                 "\n" +
                                                 kWow64KeyLine +
                                                 R"("EXE Path"="")"
                                                 "\n"},
        NotRegisteredCase{"NotAText", kKeyLine + R"("EXE Path"=dword:00000001)"
                                                 "\n"}),
    [](const testing::TestParamInfo<NotRegisteredCase>& info) {
      return std::string(info.param.name);
    });

TEST_F(WineRegistryTest, NoRegistryFileIsNotRegistered) {
  Result<std::string> folder = WineRegistry(prefix_ + "/").ReadSimulatorFolder();
  ASSERT_FALSE(folder.ok());
  EXPECT_EQ(folder.status().kind(), ErrorKind::kNotFound);
  EXPECT_EQ(folder.status().message(),
            "Flight Simulator 9.0 is not registered in the Wine prefix " + prefix_);
}

TEST_F(WineRegistryTest, FileWithoutWineHeaderIsBadContent) {
  WriteSystemReg(kKeyLine + kSimValue + "\n");
  Result<std::string> folder = WineRegistry(prefix_).ReadSimulatorFolder();
  ASSERT_FALSE(folder.ok());
  EXPECT_EQ(folder.status().kind(), ErrorKind::kBadContent);
  EXPECT_NE(folder.status().message().find(prefix_ + "/system.reg"), std::string::npos);
}

TEST_F(WineRegistryTest, UnmappedDriveOrNoDriveIsNotFound) {
  for (const std::string& value : {R"(E:\\FS9)"s, R"(\\\\server\\FS9)"s, R"(FS9)"s}) {
    WriteSystemReg(kHead + kKeyLine + "\"EXE Path\"=\"" + value + "\"\n");
    Result<std::string> folder = WineRegistry(prefix_).ReadSimulatorFolder();
    ASSERT_FALSE(folder.ok()) << value;
    EXPECT_EQ(folder.status().kind(), ErrorKind::kNotFound) << value;
    EXPECT_NE(folder.status().message().find(prefix_), std::string::npos) << value;
  }
}

EnvironmentLookup FakeEnvironment(std::map<std::string, std::string> variables) {
  return [variables](std::string_view name) -> std::optional<std::string> {
    auto found = variables.find(std::string(name));
    if (found == variables.end()) return std::nullopt;
    return found->second;
  };
}

TEST(WinePrefixFrom, FollowsWinesOwnRule) {
  EXPECT_EQ(WinePrefixFrom(FakeEnvironment({{"WINEPREFIX", "/p"}, {"HOME", "/h"}})), "/p");
  EXPECT_EQ(WinePrefixFrom(FakeEnvironment({{"WINEPREFIX", ""}, {"HOME", "/h"}})), "/h/.wine");
  EXPECT_EQ(WinePrefixFrom(FakeEnvironment({{"HOME", "/h"}})), "/h/.wine");
  EXPECT_EQ(WinePrefixFrom(FakeEnvironment({})), "");
}

TEST_F(WineRegistryTest, ReadsThePrefixTheEnvironmentNames) {
  WriteSystemReg(kHead + kKeyLine + kSimValue + "\n");
  WineRegistry registry(FakeEnvironment({{"WINEPREFIX", prefix_}, {"HOME", root_}}));
  Result<std::string> folder = registry.ReadSimulatorFolder();
  ASSERT_TRUE(folder.ok()) << folder.status().message();
  EXPECT_EQ(folder.value(), prefix_ + kSimFolder);

  std::filesystem::rename(prefix_, root_ + "/.wine");
  WineRegistry from_home(FakeEnvironment({{"HOME", root_}}));
  folder = from_home.ReadSimulatorFolder();
  ASSERT_TRUE(folder.ok()) << folder.status().message();
  EXPECT_EQ(folder.value(), root_ + "/.wine" + kSimFolder);
}

TEST(WineRegistryWithoutPrefix, IsNotFound) {
  Result<std::string> folder = WineRegistry(FakeEnvironment({})).ReadSimulatorFolder();
  ASSERT_FALSE(folder.ok());
  EXPECT_EQ(folder.status().kind(), ErrorKind::kNotFound);
}

}  // namespace
}  // namespace ql2
