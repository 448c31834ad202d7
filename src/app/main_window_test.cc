#include "app/main_window.h"

#include <gtest/gtest.h>

#include "app/recording_window.h"
#include "app/texts.h"
#include "platform/elevation.h"
#include "platform/memory_file_system.h"
#include "platform/profile.h"
#include "platform/program_files.h"
#include "platform/sim_path.h"

namespace ql2 {
namespace {

const char kSim[] = "/sim";
const char kRecord[] = "/sim/QL/qlever2.con";
const char kAtrPanel[] = "/sim/Aircraft/Flight 1 ATR-72-500/panel/panel.cfg";
// A panel file as an installation leaves it, as far as the scan looks.
const char kInstalledPanel[] = "[Window Titles]\r\nWindow01=Quillever\r\n";
const char kManual[] = "/sim/QL/readme2.htm";

// A simulator tree in memory, built up by each case. Every simulator folder has its Aircraft
// folder, whatever add-ons it holds.
struct Tree {
  Tree() { fs.AddFolder("/sim/Aircraft"); }

  MemoryFileSystem fs;

  Tree& Cheyenne() {
    fs.AddFolder("/sim/Aircraft/Digital Aviation PA31T1 Cheyenne I/panel");
    return *this;
  }
  Tree& Atr(const std::string& panel = "[Window Titles]\r\nWindow00=Main\r\n") {
    fs.AddFile(kAtrPanel, panel);
    return *this;
  }
  Tree& Pmdg700() {
    fs.AddFolder("/sim/Aircraft/PMDG737-700/panel");
    return *this;
  }
  Tree& Pmdg800() {
    fs.AddFolder("/sim/Aircraft/PMDG737-800/panel");
    return *this;
  }
  Tree& Pic300() {
    fs.AddFolder("/sim/Aircraft/feelThere pic 737-300/panel");
    return *this;
  }
  Tree& Pic400() {
    fs.AddFolder("/sim/Aircraft/feelThere pic 737-400/panel");
    return *this;
  }
  Tree& Marker() {
    fs.AddFile("/sim/QL/uninst.swi", "");
    return *this;
  }
  Tree& Record(const std::string& text) {
    fs.AddFile(kRecord, text);
    return *this;
  }
  Tree& AllFamilies() { return Cheyenne().Atr().Pmdg700().Pic300(); }
  // What an installation leaves, for every family whose folder is there: the backups, and panel
  // files with the gauge's title entry (a panel file already there is left as it is).
  Tree& Backups() {
    for (const Family* family : ql2::AllFamilies()) {
      if (!PathExists(fs, JoinSimPath(kSim, family->presence_folder, '/'))) continue;
      for (const PanelFile& file : family->files) {
        if (file.further_model) continue;
        fs.AddFile(JoinSimPath(kSim, file.backup, '/'), "backup");
        const std::string config = JoinSimPath(kSim, file.config, '/');
        if (!fs.HasFile(config)) fs.AddFile(config, kInstalledPanel);
      }
    }
    return *this;
  }
};

std::string RecordText(int cheyenne, int atr, int pmdg, int pic, int first_time = 0) {
  return "[Options]\r\nFirst Time=" + std::to_string(first_time) +
         "\r\n[Cheyenne]\r\nInstalled=" + std::to_string(cheyenne) +
         "\r\n[ATR]\r\nInstalled=" + std::to_string(atr) +
         "\r\n[PMDG]\r\nInstalled=" + std::to_string(pmdg) +
         "\r\n[PIC]\r\nInstalled=" + std::to_string(pic) + "\r\n";
}

// What one family's group shows: the state, the status line, each button as "hidden",
// "enabled" or "disabled", and the one icon shown ("none" when none is).
struct GroupView {
  FamilyDisplayState state;
  std::string status;
  std::string install;
  std::string remove;
  std::string icon;
  std::string install_caption = "Install";
};

std::string ButtonView(const RecordingWindow& window, ControlId id) {
  if (!window.IsVisible(id)) return "hidden";
  return window.IsEnabled(id) ? "enabled" : "disabled";
}

std::string IconView(const RecordingWindow& window, const FamilyControls& controls) {
  std::string shown;
  auto add = [&](ControlId id, const char* name) {
    if (id == ControlId::kNone || !window.IsVisible(id)) return;
    shown += shown.empty() ? name : std::string("+") + name;
  };
  add(controls.not_installed_icon, "not");
  add(controls.installed_icon, "ins");
  add(controls.edited_icon, "edit");
  return shown.empty() ? "none" : shown;
}

void ExpectGroup(const MainWindowLogic& logic, const RecordingWindow& window, const Family& family,
                 const GroupView& expected) {
  SCOPED_TRACE(std::string(family.id));
  const FamilyControls& c = ControlsOf(family);
  EXPECT_EQ(FamilyDisplayStateName(logic.StateOf(family)), FamilyDisplayStateName(expected.state));
  EXPECT_EQ(window.Caption(c.status), expected.status);
  EXPECT_EQ(ButtonView(window, c.install), expected.install);
  EXPECT_EQ(ButtonView(window, c.remove), expected.remove);
  EXPECT_EQ(IconView(window, c), expected.icon);
  EXPECT_EQ(window.Caption(c.install), expected.install_caption);
}

const std::string kNotInst(texts::kNotInstalled);
const std::string kInst(texts::kInstalled);
const std::string kEdited(texts::kEdited);
const std::string kNoSim(texts::kSimulatorNotFound);
using S = FamilyDisplayState;
const GroupView kCheyenneAbsent{S::kAbsent, "Piper Cheyenne cannot be found.", "hidden", "hidden",
                                "none"};
const GroupView kAtrAbsent{S::kAbsent, "ATR 72-500 cannot be found.", "hidden", "hidden", "none"};
const GroupView kPmdgAbsent{S::kAbsent, "Boeing 737NG cannot be found.", "hidden", "hidden",
                            "none"};
const GroupView kPicAbsent{S::kAbsent, "Boeing 737 Classics PIC cannot be found.", "hidden",
                           "hidden", "none"};
const GroupView kOffered{S::kNotInstalled, kNotInst, "enabled", "disabled", "not"};
const GroupView kInstalled{S::kInstalled, kInst, "disabled", "enabled", "ins"};

struct ScanCase {
  const char* name;
  std::function<void(Tree&)> build;
  GroupView cheyenne, atr, pmdg, pic;
};

void PrintTo(const ScanCase& c, std::ostream* os) {
  *os << c.name;
}

class ScanTest : public ::testing::TestWithParam<ScanCase> {};

TEST_P(ScanTest, LeavesEveryGroupInItsState) {
  const ScanCase& c = GetParam();
  Tree tree;
  c.build(tree);
  RecordingWindow window;
  MemoryRegistry registry(kSim);
  RecordingShell shell;
  MainWindowLogic logic(window, tree.fs, registry, shell);
  logic.StartupScan();

  ExpectGroup(logic, window, CheyenneFamily(), c.cheyenne);
  ExpectGroup(logic, window, AtrFamily(), c.atr);
  ExpectGroup(logic, window, PmdgFamily(), c.pmdg);
  ExpectGroup(logic, window, PicFamily(), c.pic);
  EXPECT_EQ(window.Caption(ControlId::kLabel3), kSim);
  EXPECT_FALSE(window.IsVisible(ControlId::kLabel3));
}

// Repair puts back what the file lost; Remove takes out what is left.
const GroupView kAtrEdited{S::kEdited, kEdited, "enabled", "enabled", "edit", "Repair"};
const GroupView kInstalledButHidden{S::kInstalled, kInst, "hidden", "hidden", "ins"};

const ScanCase kScanCases[] = {
    {"NothingPresent", [](Tree& t) { t.Marker().Record(RecordText(0, 0, 0, 0)); }, kCheyenneAbsent,
     kAtrAbsent, kPmdgAbsent, kPicAbsent},
    {"AllPresentNoneInstalled",
     [](Tree& t) { t.AllFamilies().Marker().Record(RecordText(0, 0, 0, 0)); }, kOffered, kOffered,
     kOffered, kOffered},
    {"AllInstalled",
     [](Tree& t) {
       t.Cheyenne().Atr("[Window Titles]\r\nWindow01=Quillever\r\n").Pmdg700().Pic300().Marker();
       t.Backups();
       t.Record(RecordText(1, 1, 1, 1));
     },
     kInstalled, kInstalled, kInstalled, kInstalled},
    {"FolderGoneButRecordSaysInstalled", [](Tree& t) { t.Marker().Record(RecordText(1, 1, 1, 1)); },
     kInstalledButHidden, kAtrAbsent, kInstalledButHidden, kInstalledButHidden},
    {"AtrTitleMissingIsEdited",
     [](Tree& t) {
       t.Atr("[Window Titles]\r\nWindow01=Other\r\n")
           .Marker()
           .Backups()
           .Record(RecordText(0, 1, 0, 0));
     },
     kCheyenneAbsent, kAtrEdited, kPmdgAbsent, kPicAbsent},
    {"AtrTitleInOtherCaseIsEdited",
     [](Tree& t) {
       t.Atr("Window01=quillever\r\n").Marker().Backups().Record(RecordText(0, 1, 0, 0));
     },
     kCheyenneAbsent, kAtrEdited, kPmdgAbsent, kPicAbsent},
    {"AtrTitleWithTrailingBlankIsEdited",
     [](Tree& t) {
       t.Atr("Window01=Quillever \r\n").Marker().Backups().Record(RecordText(0, 1, 0, 0));
     },
     kCheyenneAbsent, kAtrEdited, kPmdgAbsent, kPicAbsent},
    {"AtrBareTitleLineCounts",
     [](Tree& t) { t.Atr("x\r\n=Quillever").Marker().Backups().Record(RecordText(0, 1, 0, 0)); },
     kCheyenneAbsent, kInstalled, kPmdgAbsent, kPicAbsent},
    {"AtrRecordTwoSkipsTitleCheck",
     [](Tree& t) { t.Atr("nothing\r\n").Marker().Backups().Record(RecordText(0, 2, 0, 0)); },
     kCheyenneAbsent, kInstalled, kPmdgAbsent, kPicAbsent},
    {"AtrRecordZeroWithoutTitle",
     [](Tree& t) { t.Atr("nothing\r\n").Marker().Record(RecordText(0, 0, 0, 0)); }, kCheyenneAbsent,
     kOffered, kPmdgAbsent, kPicAbsent},
    {"MarkerMissingHidesInstallButtons",
     [](Tree& t) {
       t.AllFamilies().Record(RecordText(0, 0, 1, 0));
       t.fs.AddFile("/sim/Aircraft/PMDG737-700/panel/panel.cfg", kInstalledPanel);
       t.fs.AddFile("/sim/Aircraft/PMDG737-700/panel/panel.cfg.backup", "");
       t.fs.AddFile("/sim/Aircraft/PMDG737-700/panel.VC/panel.cfg.backup", "");
     },
     {S::kNotInstalled, kNotInst, "hidden", "disabled", "not"},
     {S::kNotInstalled, kNotInst, "hidden", "disabled", "not"},
     {S::kInstalled, kInst, "hidden", "enabled", "ins"},
     {S::kNotInstalled, kNotInst, "hidden", "disabled", "not"}},
    {"MarkerMissingWithAtrEdited",
     [](Tree& t) { t.Atr("nothing\r\n").Backups().Record(RecordText(0, 1, 0, 0)); },
     kCheyenneAbsent,
     {S::kEdited, kEdited, "hidden", "enabled", "edit", "Repair"},
     kPmdgAbsent,
     kPicAbsent},
    {"HiddenMarkerDoesNotCount",
     [](Tree& t) {
       t.Cheyenne().Record(RecordText(0, 0, 0, 0));
       t.fs.AddFile("/sim/QL/uninst.swi", "").hidden = true;
     },
     {S::kNotInstalled, kNotInst, "hidden", "disabled", "not"},
     kAtrAbsent,
     kPmdgAbsent,
     kPicAbsent},
    {"MarkerThatIsAFolderDoesNotCount",
     [](Tree& t) {
       t.Cheyenne().Record(RecordText(0, 0, 0, 0));
       t.fs.AddFolder("/sim/QL/uninst.swi");
     },
     {S::kNotInstalled, kNotInst, "hidden", "disabled", "not"},
     kAtrAbsent,
     kPmdgAbsent,
     kPicAbsent},
    {"MissingRecordReadsAsNotInstalled", [](Tree& t) { t.AllFamilies().Marker(); }, kOffered,
     kOffered, kOffered, kOffered},
    {"JunkRecordValuesReadAsNumbers",
     [](Tree& t) {
       t.AllFamilies().Marker();
       t.fs.AddFile("/sim/Aircraft/Flight 1 ATR-72-500/panel/panel.cfg.backup", "");
       t.Record(
           "[Cheyenne]\r\nInstalled=abc\r\n[ATR]\r\nInstalled=1x\r\n[PMDG]\r\nInstalled=\r\n"
           "[PIC]\r\nInstalled=0000000001\r\n");
     },
     // "abc" and "" are 0; "1x" is 1 (and the ATR panel lacks the title); the ten-digit value is
     // cut to nine zeros.
     kOffered, kAtrEdited, kOffered, kOffered},
    {"UnreadableRecordIsReported",
     [](Tree& t) {
       t.Cheyenne().Marker();
       t.fs.AddFile(kRecord, RecordText(1, 0, 0, 0)).unreadable = true;
     },
     {S::kError,
      "Cannot read QL/qlever2.con: permission denied. Give your user account the right to read "
      "and change it, then try again.",
      "disabled", "disabled", "none"},
     kAtrAbsent,
     kPmdgAbsent,
     kPicAbsent},
    {"UnreadableAtrPanelWhileInstalledIsReported",
     [](Tree& t) {
       t.Marker().Record(RecordText(0, 1, 0, 0));
       t.fs.AddFile(kAtrPanel, "Window01=Quillever\r\n").unreadable = true;
     },
     kCheyenneAbsent,
     {S::kError,
      "Cannot read Aircraft/Flight 1 ATR-72-500/panel/panel.cfg: permission denied. Give your user "
      "account the right to read and change it, then try again.",
      "disabled", "disabled", "none"},
     kPmdgAbsent,
     kPicAbsent},
    // Backups of this program's without an installation: one beside a panel file that carries
    // the gauge, one beside a panel file that is the backup again.
    {"BackupsWithoutInstallationAreAnInterruptedInstall",
     [](Tree& t) {
       t.AllFamilies().Marker().Record(RecordText(0, 0, 0, 0));
       const std::string cheyenne = "/sim/Aircraft/Digital Aviation PA31T Cheyenne II/panel.vfr/";
       t.fs.AddFile(cheyenne + "panel.cfg", kInstalledPanel);
       t.fs.AddFile(cheyenne + "panel.backup", "");
       t.fs.AddFile("/sim/Aircraft/feelThere pic 737-500/panel/panel.cfg", "same");
       t.fs.AddFile("/sim/Aircraft/feelThere pic 737-500/panel/panel.cfg.backup", "same");
     },
     {S::kInterruptedInstall,
      "Aircraft/Digital Aviation PA31T Cheyenne II/panel.vfr/panel.backup exists although the "
      "gauge is not installed: an installation did not finish. Click Remove to put the files back "
      "from their backups.",
      "disabled", "enabled", "none"},
     kOffered,
     kOffered,
     {S::kInterruptedInstall,
      "Aircraft/feelThere pic 737-500/panel/panel.cfg.backup" +
          std::string(texts::kInterruptedInstall),
      "disabled", "enabled", "none"}},
    // Files named like backups that this program did not make: beside a panel file with no
    // trace of the gauge, or none at all. They are the user's, and the gauge is not installed.
    {"ForeignBackupsAreNoSignOfAnInstallation",
     [](Tree& t) {
       t.AllFamilies().Marker().Record(RecordText(0, 0, 0, 0));
       const std::string cheyenne = "/sim/Aircraft/Digital Aviation PA31T1 Cheyenne I/panel/";
       t.fs.AddFile(cheyenne + "panel.cfg", "[Window Titles]\r\nWindow00=Main\r\n");
       t.fs.AddFile(cheyenne + "panel.backup", "my own copy");
       t.fs.AddFile("/sim/Aircraft/feelThere pic 737-500/panel/panel.cfg.backup", "");
     },
     kOffered, kOffered, kOffered, kOffered},
    {"InstallationMissingBackupsIsAnInterruptedRemove",
     [](Tree& t) {
       t.AllFamilies().Marker().Backups().Record(RecordText(1, 1, 1, 0));
       t.fs.RemoveFolder("/sim/Aircraft/PMDG737-700/panel.VC");
       t.fs.DeleteFile("/sim/Aircraft/Digital Aviation PA31T1 Cheyenne I/panel/panel.backup");
     },
     {S::kInterruptedRemove,
      "Aircraft/Digital Aviation PA31T1 Cheyenne I/panel/panel.backup is missing although the "
      "gauge is installed: a removal did not finish. Click Remove to put back the files that still "
      "have a backup.",
      "disabled", "enabled", "none"},
     kAtrEdited,
     {S::kInterruptedRemove,
      "Aircraft/PMDG737-700/panel.VC/panel.cfg.backup" + std::string(texts::kInterruptedRemove),
      "disabled", "enabled", "none"},
     {S::kInterruptedInstall,
      "Aircraft/feelThere pic 737-300/panel/panel.cfg.backup" +
          std::string(texts::kInterruptedInstall),
      "disabled", "enabled", "none"}},
    {"Pmdg800WithoutPmdg700IsAbsent",
     [](Tree& t) { t.Pmdg800().Marker().Record(RecordText(0, 0, 0, 0)); }, kCheyenneAbsent,
     kAtrAbsent, kPmdgAbsent, kPicAbsent},
    {"CheyenneFolderMustBeAFolder",
     [](Tree& t) {
       t.fs.AddFile("/sim/Aircraft/Digital Aviation PA31T1 Cheyenne I/panel", "");
       t.Marker().Record(RecordText(0, 0, 0, 0));
     },
     kCheyenneAbsent, kAtrAbsent, kPmdgAbsent, kPicAbsent},
    {"PicPresenceMayBeAFile",
     [](Tree& t) {
       t.fs.AddFile("/sim/Aircraft/feelThere pic 737-300/panel", "");
       t.Marker().Record(RecordText(0, 0, 0, 0));
     },
     kCheyenneAbsent, kAtrAbsent, kPmdgAbsent, kOffered},
};

INSTANTIATE_TEST_SUITE_P(Trees, ScanTest, ::testing::ValuesIn(kScanCases),
                         [](const auto& info) { return std::string(info.param.name); });

std::string ReadRecord(MemoryFileSystem& fs, std::string_view section, std::string_view key) {
  return profile::ReadString(fs.FileBytes(kRecord), section, key, "<missing>", 100);
}

TEST(ScanRecordTest, WritesBothFullKeysFromTheFurtherModelsFolders) {
  struct Case {
    bool pmdg800, pic400;
    const char* pmdg_full;
    const char* pic_full;
  };
  for (const Case& c : {Case{false, false, "0", "0"}, Case{true, false, "1", "0"},
                        Case{false, true, "0", "1"}, Case{true, true, "1", "1"}}) {
    Tree tree;
    tree.Marker().Record("[PMDG]\r\nFull=7\r\n");
    if (c.pmdg800) tree.Pmdg800();
    if (c.pic400) tree.Pic400();
    RecordingWindow window;
    MemoryRegistry registry(kSim);
    RecordingShell shell;
    MainWindowLogic(window, tree.fs, registry, shell).StartupScan();
    EXPECT_EQ(ReadRecord(tree.fs, "PMDG", "Full"), c.pmdg_full);
    EXPECT_EQ(ReadRecord(tree.fs, "PIC", "Full"), c.pic_full);
  }
}

TEST(ScanRecordTest, AtrPanelIsNotReadWhenTheAtrFolderIsMissing) {
  Tree tree;
  tree.Marker().Record(RecordText(0, 1, 0, 0));
  RecordingWindow window;
  MemoryRegistry registry(kSim);
  RecordingShell shell;
  MainWindowLogic(window, tree.fs, registry, shell).StartupScan();
  for (const FileOperation& op : tree.fs.log()) {
    EXPECT_EQ(op.path.find("ATR-72-500"), std::string::npos) << op.path;
  }
}

struct FirstRunCase {
  const char* first_time;
  bool answer;
  bool asked;
  bool manual_opened;
  const char* first_time_after;
};

TEST(FirstRunTest, AsksOnceAndOpensTheManualOnYes) {
  for (const FirstRunCase& c :
       {FirstRunCase{"1", true, true, true, "0"}, FirstRunCase{"1", false, true, false, "0"},
        FirstRunCase{"0", true, false, false, "0"}, FirstRunCase{"2", true, false, false, "2"}}) {
    SCOPED_TRACE(std::string(c.first_time) + (c.answer ? " yes" : " no"));
    Tree tree;
    tree.Marker().Record(std::string("[Options]\r\nFirst Time=") + c.first_time + "\r\n");
    tree.fs.AddFile(kManual, "<html></html>");
    MemoryRegistry registry(kSim);
    RecordingShell shell;
    RecordingWindow window;
    window.SetAnswer(c.answer);
    MainWindowLogic(window, tree.fs, registry, shell).StartupScan();
    EXPECT_EQ(window.questions_asked(), c.asked ? 1 : 0);
    EXPECT_EQ(ReadRecord(tree.fs, "Options", "First Time"), c.first_time_after);
    EXPECT_TRUE(window.warnings().empty());
    ASSERT_EQ(shell.opened().size(), c.manual_opened ? 1u : 0u);
    if (c.manual_opened) {
      EXPECT_EQ(shell.opened()[0], "/sim/QL/readme2.htm");
    }

    // The question does not come back at the next start.
    RecordingWindow next;
    MainWindowLogic(next, tree.fs, registry, shell).StartupScan();
    EXPECT_EQ(next.questions_asked(), 0);
  }
}

// A manual that cannot be opened is never a silent Yes: the user learns why, and how to open it
// later. The same from F1 and from the About window's button, which work without the question.
TEST(ManualTest, WhenTheManualCannotBeOpenedTheUserIsToldWhyAndHowToTryAgain) {
  struct Case {
    const char* what;
    bool manual_there;
    Status shell_answer;
    std::string cause;  // "" when the manual opens
  };
  const Case cases[] = {
      {"opened", true, Status::Ok(), ""},
      {"missing", false, Status::Ok(), "no such file or folder"},
      {"nothing to open it", true,
       Status::Failed(ErrorKind::kNotFound, "open", kManual, "xdg-open is not available"),
       "xdg-open is not available"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Tree tree;
    tree.AllFamilies().Marker().Record(RecordText(0, 0, 0, 0, /*first_time=*/1));
    if (c.manual_there) tree.fs.AddFile(kManual, "<html></html>");
    MemoryRegistry registry(kSim);
    RecordingShell shell;
    shell.Answer(c.shell_answer);
    RecordingWindow window;
    window.SetAnswer(true);
    MainWindowLogic logic(window, tree.fs, registry, shell);
    logic.StartupScan();
    const std::string expected =
        c.cause.empty()
            ? ""
            : "User manual\n\nThe user manual cannot be opened: " + std::string(kManual) + ": " +
                  c.cause +
                  ".\r\n\r\nYou can open it at any time with F1, or with the User "
                  "manual button of the About window.";
    std::vector<std::string> warned =
        expected.empty() ? std::vector<std::string>{} : std::vector<std::string>{expected};
    EXPECT_EQ(window.warnings(), warned);
    EXPECT_EQ(ReadRecord(tree.fs, "Options", "First Time"), "0");

    logic.OpenManual();  // F1
    if (!expected.empty()) warned.push_back(expected);
    EXPECT_EQ(window.warnings(), warned);
    logic.Click(ControlId::kAboutManual);
    if (!expected.empty()) warned.push_back(expected);
    EXPECT_EQ(window.warnings(), warned);
    EXPECT_EQ(shell.opened().size(), c.manual_there ? 3u : 0u);
  }

  // Without a simulator there is no manual to look for.
  Tree tree;
  MemoryRegistry none("", false);
  RecordingShell shell;
  RecordingWindow window;
  MainWindowLogic logic(window, tree.fs, none, shell);
  logic.StartupScan();
  logic.OpenManual();
  ASSERT_EQ(window.warnings().size(), 1u);
  EXPECT_NE(window.warnings()[0].find("Flight Simulator 9.0, which cannot be found."),
            std::string::npos)
      << window.warnings()[0];
  EXPECT_TRUE(shell.opened().empty());
}

// The keyboard rules reach the window through the logic: the start-up focus, the focus after
// each click, and the access keys.
TEST(FocusTest, TheLogicMovesTheFocusAsTheKeyboardRulesSay) {
  Tree tree;
  tree.Atr(
          "[Window Titles]\r\nWindow00=Main\r\n\r\n[Window00]\r\ngauge00=A!B, 0,0,9,9\r\n\r\n"
          "[Window01]\r\ngauge00=A!C, 0,0,9,9\r\n\r\n[Fixed Window38]\r\ngauge00=A!D, 0,0,9,9\r\n"
          "\r\n[Fixed Window39]\r\ngauge00=A!E, 0,0,9,9\r\n")
      .Marker()
      .Record(RecordText(0, 0, 0, 0));
  MemoryRegistry registry(kSim);
  RecordingShell shell;
  RecordingWindow window;
  MainWindowLogic logic(window, tree.fs, registry, shell);
  logic.StartupScan();
  EXPECT_EQ(window.focused(), ControlId::kFrame1);

  EXPECT_TRUE(logic.PressAccessKey('i', window.focused()));
  EXPECT_EQ(window.focused(), ControlId::kInstallAtr) << "the only Install offered";
  EXPECT_EQ(ReadRecord(tree.fs, "ATR", "Installed"), "0") << "a key never clicks Install";

  EXPECT_TRUE(logic.Click(ControlId::kInstallAtr));
  EXPECT_EQ(window.focused(), ControlId::kRemoveAtr);
  EXPECT_TRUE(logic.Click(ControlId::kRemoveAtr));
  EXPECT_EQ(window.focused(), ControlId::kInstallAtr);

  // The installer marker gone: after Remove neither button is offered, so the group keeps it.
  EXPECT_TRUE(logic.Click(ControlId::kInstallAtr));
  tree.fs.DeleteFile("/sim/QL/uninst.swi");
  logic.StartupScan();
  EXPECT_TRUE(logic.Click(ControlId::kRemoveAtr));
  EXPECT_FALSE(window.IsClickable(ControlId::kInstallAtr));
  EXPECT_FALSE(window.IsClickable(ControlId::kRemoveAtr));
  EXPECT_EQ(window.focused(), ControlId::kFrame2);

  EXPECT_FALSE(logic.PressAccessKey('i', window.focused())) << "no Install offered anywhere";
  EXPECT_TRUE(logic.PressAccessKey('a', window.focused()));
  EXPECT_EQ(window.about_openings(), 1);
  EXPECT_EQ(window.focused(), ControlId::kPictureAbout);
  EXPECT_TRUE(logic.PressAccessKey('X', window.focused()));
  EXPECT_TRUE(window.closed());
}

TEST(FirstRunTest, CommandLineScanNeverAsksNorWrites) {
  Tree tree;
  tree.Marker().Record("[Options]\r\nFirst Time=1\r\n");
  MemoryRegistry registry(kSim);
  RecordingShell shell;
  RecordingWindow window;
  MainWindowLogic logic(window, tree.fs, registry, shell);
  MainWindowLogic::ScanOptions options;
  options.ask_first_run = false;
  logic.StartupScan(options);
  EXPECT_EQ(window.questions_asked(), 0);
  EXPECT_EQ(ReadRecord(tree.fs, "Options", "First Time"), "1");
}

TEST(RegistryTest, MissingOrEmptySimulatorFolderShowsOnlyThatAndWritesNothing) {
  MemoryRegistry missing("", false);
  MemoryRegistry empty("");
  MemoryRegistry nul_first(std::string("\0/sim", 5));
  for (Registry* registry : std::initializer_list<Registry*>{&missing, &empty, &nul_first}) {
    Tree tree;
    tree.AllFamilies().Marker().Record(RecordText(1, 1, 1, 1, 1));
    tree.fs.ClearLog();
    RecordingWindow window;
    RecordingShell shell;
    MainWindowLogic logic(window, tree.fs, *registry, shell);
    logic.StartupScan();
    EXPECT_FALSE(logic.simulator_found());
    for (const Family* family : AllFamilies()) {
      ExpectGroup(logic, window, *family, {S::kAbsent, kNoSim, "hidden", "hidden", "none"});
    }
    EXPECT_EQ(window.questions_asked(), 0);
    for (const FileOperation& op : tree.fs.log()) {
      EXPECT_NE(op.kind, FileOperationKind::kReplace) << op.path;
    }
  }
}

TEST(RegistryTest, LongFolderIsReadWhole) {
  const std::string long_folder = "/" + std::string(300, 'f');
  MemoryFileSystem fs;
  fs.AddFolder(long_folder + "/Aircraft/PMDG737-700/panel");
  fs.AddFile(long_folder + "/QL/uninst.swi", "");
  RecordingWindow window;
  MemoryRegistry registry(long_folder);
  RecordingShell shell;
  MainWindowLogic logic(window, fs, registry, shell);
  logic.StartupScan();
  EXPECT_EQ(window.Caption(ControlId::kLabel3), long_folder);
  ExpectGroup(logic, window, PmdgFamily(), kOffered);
  EXPECT_TRUE(fs.HasFile(long_folder + "/QL/qlever2.con"));
}

TEST(ClickTest, ExitClosesAndAboutOpensModally) {
  Tree tree;
  RecordingWindow window;
  MemoryRegistry registry(kSim);
  RecordingShell shell;
  MainWindowLogic logic(window, tree.fs, registry, shell);
  logic.StartupScan();
  logic.Click(ControlId::kPictureAbout);
  logic.Click(ControlId::kPictureAbout);
  EXPECT_EQ(window.about_openings(), 2);
  EXPECT_FALSE(window.closed());
  logic.Click(ControlId::kClose);
  EXPECT_TRUE(window.closed());
}

// The window on simulators found in several places: the registry's /sim and other folders the
// finder names, with a remembered folder in memory.
struct Simulators {
  Simulators() {
    tree.Cheyenne().Atr().Marker().Record(RecordText(0, 0, 0, 0));
    tree.fs.AddFile("/other/QL/uninst.swi", "");
    tree.fs.AddFile("/other/Aircraft/Flight 1 ATR-72-500/panel/panel.cfg",
                    "[Window Titles]\r\nWindow00=Main\r\n");
    tree.fs.AddFolder("/empty");
    finder.SetHomeFolder("/home/ann");
    finder.SetBrowseStart("/home/ann/.wine/drive_c");
  }
  MainWindowLogic& Start() {
    logic = std::make_unique<MainWindowLogic>(window, tree.fs, finder, shell);
    logic->SetFolderMemory(&memory);
    logic->StartupScan();
    return *logic;
  }
  std::string FolderLine() const { return window.Caption(ControlId::kLabelFolder); }

  Tree tree;
  MemoryFinder finder{std::vector<FoundFolder>{{"/sim", "~/.wine"}, {"/other", "bottles:Modded"}}};
  MemoryFolderMemory memory;
  RecordingShell shell;
  RecordingWindow window;
  std::unique_ptr<MainWindowLogic> logic;
};

TEST(FolderLineTest, NamesTheFolderInUseAndWhereItWasFound) {
  struct Case {
    const char* name;
    std::vector<FoundFolder> found;
    const char* remembered;
    const char* line;
    const char* remembered_after;
  };
  const Case cases[] = {
      {"found", {{"/sim", "~/.wine"}}, "", "Simulator folder (~/.wine): /sim", ""},
      {"chosen before",
       {{"/sim", "~/.wine"}},
       "/other",
       "Simulator folder (chosen): /other",
       "/other"},
      {"chosen folder gone",
       {{"/sim", "~/.wine"}},
       "/gone",
       "The folder chosen before, /gone, no longer exists, so it has been forgotten. Simulator "
       "folder (~/.wine): /sim",
       ""},
      {"chosen folder no simulator",
       {},
       "/empty",
       "The folder chosen before, /empty, no longer holds Flight Simulator 9.0 (it has no "
       "Aircraft folder), so it has been forgotten. Choose the folder Flight Simulator 9.0 is "
       "installed in.",
       ""},
      {"nothing found",
       {{"/empty", "proton:7"}},
       "",
       "Choose the folder Flight Simulator 9.0 is installed in.",
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Simulators sims;
    sims.finder.Set(c.found);
    sims.memory.Save(c.remembered);
    MainWindowLogic& logic = sims.Start();
    EXPECT_EQ(sims.FolderLine(), c.line);
    EXPECT_EQ(sims.memory.Load(), c.remembered_after);
    EXPECT_TRUE(sims.window.IsVisible(ControlId::kLabelFolder));
    EXPECT_TRUE(sims.window.IsVisible(ControlId::kChooseFolder)) << "offered at any time";
    if (!logic.simulator_found()) {
      ExpectGroup(logic, sims.window, AtrFamily(),
                  {S::kAbsent, kNoSim, "hidden", "hidden", "none"});
    }
  }
}

TEST(FolderLineTest, ShortensALongFolderAndShowsHomeAsTilde) {
  const std::string sim =
      "/home/ann/.local/share/bottles/bottles/FS2004/drive_c/Program "
      "Files/Microsoft Games/Flight Simulator 9";
  Simulators sims;
  sims.tree.fs.AddFolder(sim + "/Aircraft");
  sims.finder.Set({{sim, "bottles:FS2004"}});
  sims.Start();
  EXPECT_EQ(sims.FolderLine(),
            "Simulator folder (bottles:FS2004): ~/.local/.../Program Files/Microsoft "
            "Games/Flight Simulator 9");
  EXPECT_EQ(sims.window.Caption(ControlId::kLabel3), sim) << "the folder itself is whole";
}

TEST(ChooseFolderTest, SeveralSimulatorsArePickedFromAListAndThePickIsRemembered) {
  Simulators sims;
  MainWindowLogic& logic = sims.Start();
  EXPECT_EQ(sims.window.Caption(ControlId::kLabel3), "/sim");

  sims.window.SetListAnswer(-1);  // cancelled: nothing changes
  EXPECT_TRUE(logic.Click(ControlId::kChooseFolder));
  EXPECT_EQ(sims.window.list_items(),
            (std::vector<std::string>{"/sim (~/.wine) - in use", "/other (bottles:Modded)",
                                      "Another folder..."}));
  EXPECT_EQ(sims.memory.Load(), "");
  EXPECT_EQ(sims.window.Caption(ControlId::kLabel3), "/sim");

  sims.window.SetListAnswer(1);
  EXPECT_TRUE(logic.Click(ControlId::kChooseFolder));
  EXPECT_EQ(sims.memory.Load(), "/other");
  EXPECT_EQ(sims.window.Caption(ControlId::kLabel3), "/other");
  EXPECT_EQ(sims.FolderLine(), "Simulator folder (chosen): /other");
  ExpectGroup(logic, sims.window, AtrFamily(), kOffered);
  ExpectGroup(logic, sims.window, CheyenneFamily(), kCheyenneAbsent);

  // The next start comes back to it; the list now starts with it.
  RecordingWindow next;
  MainWindowLogic again(next, sims.tree.fs, sims.finder, sims.shell);
  again.SetFolderMemory(&sims.memory);
  again.StartupScan();
  EXPECT_EQ(next.Caption(ControlId::kLabel3), "/other");
  again.Click(ControlId::kChooseFolder);
  EXPECT_EQ(next.list_items(), (std::vector<std::string>{"/other (chosen) - in use",
                                                         "/sim (~/.wine)", "Another folder..."}));
}

TEST(ChooseFolderTest, AnotherFolderOpensTheDialogAtTheFolderInUseAndMustHoldTheSimulator) {
  Simulators sims;
  MainWindowLogic& logic = sims.Start();
  sims.window.SetListAnswer(2);  // "Another folder..."

  sims.window.SetChosenFolder("");  // cancelled
  EXPECT_TRUE(logic.Click(ControlId::kChooseFolder));
  EXPECT_EQ(sims.window.folder_dialog_start(), "/sim");
  EXPECT_EQ(sims.memory.Load(), "");

  for (const char* not_simulator : {"/empty", "/nowhere"}) {
    sims.window.SetChosenFolder(not_simulator);
    EXPECT_FALSE(logic.Click(ControlId::kChooseFolder)) << not_simulator;
    EXPECT_EQ(sims.memory.Load(), "") << not_simulator;
    EXPECT_EQ(sims.window.Caption(ControlId::kLabel3), "/sim") << "the previous one stays";
  }
  EXPECT_EQ(sims.FolderLine(),
            "There is no folder /nowhere. Nothing was changed. Simulator folder (~/.wine): /sim");
  sims.window.SetChosenFolder("/empty");
  logic.Click(ControlId::kChooseFolder);
  EXPECT_EQ(sims.FolderLine(),
            "/empty does not hold Flight Simulator 9.0: it has no Aircraft folder. Nothing was "
            "changed. Simulator folder (~/.wine): /sim");
  ExpectGroup(logic, sims.window, CheyenneFamily(), kOffered);

  sims.window.SetChosenFolder("/other/");
  EXPECT_TRUE(logic.Click(ControlId::kChooseFolder));
  EXPECT_EQ(sims.memory.Load(), "/other/");
  EXPECT_EQ(sims.FolderLine(), "Simulator folder (chosen): /other");
}

TEST(ChooseFolderTest, WithOneOrNoSimulatorTheDialogOpensAtOnce) {
  Simulators sims;
  sims.finder.Set({});
  MainWindowLogic& logic = sims.Start();
  EXPECT_FALSE(logic.simulator_found());
  sims.window.SetChosenFolder("/sim");
  EXPECT_TRUE(logic.Click(ControlId::kChooseFolder));
  EXPECT_EQ(sims.window.folder_dialog_start(), "/home/ann/.wine/drive_c")
      << "nothing in use: the prefix's drive";
  EXPECT_TRUE(sims.window.list_items().empty());
  EXPECT_TRUE(logic.simulator_found());
  ExpectGroup(logic, sims.window, CheyenneFamily(), kOffered);

  sims.window.SetChosenFolder("/other");
  EXPECT_TRUE(logic.Click(ControlId::kChooseFolder));
  EXPECT_TRUE(sims.window.list_items().empty()) << "the chosen folder is the only one";
  EXPECT_EQ(sims.window.folder_dialog_start(), "/sim");
  EXPECT_EQ(sims.window.Caption(ControlId::kLabel3), "/other");
}

TEST(ChooseFolderTest, AChoiceThatCannotBeRememberedIsUsedAndSaidSo) {
  class FullMemory : public FolderMemory {
   public:
    std::string Load() override { return ""; }
    Status Save(const std::string& folder) override {
      return Status::Failed(ErrorKind::kDiskFull, "write", "/home/ann/.config/x" + folder);
    }
  } memory;
  Simulators sims;
  sims.finder.Set({});
  MainWindowLogic logic(sims.window, sims.tree.fs, sims.finder, sims.shell);
  logic.SetFolderMemory(&memory);
  logic.StartupScan();
  sims.window.SetChosenFolder("/sim");
  EXPECT_FALSE(logic.Click(ControlId::kChooseFolder));
  EXPECT_EQ(sims.window.Caption(ControlId::kLabel3), "/sim");
  EXPECT_EQ(sims.FolderLine(),
            "The folder is used, but it cannot be remembered for the next start: the disk is full. "
            "Simulator folder (chosen): /sim");
}

TEST(ChooseFolderTest, TheGivenFolderComesFirstUntilTheUserChoosesAnother) {
  Simulators sims;
  sims.memory.Save("/sim");
  MainWindowLogic logic(sims.window, sims.tree.fs, sims.finder, sims.shell);
  logic.SetFolderMemory(&sims.memory);
  logic.SetGivenFolder(std::string("/other"));
  logic.StartupScan();
  EXPECT_EQ(sims.FolderLine(), "Simulator folder (--sim-folder): /other");

  sims.window.SetListAnswer(1);  // /sim, the chosen one
  EXPECT_TRUE(logic.Click(ControlId::kChooseFolder));
  EXPECT_EQ(sims.window.Caption(ControlId::kLabel3), "/sim");
  EXPECT_EQ(sims.FolderLine(), "Simulator folder (chosen): /sim");

  // A given folder that is no simulator: none is used, and the line says why.
  RecordingWindow window;
  MainWindowLogic empty(window, sims.tree.fs, sims.finder, sims.shell);
  empty.SetGivenFolder(std::string("/empty"));
  empty.StartupScan();
  EXPECT_FALSE(empty.simulator_found());
  EXPECT_EQ(window.Caption(ControlId::kLabelFolder),
            "/empty does not hold Flight Simulator 9.0: it has no Aircraft folder. Choose the "
            "folder Flight Simulator 9.0 is installed in.");
  EXPECT_FALSE(window.IsVisible(ControlId::kChooseFolder)) << "no folder memory";
}

// The Cheyenne's procedure takes the folder afresh; it must find the one the user chose, not the
// registry's.
TEST(ChooseFolderTest, TheCheyenneInstallsInTheChosenFolder) {
  std::string panel = "[Window Titles]\r\nWindow00=Main\r\n";
  for (const char* section :
       {"Window00", "Window01", "Fixed Window30", "Fixed Window31", "Fixed Window32"}) {
    panel += std::string("[") + section + "]\r\ngauge00=A!B, 0,0,1,1\r\n";
  }
  Simulators sims;
  for (const PanelFile& file : CheyenneFamily().files) {
    sims.tree.fs.AddFile(JoinSimPath("/other", file.config, '/'), panel);
  }
  MainWindowLogic& logic = sims.Start();
  sims.window.SetListAnswer(1);
  ASSERT_TRUE(logic.Click(ControlId::kChooseFolder));
  ASSERT_TRUE(logic.Click(ControlId::kAdd)) << sims.window.Caption(ControlId::kLabel1);
  EXPECT_TRUE(sims.tree.fs.HasFile("/other/QL/qlever2.con"));
  EXPECT_TRUE(sims.tree.fs.HasFile(
      "/other/Aircraft/Digital Aviation PA31T1 Cheyenne I/panel/panel.backup"));
  EXPECT_FALSE(
      sims.tree.fs.HasFile("/sim/Aircraft/Digital Aviation PA31T1 Cheyenne I/panel/panel.backup"));
}

// A write Windows refuses under Program Files offers a restart as administrator on the same
// folder.
TEST(ElevatedRestartTest, ARefusedWriteOffersARestartOnTheSameFolder) {
  struct Case {
    const char* name;
    bool elevated;
    bool answer;
    Status restart;
    bool asked;
    bool restarted;
    bool closed;
  };
  const Case cases[] = {
      {"yes", false, true, Status::Ok(), true, true, true},
      {"no", false, false, Status::Ok(), true, false, false},
      {"declined at the prompt", false, true,
       Status::Fail(ErrorKind::kPermissionDenied, "the administrator prompt was declined", ""),
       true, true, false},
      {"elevated already", true, true, Status::Ok(), false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Tree tree;
    tree.Atr(
            "[Window Titles]\r\nWindow00=Main\r\n[Window00]\r\ngauge00=a!b, 1,2,3,4\r\n"
            "[Window01]\r\n[Fixed Window38]\r\n[Fixed Window39]\r\n")
        .Marker()
        .Record(RecordText(0, 0, 0, 0));
    tree.fs.SetFaultHook([](const FileOperation& operation) {
      if (operation.kind == FileOperationKind::kRead) return Status::Ok();
      return Status::Failed(ErrorKind::kPermissionDenied, "write", operation.path,
                            std::string(kProgramFilesCause));
    });
    MemoryRegistry registry(kSim);
    RecordingShell shell;
    RecordingWindow window;
    window.SetAnswer(c.answer);
    RecordingElevation elevation(c.elevated, true);
    elevation.SetRestartResult(c.restart);
    MainWindowLogic logic(window, tree.fs, registry, shell);
    logic.SetElevation(&elevation);
    logic.StartupScan();
    EXPECT_FALSE(logic.Click(ControlsOf(AtrFamily()).install));
    EXPECT_NE(window.Caption(ControlsOf(AtrFamily()).status).find(kProgramFilesCause),
              std::string::npos)
        << window.Caption(ControlsOf(AtrFamily()).status);
    EXPECT_EQ(window.questions_asked(), c.asked ? 1 : 0);
    using Restarts = std::vector<std::vector<std::string>>;
    const Restarts expected = c.restarted ? Restarts{{"--sim-folder", kSim}} : Restarts{};
    EXPECT_EQ(elevation.restarts(), expected);
    EXPECT_EQ(window.closed(), c.closed);
    if (c.restarted && !c.closed) {
      EXPECT_EQ(window.Caption(ControlId::kLabelFolder),
                "The Configurator was not started again as administrator: the administrator "
                "prompt was declined. Simulator folder (registry): /sim");
    }
  }
}

}  // namespace
}  // namespace ql2
