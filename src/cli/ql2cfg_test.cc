// ql2cfg end to end: the built program run on simulator trees in a temporary folder.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "aircraft/family.h"
#include "app/family_controls.h"
#include "app/main_window.h"
#include "app/recording_window.h"
#include "platform/posix_file_system.h"
#include "platform/wine_prefix_fixture.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteAll(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

class Ql2cfgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("ql2cfg-test-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    sim_ = root_ / "sim";
    fs::create_directories(sim_ / "Aircraft");
    fs::create_directories(Home());
  }
  fs::path Home() const { return root_ / "home"; }
  // The file in which the window remembers the folder the user chose.
  fs::path ChosenFolderFile() const { return Home() / ".config/ql2-configurator/simulator-folder"; }
  void TearDown() override { fs::remove_all(root_); }

  // Runs ql2cfg in a home folder of its own (root/home), so that neither the user's Wine prefixes
  // nor the folder the user chose in the window come in; `environment` is put before the command
  // ("NAME=value ...").
  Outcome Ql2cfg(const std::string& arguments, const std::string& environment = "",
                 const std::string& stdout_to = "") {
    const fs::path out = root_ / "stdout", err = root_ / "stderr";
    std::string command =
        "env -u WINEPREFIX -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME=" + Quote(Home().string()) +
        " " + environment + " " + Quote(QL2CFG_PATH) + " " + arguments + " >" +
        Quote(stdout_to.empty() ? out.string() : stdout_to) + " 2>" + Quote(err.string()) +
        " </dev/null";
    int status = std::system(command.c_str());
    Outcome run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadAll(out), ReadAll(err)};
    fs::remove(out);
    fs::remove(err);
    return run;
  }
  // Runs ql2cfg while the simulator folder's lock is held, as another copy of the program holds it.
  Outcome WhileAnotherCopyHoldsTheFolder(const std::string& arguments) {
    int held = open(sim_.c_str(), O_RDONLY | O_DIRECTORY);
    EXPECT_GE(held, 0);
    EXPECT_EQ(flock(held, LOCK_EX), 0);
    Outcome run = Ql2cfg(arguments);
    close(held);
    return run;
  }
  std::string WithSim(const std::string& arguments) {
    return "--sim-folder " + Quote(sim_.string()) + " " + arguments;
  }

  // Every file under the simulator folder with its bytes.
  std::map<std::string, std::string> Snapshot() {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(sim_)) {
      if (entry.is_regular_file()) files[entry.path().string()] = ReadAll(entry.path());
    }
    return files;
  }

  void MakeAtr(
      const std::string& record = "[Options]\r\nFirst Time=1\r\n[ATR]\r\nInstalled=0\r\n") {
    WriteAll(sim_ / "QL/qlever2.con", record);
    WriteAll(sim_ / "QL/uninst.swi", "");
    WriteAll(sim_ / "Aircraft/Flight 1 ATR-72-500/panel/panel.cfg", kAtrPanel);
  }

  static constexpr const char* kAtrPanel =
      "[Window Titles]\r\nWindow00=Main\r\n\r\n[Window00]\r\ngauge00=a!b, 1,2,3,4\r\n"
      "[Window01]\r\n[Fixed Window38]\r\n[Fixed Window39]\r\n";

  fs::path root_, sim_;
};

TEST_F(Ql2cfgTest, StatusPrintsTheFourGroupsInTheWindowsOrder) {
  MakeAtr();
  Outcome run = Ql2cfg(WithSim("status"));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "cheyenne\tAbsent\tPiper Cheyenne cannot be found.\n"
            "atr\tNotInstalled\tQuillever2 gauge is not installed.\n"
            "pmdg\tAbsent\tBoeing 737NG cannot be found.\n"
            "pic\tAbsent\tBoeing 737 Classics PIC cannot be found.\n");
  // The scan writes the "Full" keys but never answers the first-run question.
  std::string record = ReadAll(sim_ / "QL/qlever2.con");
  EXPECT_NE(record.find("First Time=1"), std::string::npos);
  EXPECT_NE(record.find("[PMDG]\r\nFull=0\r\n"), std::string::npos);
}

