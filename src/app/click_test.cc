// The Install, Repair and Remove buttons of the four families, clicked through the main window's
// logic on generated simulator trees held in memory: the exact bytes of every panel file, the
// backups, the install record and the window's controls, and what a refused click leaves behind.
#include <gtest/gtest.h>

#include "app/click_harness.h"

namespace ql2 {
namespace {

using namespace click_harness;

TEST(CheyenneTest, InstallRemoveInstallOnGeneratedTrees) {
  for (const CheyenneCase& c : CheyenneCases()) {
    SCOPED_TRACE(c.name);
    RunCycle(CheyenneScenario(c));
  }
}

TEST(AtrTest, InstallRemoveInstallOnGeneratedTrees) {
  for (const Scenario& s : AtrScenarios()) {
    SCOPED_TRACE(s.name);
    RunCycle(s);
  }
}

// The record says installed but the panel file has lost the gauge's title entry (here: the add-on
// was reinstalled, nothing of the gauge is left): the scan offers a repair, which is an
// installation on the file as the user left it; the backup from before the first installation is
// kept beside it, not overwritten. Remove is offered too.
TEST(AtrTest, RepairFromEditedBacksUpTheEditedFile) {
  const PanelLayout first = AtrLayout(23, 9, 6);
  const PanelLayout edited = AtrLayout(20, 5, 3);
  const PanelCase repaired = AtrFile(edited, "Window20", "gauge5", "gauge3");
  Simulator sim({repaired});
  sim.fs.AddFile(Simulator::Path(kAtrBackup), RenderPanel(first));  // from the first install
  sim.SetRecord("ATR", "Installed", "1");
  sim.Start();

  RecordingWindow& w = *sim.window;
  EXPECT_EQ(w.Caption(C::kLabelAtr),
            "The panel configuration file has been edited. You can reinstall the gauge by clicking "
            "on the Repair button.");
  EXPECT_EQ(w.Caption(C::kInstallAtr), "Repair");
  EXPECT_TRUE(w.IsClickable(C::kInstallAtr));
  EXPECT_TRUE(w.IsClickable(C::kRemoveAtr));
  EXPECT_TRUE(w.IsVisible(C::kPictureCorAtr));
  EXPECT_FALSE(w.IsVisible(C::kPictureInsAtr));

  ASSERT_TRUE(sim.Click(C::kInstallAtr, kAtr)) << w.Caption(C::kLabelAtr);
  EXPECT_EQ(sim.Bytes(kAtrConfig), RenderPanel(edited, repaired.edits));
  EXPECT_EQ(sim.Bytes(kAtrBackup), RenderPanel(edited));
  const char kKept[] = "\\Aircraft\\Flight 1 ATR-72-500\\panel\\panel.cfg.before-quillever";
  EXPECT_EQ(sim.Bytes(kKept), RenderPanel(first));
  EXPECT_EQ(sim.Record("ATR", "Installed"), "1");
  EXPECT_EQ(w.Caption(C::kLabelAtr),
            "The gauge has been installed successfully. The copy of Aircraft/Flight 1 "
            "ATR-72-500/panel/panel.cfg from before the first installation was kept as "
            "Aircraft/Flight 1 ATR-72-500/panel/panel.cfg.before-quillever.");
  EXPECT_FALSE(w.IsEnabled(C::kInstallAtr));
  EXPECT_TRUE(w.IsClickable(C::kRemoveAtr));
  EXPECT_TRUE(w.IsVisible(C::kPictureInsAtr));
  EXPECT_FALSE(w.IsVisible(C::kPictureCorAtr));
  EXPECT_EQ(w.Caption(C::kInstallAtr), "Repair");

  ASSERT_TRUE(sim.Click(C::kRemoveAtr, kAtr)) << w.Caption(C::kLabelAtr);
  EXPECT_EQ(sim.Bytes(kAtrConfig), RenderPanel(edited));
  EXPECT_FALSE(sim.Has(kAtrBackup));
  EXPECT_EQ(sim.Bytes(kKept), RenderPanel(first));
  EXPECT_EQ(sim.Record("ATR", "Installed"), "0");
}

TEST(PicTest, InstallRemoveInstallOnGeneratedTrees) {
  const std::vector<PicCase> cases = {
      // Titles Window00 to Window08 give [Window9], not the existing [Window09]; five gauges give
      // gauge05. The 737-400's own [Window08] already holds gauge05 and gauge06: its entry is
      // gauge07, and its own gauges stay (its title Window09 is not Window9).
      {"full 1", true, PicLayout(9, 5), PicLayout(12, 7), PicLayout(3, 1), "Window9", "gauge05",
       "Window9", "gauge07"},
      {"full 0", false, PicLayout(9, 5), PicLayout(12, 7), PicLayout(3, 1), "Window9", "gauge05"},
      {"two-digit counts", true, PicLayout(14, 12), PicLayout(14, 12), PicLayout(14, 12),
       "Window14", "gauge12"},
  };
  for (const PicCase& c : cases) {
    SCOPED_TRACE(c.name);
    RunCycle(PicScenario(c));
  }
}

TEST(PmdgTest, InstallRemoveInstallOnGeneratedTrees) {
  const std::vector<PmdgCase> cases = {
      // Eight titles give Window10 and Window11; the VC file's own titles run to Window10, so its
      // gauge windows are Window11 and Window12, and a file without a "Window Titles" section
      // gets one at its end.
      {"full 1, eight titles", true, 8, 11, 5, 0, "Window10", "Window11", "Window11", "Window12"},
      // No line beginning "Wind": Window2 and Window3.
      {"full 0, no titles", false, 0, 3, 8, 8, "Window2", "Window3"},
  };
  for (const PmdgCase& c : cases) {
    SCOPED_TRACE(c.name);
    RunCycle(PmdgScenario(c));
  }
}

// --- "Full" changed between installation and removal --------------------------------------------

struct FullChangeCase {
  std::string name;
  Scenario scenario;
  std::function<void(Simulator&)> change;  // between the installation and the restart
  std::string full_after;                  // the record's "Full" after the restart
};

TEST(FullChangeTest, RemovalRestoresWhatWasBackedUpAndLeavesNoBackup) {
  const PicCase pic{"",        true,      PicLayout(9, 5), PicLayout(12, 7), PicLayout(3, 1),
                    "Window9", "gauge05", "Window9",       "gauge07"};
  PicCase pic_without_400 = pic;
  pic_without_400.full = false;
  const PmdgCase pmdg{"", true, 8, 8, 5, 5, "Window10", "Window11"};
  PmdgCase pmdg_without_800 = pmdg;
  pmdg_without_800.full = false;

  const std::vector<FullChangeCase> cases = {
      // The 737-400 went away: the 737-500 keeps its backup and is still put back.
      {"PIC 1 to 0", PicScenario(pic),
       [](Simulator& sim) {
         sim.fs.RemoveFolder(Simulator::Path("\\Aircraft\\feelThere pic 737-400"));
       },
       "0"},
      // The 737-800's panel folder went away: its virtual cockpit is still put back.
      {"PMDG 1 to 0", PmdgScenario(pmdg),
       [](Simulator& sim) {
         sim.fs.RemoveFolder(Simulator::Path("\\Aircraft\\PMDG737-800\\panel"));
       },
       "0"},
      // The 737-400 came: its file and the 737-500's were never backed up, and none is demanded.
      {"PIC 0 to 1", PicScenario(pic_without_400),
       [](Simulator& sim) {
         sim.fs.AddFile(Simulator::Path(PicConfig("400")), RenderPanel(PicLayout(12, 7)));
       },
       "1"},
      {"PMDG 0 to 1", PmdgScenario(pmdg_without_800),
       [](Simulator& sim) {
         sim.fs.AddFile(Simulator::Path(PmdgConfig("800", "panel")), RenderPanel(PmdgLayout(5)));
       },
       "1"},
  };
  for (const FullChangeCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Group& g = *c.scenario.group;
    Simulator sim(c.scenario.files);
    sim.Start();
    ASSERT_TRUE(sim.Click(g.install, g)) << sim.window->Caption(g.status);
    c.change(sim);
    sim.Start();
    ASSERT_EQ(sim.Record(g.record_section, "Full"), c.full_after);

    ASSERT_TRUE(sim.Click(g.remove, g)) << sim.window->Caption(g.status);
    EXPECT_EQ(sim.window->Caption(g.status), "The gauge has been removed successfully.");
    // The group shows what it now is, also when the run began Installed.
    EXPECT_FALSE(sim.window->IsVisible(g.installed_icon));
    EXPECT_TRUE(sim.window->IsVisible(g.not_installed_icon));
    EXPECT_EQ(sim.Record(g.record_section, "Installed"), "0");
    const Tree after = sim.Snapshot();
    EXPECT_EQ(BackupsIn(after), std::vector<std::string>());
    for (const PanelCase& file : c.scenario.files) {
      if (sim.Has(file.config)) {
        EXPECT_EQ(sim.Bytes(file.config), RenderPanel(file.layout)) << file.config;
      }
    }
  }
}

// --- Refused clicks -----------------------------------------------------------------------------

struct RefusalCase {
  std::string name;
  Scenario scenario;
  bool installed_first;  // the click is a removal after an installation
  std::function<void(Simulator&)> spoil;
  std::string status;
  // The click found the files changed since the window looked and showed them afresh: the icons
  // then give way to none (the state is neither installed nor not).
  bool refreshed = false;
};

// A click that finds something wrong touches nothing, records nothing, leaves the buttons as they
// were and says what is wrong, naming the file from the simulator folder.
TEST(RefusalTest, NothingChangesAndTheStatusLineSaysWhy) {
  Scenario without_stop = AtrScenarios()[0];
  without_stop.files[0].layout.sections.pop_back();  // [Fixed Window39]

  Scenario without_section = CheyenneWorkedExample();
  std::vector<lookalike::WindowSectionLayout>& row8 =
      FindFile(without_section, CheyenneRow(8).config)->layout.sections;
  row8.erase(row8.begin() + 4);  // [Fixed Window31]

  const std::vector<RefusalCase> cases = {
      {"a Cheyenne file missing in the middle of the list", CheyenneWorkedExample(), false,
       [](Simulator& sim) {
         ASSERT_TRUE(sim.fs.DeleteFile(Simulator::Path(CheyenneRow(5).config)).ok());
       },
       "Cannot install: Aircraft/Digital Aviation PA31T1 Cheyenne IA/panel.ifrvfr/panel.cfg is "
       "missing. Put it back, or reinstall the add-on, then try again."},
      {"a stop line missing in the reference file", without_stop, false, nullptr,
       "Cannot install: Aircraft/Flight 1 ATR-72-500/panel/panel.cfg has no [Fixed Window39] "
       "section after [Fixed Window38]. Put back the add-on's own copy of the file, or reinstall "
       "the add-on, then try again."},
      {"a target section missing in one file", without_section, false, nullptr,
       "Cannot install: Aircraft/Digital Aviation PA31T Cheyenne II/panel.ifrvfr/panel.cfg has "
       "no [Fixed Window31] section. Put back the add-on's own copy of the file, or reinstall the "
       "add-on, then try again."},
      {"a read-only panel file",
       PicScenario(
           {"", true, PicLayout(9, 5), PicLayout(9, 5), PicLayout(9, 5), "Window9", "gauge05"}),
       false,
       [](Simulator& sim) { sim.fs.FindFile(Simulator::Path(PicConfig("500")))->read_only = true; },
       "Cannot install: Aircraft/feelThere pic 737-500/panel/panel.cfg is read-only. Make it "
       "writable (clear its read-only mark), then try again."},
      {"a backup missing at removal", CheyenneWorkedExample(), true,
       [](Simulator& sim) {
         ASSERT_TRUE(sim.fs.DeleteFile(Simulator::Path(CheyenneRow(7).backup)).ok());
       },
       "The files changed since this window last looked at them, so nothing was done. "
       "Aircraft/Digital Aviation PA31T Cheyenne II/panel/panel.backup is missing although the "
       "gauge is installed: a removal did not finish. Click Remove to put back the files that "
       "still have a backup.",
       true},
      {"a 737NG backup missing at removal",
       PmdgScenario({"", true, 8, 8, 5, 5, "Window10", "Window11"}), true,
       [](Simulator& sim) {
         ASSERT_TRUE(
             sim.fs.DeleteFile(Simulator::Path(PmdgConfig("700", "panel.VC") + ".backup")).ok());
       },
       "The files changed since this window last looked at them, so nothing was done. "
       "Aircraft/PMDG737-700/panel.VC/panel.cfg.backup is missing although the gauge is "
       "installed: a removal did not finish. Click Remove to put back the files that still have a "
       "backup.",
       true},
      // Rewriting the record puts its new bytes beside it first, so an existing record in a
      // folder that cannot be written is refused before the first change, like a missing one.
      {"a record folder that cannot be written", CheyenneWorkedExample(), true,
       [](Simulator& sim) { sim.fs.SetFolderWritable(Simulator::Path("\\QL"), false); },
       "Cannot remove: the folder QL cannot be written: permission denied. Give your user account "
       "the right to read and change it, then try again."},
  };
  for (const RefusalCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Group& g = *c.scenario.group;
    Simulator sim(c.scenario.files);
    sim.Start();
    if (c.installed_first) {
      ASSERT_TRUE(sim.Click(g.install, g)) << sim.window->Caption(g.status);
    }
    if (c.spoil) c.spoil(sim);
    const Tree before = sim.Snapshot();
    std::string controls = Controls(*sim.window, g);
    if (c.refreshed) {
      RecordingWindow expected = *sim.window;
      expected.Hide(g.installed_icon);
      expected.Hide(g.not_installed_icon);
      controls = Controls(expected, g);
    }

    EXPECT_FALSE(sim.Click(c.installed_first ? g.remove : g.install, g));
    EXPECT_EQ(sim.window->Caption(g.status), c.status);
    EXPECT_EQ(Differences(before, sim.Snapshot()), std::vector<std::string>());
    EXPECT_EQ(Controls(*sim.window, g), controls);
  }
}

// How often each file was read since the log was cleared, by path.
std::map<std::string, int> ReadsOf(const MemoryFileSystem& fs) {
  std::map<std::string, int> reads;
  for (const FileOperation& op : fs.log()) {
    if (op.kind == FileOperationKind::kRead) ++reads[op.path];
  }
  return reads;
}

// A click reads each file once, the look before it and its plan included, and reads nothing
// again after it; a start with the gauge installed reads the record and the reference panel file,
// and none of the backups nor the other panel files.
TEST(FileTrafficTest, EachFileIsReadOnceAndAStartReadsNoBackup) {
  const Scenario s = CheyenneWorkedExample();
  const Group& g = *s.group;
  Simulator sim(s.files);
  sim.Start();
  sim.fs.ClearLog();
  ASSERT_TRUE(sim.Click(g.install, g)) << sim.window->Caption(g.status);
  for (const auto& [path, count] : ReadsOf(sim.fs)) EXPECT_EQ(count, 1) << path;

  sim.fs.ClearLog();
  sim.Start();
  const std::map<std::string, int> expected = {{Simulator::Path(kRecordFile), 1},
                                               {Simulator::Path(s.files[0].config), 1}};
  EXPECT_EQ(ReadsOf(sim.fs), expected);

  sim.fs.ClearLog();
  ASSERT_TRUE(sim.Click(g.remove, g)) << sim.window->Caption(g.status);
  const std::map<std::string, int> reads = ReadsOf(sim.fs);
  for (const auto& [path, count] : reads) EXPECT_EQ(count, 1) << path;
  for (const PanelCase& file : s.files) {
    EXPECT_EQ(reads.count(Simulator::Path(file.config)), 1u) << file.config;
    EXPECT_EQ(reads.count(Simulator::Path(file.backup)), 1u) << file.backup;
  }
}

// The command line's start and its one click run under one lock and share what was read: the
// reference panel file and the record the start looks at are not read again by the click.
TEST(FileTrafficTest, TheCommandLinesStartAndClickReadEachFileOnce) {
  for (const bool install : {true, false}) {
    SCOPED_TRACE(install ? "install" : "remove");
    const Scenario s = CheyenneWorkedExample();
    const Group& g = *s.group;
    Simulator sim(s.files);
    if (!install) {
      sim.Start();
      ASSERT_TRUE(sim.Click(g.install, g)) << sim.window->Caption(g.status);
    }
    sim.fs.ClearLog();
    sim.window = std::make_unique<RecordingWindow>();
    sim.logic = std::make_unique<MainWindowLogic>(*sim.window, sim.fs, sim.registry, sim.shell);
    MainWindowLogic::ScanOptions options;
    options.ask_first_run = false;
    options.only = FindFamily("cheyenne");
    options.one_click = true;
    sim.logic->StartupScan(options);
    ASSERT_TRUE(sim.Click(install ? g.install : g.remove, g)) << sim.window->Caption(g.status);
    const std::map<std::string, int> reads = ReadsOf(sim.fs);
    for (const auto& [path, count] : reads) EXPECT_EQ(count, 1) << path;
    EXPECT_EQ(reads.count(Simulator::Path(kRecordFile)), 1u);
    EXPECT_EQ(reads.count(Simulator::Path(s.files[0].config)), 1u);
    // The lock was given back: the next click can take it.
    EXPECT_TRUE(sim.fs.LockFolder(kSim).ok());
  }
}

// A one-click start that asks the first-run question first still writes its answer, and the
// click after it still has the folder.
TEST(FileTrafficTest, AOneClickStartThatAsksFirstWritesTheAnswer) {
  const Scenario s = CheyenneWorkedExample();
  const Group& g = *s.group;
  Simulator sim(s.files);
  sim.SetRecord("Options", "First Time", "1");
  sim.window = std::make_unique<RecordingWindow>();
  sim.logic = std::make_unique<MainWindowLogic>(*sim.window, sim.fs, sim.registry, sim.shell);
  MainWindowLogic::ScanOptions options;
  options.only = FindFamily("cheyenne");
  options.one_click = true;
  sim.logic->StartupScan(options);
  EXPECT_EQ(sim.Record("Options", "First Time"), "0");
  EXPECT_TRUE(sim.Click(g.install, g)) << sim.window->Caption(g.status);
}

}  // namespace
}  // namespace ql2