TEST_F(Ql2cfgTest, UsageErrorsExitTwo) {
  for (const char* arguments : {"", "frobnicate", "install", "install concorde", "status extra",
                                "remove atr atr", "--sim-folder", "install atr --bogus"}) {
    Outcome run = Ql2cfg(arguments);
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_NE(run.err.find("usage: ql2cfg"), std::string::npos) << arguments;
    EXPECT_EQ(run.out, "") << arguments;
  }
  EXPECT_EQ(Ql2cfg("--help").status, 0);
  EXPECT_EQ(Ql2cfg("--version").status, 0);
  EXPECT_NE(Ql2cfg("--version").out.find("ql2cfg"), std::string::npos);
}

TEST_F(Ql2cfgTest, InstallThenRemoveRoundTrip) {
  MakeAtr();
  const std::string panel = "Aircraft/Flight 1 ATR-72-500/panel/panel.cfg";
  Outcome install = Ql2cfg(WithSim("install atr"));
  EXPECT_EQ(install.status, 0) << install.err;
  EXPECT_EQ(install.out, "The gauge has been installed successfully.\n");
  EXPECT_EQ(ReadAll(sim_ / (panel + ".backup")), kAtrPanel);
  EXPECT_NE(ReadAll(sim_ / panel).find("Window1=Quillever"), std::string::npos);

  Outcome again = Ql2cfg(WithSim("install atr"));
  EXPECT_EQ(again.status, 1);
  EXPECT_EQ(again.err, "The gauge is already installed.\n");
  EXPECT_NE(
      Ql2cfg(WithSim("status")).out.find("\natr\tInstalled\tQuillever2 gauge is installed.\n"),
      std::string::npos);

  Outcome remove = Ql2cfg(WithSim("remove atr"));
  EXPECT_EQ(remove.status, 0) << remove.err;
  EXPECT_EQ(remove.out, "The gauge has been removed successfully.\n");
  EXPECT_EQ(ReadAll(sim_ / panel), kAtrPanel);
  EXPECT_FALSE(fs::exists(sim_ / (panel + ".backup")));
  EXPECT_EQ(Ql2cfg(WithSim("remove atr")).err, "The gauge is not installed.\n");
}

TEST_F(Ql2cfgTest, RefusalsSayWhyAndChangeNothing) {
  MakeAtr();
  fs::remove(sim_ / "QL/uninst.swi");
  auto before = Snapshot();
  Outcome no_marker = Ql2cfg(WithSim("install atr"));
  EXPECT_EQ(no_marker.status, 1);
  EXPECT_NE(no_marker.err.find("QL/uninst.swi is missing"), std::string::npos) << no_marker.err;
  Outcome absent = Ql2cfg(WithSim("install pic"));
  EXPECT_EQ(absent.status, 1);
  EXPECT_EQ(absent.err, "Boeing 737 Classics PIC cannot be found.\n");
  Outcome nowhere = Ql2cfg("--sim-folder " + Quote((root_ / "missing").string()) + " remove atr");
  EXPECT_EQ(nowhere.status, 1);
  // Apart from the "Full" keys the scans wrote, nothing changed.
  auto after = Snapshot();
  after.erase((sim_ / "QL/qlever2.con").string());
  before.erase((sim_ / "QL/qlever2.con").string());
  EXPECT_EQ(after, before);
}

TEST_F(Ql2cfgTest, FailedProcedureExitsOneWithTheStatusLine) {
  MakeAtr();
  WriteAll(sim_ / "Aircraft/Flight 1 ATR-72-500/panel/panel.cfg", "[Window00]\r\n[Window01]\r\n");
  Outcome run = Ql2cfg(WithSim("install atr"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "Cannot install: Aircraft/Flight 1 ATR-72-500/panel/panel.cfg has no "
            "[Fixed Window38] section. Put back the add-on's own copy of the file, or reinstall "
            "the add-on, then try again.\n");
}

TEST_F(Ql2cfgTest, DryRunLeavesTheTreeByteIdenticalAndShowsTheChanges) {
  MakeAtr();  // without "Full" keys, which a start that is no dry run writes
  auto before = Snapshot();
  Outcome install = Ql2cfg(WithSim("install atr --dry-run"));
  EXPECT_EQ(install.status, 0) << install.err;
  EXPECT_EQ(Snapshot(), before);
  EXPECT_NE(install.out.find("create backup Aircraft/Flight 1 ATR-72-500/panel/panel.cfg.backup"),
            std::string::npos)
      << install.out;
  EXPECT_NE(install.out.find("+++ b/Aircraft/Flight 1 ATR-72-500/panel/panel.cfg"),
            std::string::npos);
  EXPECT_NE(install.out.find("+Window1=Quillever\n"), std::string::npos);
  EXPECT_NE(install.out.find("-Installed=0\n+Installed=1\n"), std::string::npos);

  ASSERT_EQ(Ql2cfg(WithSim("install atr")).status, 0);
  before = Snapshot();
  Outcome remove = Ql2cfg(WithSim("remove atr --dry-run"));
  EXPECT_EQ(remove.status, 0) << remove.err;
  EXPECT_EQ(Snapshot(), before);
  EXPECT_NE(remove.out.find("delete backup Aircraft/Flight 1 ATR-72-500/panel/panel.cfg.backup"),
            std::string::npos)
      << remove.out;
  EXPECT_NE(remove.out.find("-Window1=Quillever\n"), std::string::npos);
}

TEST_F(Ql2cfgTest, SymbolicLinkIsEditedThroughAndBackedUpByContent) {
  MakeAtr();
  const fs::path panel = sim_ / "Aircraft/Flight 1 ATR-72-500/panel/panel.cfg";
  const fs::path target = root_ / "elsewhere/real panel.cfg";
  WriteAll(target, kAtrPanel);
  fs::remove(panel);
  fs::create_symlink(target, panel);

  ASSERT_EQ(Ql2cfg(WithSim("install atr")).status, 0);
  EXPECT_TRUE(fs::is_symlink(panel));
  EXPECT_NE(ReadAll(target).find("Window1=Quillever"), std::string::npos);
  const fs::path backup = panel.string() + ".backup";
  EXPECT_FALSE(fs::is_symlink(backup));
  EXPECT_EQ(ReadAll(backup), kAtrPanel);

  ASSERT_EQ(Ql2cfg(WithSim("remove atr")).status, 0);
  EXPECT_TRUE(fs::is_symlink(panel));
  EXPECT_EQ(ReadAll(target), kAtrPanel);
  EXPECT_FALSE(fs::exists(backup));
}

TEST_F(Ql2cfgTest, NonAsciiFolderNamesRoundTrip) {
  sim_ = root_ / "Fl\xC3\xBCge \xE9t\xE9";  // UTF-8, then bytes that are not UTF-8
  MakeAtr();
  const auto before = Snapshot();
  ASSERT_EQ(Ql2cfg(WithSim("install atr")).status, 0);
  ASSERT_EQ(Ql2cfg(WithSim("remove atr")).status, 0);
  auto after = Snapshot();
  after.erase((sim_ / "QL/qlever2.con").string());
  auto original = before;
  original.erase((sim_ / "QL/qlever2.con").string());
  EXPECT_EQ(after, original);
}

// Files are named as the disk spells them, with '/', in the dry run's report and in refusals.
TEST_F(Ql2cfgTest, MessagesNameFilesInTheLetterCaseFoundOnDisk) {
  MakeAtr();
  fs::remove_all(sim_ / "Aircraft");
  const fs::path panel = sim_ / "aircraft/FLIGHT 1 ATR-72-500/Panel/Panel.cfg";
  WriteAll(panel, kAtrPanel);
  Outcome dry = Ql2cfg(WithSim("install atr --dry-run"));
  EXPECT_EQ(dry.status, 0) << dry.err;
  EXPECT_NE(dry.out.find("\ncreate backup aircraft/FLIGHT 1 ATR-72-500/Panel/panel.cfg.backup\n"
                         "--- a/aircraft/FLIGHT 1 ATR-72-500/Panel/Panel.cfg\n"),
            std::string::npos)
      << dry.out;

  fs::permissions(panel, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  Outcome refused = Ql2cfg(WithSim("install atr"));
  EXPECT_EQ(refused.out.rfind("Cannot install: aircraft/FLIGHT 1 ATR-72-500/Panel/Panel.cfg is "
                              "read-only.",
                              0),
            0u)
      << refused.out;
}

TEST_F(Ql2cfgTest, ReadOnlyPanelIsRefusedEvenToRoot) {
  MakeAtr();
  const fs::path panel = sim_ / "Aircraft/Flight 1 ATR-72-500/panel/panel.cfg";
  fs::permissions(panel, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  Ql2cfg(WithSim("status"));  // writes the "Full" keys once
  const auto before = Snapshot();
  Outcome run = Ql2cfg(WithSim("install atr"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "Cannot install: Aircraft/Flight 1 ATR-72-500/panel/panel.cfg is read-only. Make it "
            "writable (clear its read-only mark), then try again.\n");
  EXPECT_EQ(Snapshot(), before);
}

// A window that looked at the files, then another copy of the program changed them: the window's
// click shows the new state and does nothing.
TEST_F(Ql2cfgTest, WindowDoesNotActOnAStateAnotherCopyChanged) {
  MakeAtr();
  ql2::PosixFileSystem disk;
  ql2::MemoryRegistry registry(sim_.string());
  ql2::RecordingShell shell;
  ql2::RecordingWindow window;
  ql2::MainWindowLogic logic(window, disk, registry, shell);
  ql2::MainWindowLogic::ScanOptions options;
  options.ask_first_run = false;
  logic.StartupScan(options);
  const ql2::FamilyControls& atr = ql2::ControlsOf(ql2::AtrFamily());
  ASSERT_TRUE(window.IsClickable(atr.install));

  ASSERT_EQ(Ql2cfg(WithSim("install atr")).status, 0);
  const auto installed = Snapshot();
  EXPECT_FALSE(logic.Click(atr.install));
  EXPECT_EQ(Snapshot(), installed);
  EXPECT_EQ(window.Caption(atr.status),
            "The files changed since this window last looked at them, so nothing was done. "
            "Quillever2 gauge is installed.");
  EXPECT_TRUE(window.IsClickable(atr.remove));
  EXPECT_TRUE(logic.Click(atr.remove)) << window.Caption(atr.status);
  EXPECT_EQ(ReadAll(sim_ / "Aircraft/Flight 1 ATR-72-500/panel/panel.cfg"), kAtrPanel);
}

// While another copy holds the simulator folder, a click waits, then gives up without a change.
TEST_F(Ql2cfgTest, ClickWaitsForAnotherCopyThenGivesUp) {
  MakeAtr();
  Ql2cfg(WithSim("status"));
  const auto before = Snapshot();
  Outcome run = WhileAnotherCopyHoldsTheFolder(WithSim("install atr"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "Another copy of the Configurator is changing these files. Try again in a moment.\n");
  EXPECT_EQ(Snapshot(), before);
}

// Output nobody can read (a full disk, a closed pipe) is no success, whatever the click did.
TEST_F(Ql2cfgTest, OutputToAFullDeviceIsAFailure) {
  MakeAtr();
  Outcome run = Ql2cfg(WithSim("install atr"), "", "/dev/full");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("the output could not be written"), std::string::npos) << run.err;
  EXPECT_EQ(Ql2cfg("--help", "", "/dev/full").status, 1);
}

// A rename is durable only once its folder is flushed; a flush that fails fails the click, and
// what the click changed so far is put back.
TEST_F(Ql2cfgTest, FailedFolderFlushFailsTheClickAndChangesNothing) {
  MakeAtr();
  Ql2cfg(WithSim("status"));  // writes the "Full" keys once
  const auto before = Snapshot();
  // The program's own sanitizer runtime need not come first for the stand-in to work.
  const std::string environment = std::string("LD_PRELOAD=") + Quote(FOLDER_FLUSH_FAULT) +
                                  " ASAN_OPTIONS=verify_asan_link_order=0";
  for (int flush : {1, 2, 3}) {
    SCOPED_TRACE("failing folder flush " + std::to_string(flush));
    Outcome run = Ql2cfg(WithSim("install atr"),
                         environment + " QL2_FAIL_FOLDER_FLUSH=" + std::to_string(flush));
    EXPECT_EQ(run.status, 1) << run.out;
    EXPECT_EQ(run.out.rfind("Cannot install: ", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("Nothing was changed."), std::string::npos) << run.out;
    EXPECT_EQ(Snapshot(), before);
  }
}

// While another copy of the program holds the simulator folder, a start writes nothing.
TEST_F(Ql2cfgTest, StartWhileAnotherCopyHoldsTheFolderWritesNothing) {
  MakeAtr();
  const auto before = Snapshot();
  Outcome run = WhileAnotherCopyHoldsTheFolder(WithSim("status"));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err,
            "Another copy of the Configurator was changing these files, so this start wrote "
            "nothing.\n");
  EXPECT_EQ(Snapshot(), before);
  EXPECT_NE(Ql2cfg(WithSim("status")).out.find("atr\tNotInstalled"), std::string::npos);
  EXPECT_NE(ReadAll(sim_ / "QL/qlever2.con").find("Full=0"), std::string::npos);
}

// The temporary files of a run killed while it wrote are removed by the next run that looks at
// their aircraft (a click looks at its own), and the record's by every run; other files that only
// look alike stay.
TEST_F(Ql2cfgTest, LeftoverTemporariesAreRemovedByTheNextRun) {
  MakeAtr();
  const fs::path panel = sim_ / "Aircraft/Flight 1 ATR-72-500/panel";
  for (const char* run : {"status", "install atr"}) {
    SCOPED_TRACE(run);
    WriteAll(panel / "panel.cfg.ql2-Ab3xYz", "half written");
    WriteAll(sim_ / "QL/qlever2.con.ql2-00aa11bb", "half written");
    WriteAll(panel / "panel.cfg.ql2-notes.txt", "mine");
    WriteAll(panel / "ql2-Ab3xYz", "mine");
    ASSERT_EQ(Ql2cfg(WithSim(run)).status, 0);
    EXPECT_FALSE(fs::exists(panel / "panel.cfg.ql2-Ab3xYz"));
    EXPECT_FALSE(fs::exists(sim_ / "QL/qlever2.con.ql2-00aa11bb"));
    EXPECT_TRUE(fs::exists(panel / "panel.cfg.ql2-notes.txt"));
    EXPECT_TRUE(fs::exists(panel / "ql2-Ab3xYz"));
  }
}

// The dry run of a removal shows the same decision the removal makes: the later change stays,
// the installation comes out, the backup is kept.
TEST_F(Ql2cfgTest, RemoveDryRunShowsWhatIsKept) {
  MakeAtr();
  ASSERT_EQ(Ql2cfg(WithSim("install atr")).status, 0);
  const fs::path panel = sim_ / "Aircraft/Flight 1 ATR-72-500/panel/panel.cfg";
  WriteAll(panel, ReadAll(panel) + "; added by hand\r\n");
  const auto before = Snapshot();
  Outcome run = Ql2cfg(WithSim("remove atr --dry-run"));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(run.out.rfind("The gauge has been removed successfully. Aircraft/Flight 1 ATR-72-500"
                          "/panel/panel.cfg had changed since the installation",
                          0),
            0u)
      << run.out;
  EXPECT_NE(run.out.find("keep copy Aircraft/Flight 1 ATR-72-500/panel/panel.cfg.before-"
                         "quillever\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("-Window1=Quillever\n"), std::string::npos);
  EXPECT_EQ(run.out.find("-; added by hand"), std::string::npos);

  ASSERT_EQ(Ql2cfg(WithSim("remove atr")).status, 0);
  EXPECT_EQ(ReadAll(panel), std::string(kAtrPanel) + "; added by hand\r\n");
  EXPECT_EQ(ReadAll(panel.string() + ".before-quillever"), kAtrPanel);
}

// Two simulators in Wine prefixes, a clean one in ~/.wine and a modded one in a bottle.
TEST_F(Ql2cfgTest, SimulatorsListsEveryOneAndTheOthersWorkOnTheFirst) {
  using ql2::testing_prefix::MakeWinePrefix;
  const std::string clean = MakeWinePrefix((Home() / ".wine").string());
  const std::string modded =
      MakeWinePrefix((Home() / ".local/share/bottles/bottles/Modded").string());
  WriteAll(fs::path(modded) / "QL/uninst.swi", "");
  WriteAll(fs::path(modded) / "Aircraft/Flight 1 ATR-72-500/panel/panel.cfg", kAtrPanel);

  Outcome list = Ql2cfg("simulators");
  EXPECT_EQ(list.status, 0);
  EXPECT_EQ(list.out, clean + "\t~/.wine\n" + modded + "\tbottles:Modded\n");
  EXPECT_EQ(list.err, "");
  EXPECT_NE(Ql2cfg("status").out.find("atr\tAbsent\t"), std::string::npos) << "the clean one";

  // The folder chosen in the window comes first, for every command.
  WriteAll(ChosenFolderFile(), modded + "\n");
  list = Ql2cfg("simulators");
  EXPECT_EQ(list.out, modded + "\tchosen\n" + clean + "\t~/.wine\n");
  EXPECT_NE(Ql2cfg("status").out.find("atr\tNotInstalled\t"), std::string::npos);
  ASSERT_EQ(Ql2cfg("install atr").status, 0);
  EXPECT_TRUE(fs::exists(fs::path(modded) / "Aircraft/Flight 1 ATR-72-500/panel/panel.cfg.backup"));

  // And --sim-folder before it.
  list = Ql2cfg(WithSim("simulators"));
  EXPECT_EQ(list.out,
            sim_.string() + "\t--sim-folder\n" + modded + "\tchosen\n" + clean + "\t~/.wine\n");
}

TEST_F(Ql2cfgTest, SimulatorsWithoutAnyExitsOne) {
  fs::create_directories(Home() / ".wine/drive_c");
  Outcome list = Ql2cfg("simulators");
  EXPECT_EQ(list.status, 1);
  EXPECT_EQ(list.out, "");
  EXPECT_EQ(list.err, "Flight Simulator 9.0 cannot be found.\n");
  EXPECT_EQ(Ql2cfg("simulators extra").status, 2);
  EXPECT_EQ(Ql2cfg("simulators --dry-run").status, 2);

  // A given folder that is no simulator is said to be none, and nothing else is used.
  fs::remove_all(sim_ / "Aircraft");
  Outcome status = Ql2cfg(WithSim("status"));
  EXPECT_EQ(status.err,
            sim_.string() + " does not hold Flight Simulator 9.0: it has no Aircraft folder.\n");
  EXPECT_NE(status.out.find("atr\tAbsent\tFlight Simulator 9.0 cannot be found.\n"),
            std::string::npos);
}

TEST_F(Ql2cfgTest, AChosenFolderThatIsGoneIsForgottenWithASentence) {
  const std::string clean = ql2::testing_prefix::MakeWinePrefix((Home() / ".wine").string());
  const std::string gone = (root_ / "gone").string();
  WriteAll(ChosenFolderFile(), gone + "\n");
  // A dry run writes nothing, so it does not forget it either.
  Outcome dry = Ql2cfg("install atr --dry-run");
  EXPECT_NE(dry.err.find("The folder chosen before, " + gone +
                         ", no longer exists, so it is not used.\n"),
            std::string::npos)
      << dry.err;
  EXPECT_EQ(ReadAll(ChosenFolderFile()), gone + "\n");

  Outcome list = Ql2cfg("simulators");
  EXPECT_EQ(list.status, 0);
  EXPECT_EQ(list.out, clean + "\t~/.wine\n");
  EXPECT_EQ(list.err, "The folder chosen before, " + gone +
                          ", no longer exists, so it has been forgotten.\n");
  EXPECT_EQ(ReadAll(ChosenFolderFile()), "\n");
  EXPECT_EQ(Ql2cfg("simulators").err, "") << "said once";
}

}  // namespace
