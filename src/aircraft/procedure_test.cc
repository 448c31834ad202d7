// The Install and Remove buttons of the four families, clicked through the main window's logic on
// generated simulator trees held in memory: the exact bytes of every panel file, the backups, the
// install record and the window's controls, and what a refused or failing click leaves behind.
#include <algorithm>
#include <functional>
#include <initializer_list>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "aircraft/panel_fixture.h"
#include "app/main_window.h"
#include "app/recording_window.h"
#include "platform/memory_file_system.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/sim_path.h"

namespace ql2 {
namespace {

using fixture::PanelEdits;
using fixture::PanelLayout;
using fixture::RenderPanel;
using C = ControlId;

constexpr char kSim[] = "/sim";
constexpr char kRecordFile[] = "\\QL\\qlever2.con";
// The record as the gauge package ships it: nothing installed, no first-run question.
constexpr char kShippedRecord[] =
    "[Options]\r\nFirst Time=0\r\n"
    "[Cheyenne]\r\nInstalled=0\r\n"
    "[ATR]\r\nInstalled=0\r\n"
    "[PMDG]\r\nInstalled=0\r\n"
    "[PIC]\r\nInstalled=0\r\n";

// Lines, each ended by CR LF.
std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// The texts an installation appends, line for line as the aircraft's tables give them.
std::string CheyenneWindow(const std::string& name) {
  return Lines({"", "[" + name + "]", "Background_color=0,0,0", "size_mm=1280,960",
                "window_size_ratio=1.000", "position=0", "Visible=0", "ident=80",
                "window_size=1.000, 1.000", "window_pos=0.000, 0.000", "",
                "gauge00=QLever2!Cp6uja,  0,0,30,30   //Quillever gauge by Tamsel"});
}

std::string AtrWindow(const std::string& name) {
  return Lines({"", "[" + name + "]", "Background_color=0,0,0", "size_mm=1024,768",
                "window_size_ratio=1.000", "position=0", "Visible=0", "ident=80",
                "window_size=1.000, 1.000", "window_pos=0.000, 0.000", "",
                "gauge00=QLever2!Cp6uja,  0,0,19,19   //Quillever gauge by Tamsel"});
}

std::string PicWindow(const std::string& name) {
  return Lines({"", "[" + name + "]", "Background_color=0,0,0", "size_mm=48,164",
                "window_size_ratio=1.000", "position=0", "Visible=0", "ident=80",
                "window_size= 0.030, 0.137", "window_pos=0.000, 0.000", "",
                "gauge00=QLever2!Cp6uja,  0,141,22,22   //Quillever gauge by Tamsel"});
}

std::string PmdgWindows(const std::string& first, const std::string& second) {
  return Lines({"",
                "[" + first + "]",
                "Background_color=0,0,0",
                "size_mm=1280,960",
                "window_size_ratio=1.000",
                "position=0",
                "Visible=0",
                "ident=80",
                "window_size=1.000, 1.000",
                "window_pos=0.000, 0.000",
                "",
                "gauge00=QLever2!Cp6uja,  0,0,19,19   //Quillever gauge by Tamsel",
                "",
                "[" + second + "]",
                "Background_color=0,0,0",
                "size_mm=1280,960",
                "window_size_ratio=1.000",
                "position=0",
                "Visible=1",
                "ident=400",
                "window_size=1.000, 1.000",
                "window_pos=0.000, 0.000",
                "",
                "gauge00=QLever2!QL,  0,0,19,19   //Quillever gauge by Tamsel"});
}

constexpr char kCheyenneGauge[] = "QLever2!QL,  0,0,30,30   //Quillever gauge by Tamsel";
constexpr char kAtrGauge[] = "QLever2!QL,  0,0,19,19   //Quillever gauge by Tamsel";
constexpr char kPicGauge[] = "QLever2!QL,  0,141,22,22   //Quillever gauge by Tamsel";

// A family's group of controls and the texts and icons its State tables give.
struct Group {
  const char* record_section;
  C status, install, remove, not_installed_icon, installed_icon, edited_icon;
  std::vector<std::string> install_texts;  // the status line's texts during an installation
  std::vector<std::string> remove_texts;
  bool installed_icon_covers;  // the installation leaves the not-installed icon beneath it
};

const Group kCheyenne{
    "Cheyenne",
    C::kLabel1,
    C::kAdd,
    C::kRemoveCheyenne,
    C::kPictureCheNot,
    C::kPictureInsChe,
    C::kNone,
    {"Backing up files...", "Installing the gauge...", "The gauge has been installed."},
    {"Uninstalling...", "The gauge has been removed."},
    false};
const Group kAtr{"ATR",
                 C::kLabelAtr,
                 C::kInstallAtr,
                 C::kRemoveAtr,
                 C::kPictureAtrNot,
                 C::kPictureInsAtr,
                 C::kPictureCorAtr,
                 {"The gauge has been installed successfully."},
                 {"The gauge has been removed successfully."},
                 false};
const Group kPmdg{"PMDG",
                  C::kLabelPmdg,
                  C::kInstallPmdg,
                  C::kRemovePmdg,
                  C::kPicturePmdgNot,
                  C::kPictureInsPmdg,
                  C::kNone,
                  {"The gauge has been installed successfully."},
                  {"The gauge has been removed successfully."},
                  true};
const Group kPic{"PIC",
                 C::kLabelPic,
                 C::kInstallPic,
                 C::kRemovePic,
                 C::kPicturePicNot,
                 C::kPictureInsPic,
                 C::kNone,
                 {"The gauge has been installed successfully."},
                 {"The gauge has been removed successfully."},
                 false};

// One panel file of a tree: where it lies, what it holds, and what an installation adds to it
// (nothing: the installation must leave it and its backup name alone).
struct PanelCase {
  std::string config;
  std::string backup;
  PanelLayout layout;
  PanelEdits edits;
};

struct Scenario {
  std::string name;
  const Group* group;
  std::vector<PanelCase> files;
};

using Tree = std::map<std::string, std::string>;

// The simulator folder in memory, with the gauge package in place, and the program started on it.
class Simulator {
 public:
  explicit Simulator(const std::vector<PanelCase>& files) {
    fs.AddFile(Path(kRecordFile), kShippedRecord);
    fs.AddFile(Path("\\QL\\uninst.swi"), "");
    fs.AddFile(Path("\\QL\\readme2.htm"), "<html></html>");
    for (const PanelCase& file : files) fs.AddFile(Path(file.config), RenderPanel(file.layout));
  }

  static std::string Path(std::string_view relative) { return JoinSimPath(kSim, relative, '/'); }

  // A program start: a fresh window and its start-up scan.
  void Start() {
    window = std::make_unique<RecordingWindow>();
    logic = std::make_unique<MainWindowLogic>(*window, fs, registry, shell);
    logic->StartupScan();
  }

  // A click as the user makes it: only on a visible, enabled button. Returns the click's result
  // and the texts the status line showed meanwhile, in order.
  bool Click(C button, const Group& group, std::vector<std::string>* shown = nullptr) {
    EXPECT_TRUE(window->IsClickable(button)) << FindControl(button).name;
    std::size_t from = window->log().size();
    bool ok = logic->Click(button);
    const std::string prefix = "SetCaption " + std::string(FindControl(group.status).name) + " ";
    for (std::size_t i = from; shown && i < window->log().size(); ++i) {
      const std::string& entry = window->log()[i];
      if (entry.compare(0, prefix.size(), prefix) == 0)
        shown->push_back(entry.substr(prefix.size()));
    }
    return ok;
  }

  std::string Record(std::string_view section, std::string_view key) const {
    return profile::ReadString(fs.FileBytes(Path(kRecordFile)), section, key, "", 10);
  }
  void SetRecord(std::string_view section, std::string_view key, std::string_view value) {
    fs.AddFile(Path(kRecordFile),
               profile::WriteString(fs.FileBytes(Path(kRecordFile)), section, key, value));
  }
  std::string Bytes(std::string_view relative) const { return fs.FileBytes(Path(relative)); }
  bool Has(std::string_view relative) const { return fs.HasFile(Path(relative)); }

  Tree Snapshot() const {
    Tree tree;
    for (const auto& [path, file] : fs.files()) tree[path] = file.bytes;
    return tree;
  }

  MemoryFileSystem fs;
  MemoryRegistry registry{kSim};
  RecordingShell shell;
  std::unique_ptr<RecordingWindow> window;
  std::unique_ptr<MainWindowLogic> logic;
};

// The paths where two trees differ: changed, added or removed files.
std::vector<std::string> Differences(const Tree& a, const Tree& b) {
  std::vector<std::string> paths;
  for (const auto& [path, bytes] : a) {
    auto it = b.find(path);
    if (it == b.end() || it->second != bytes) paths.push_back(path);
  }
  for (const auto& [path, bytes] : b) {
    if (!a.count(path)) paths.push_back(path);
  }
  return paths;
}

std::vector<std::string> BackupsIn(const Tree& tree) {
  std::vector<std::string> backups;
  for (const auto& [path, bytes] : tree) {
    if (path.find("backup") != std::string::npos) backups.push_back(path);
  }
  return backups;
}

// What a group shows: visibility and enabled state of its buttons and icons, button captions.
std::string Controls(const RecordingWindow& window, const Group& group) {
  std::string text;
  for (C id : {group.install, group.remove, group.not_installed_icon, group.installed_icon,
               group.edited_icon}) {
    if (id == C::kNone) continue;
    const ControlState& state = window.State(id);
    text += std::string(FindControl(id).name) + (state.visible ? " shown" : " hidden") +
            (state.enabled ? " enabled" : " disabled") + " '" + state.caption + "'; ";
  }
  return text;
}

void ExpectNotInstalled(const RecordingWindow& w, const Group& g) {
  EXPECT_EQ(w.Caption(g.status), "Quillever2 gauge is not installed.");
  EXPECT_TRUE(w.IsClickable(g.install));
  EXPECT_EQ(w.Caption(g.install), "Install");
  EXPECT_TRUE(w.IsVisible(g.remove));
  EXPECT_FALSE(w.IsEnabled(g.remove));
  EXPECT_TRUE(w.IsVisible(g.not_installed_icon));
  EXPECT_FALSE(w.IsVisible(g.installed_icon));
}

void ExpectInstalledDisplay(const RecordingWindow& w, const Group& g) {
  EXPECT_EQ(w.Caption(g.status), g.install_texts.back());
  EXPECT_TRUE(w.IsVisible(g.install));
  EXPECT_FALSE(w.IsEnabled(g.install));
  EXPECT_TRUE(w.IsClickable(g.remove));
  EXPECT_TRUE(w.IsVisible(g.installed_icon));
  EXPECT_EQ(w.IsVisible(g.not_installed_icon), g.installed_icon_covers);
  if (g.edited_icon != C::kNone) {
    EXPECT_FALSE(w.IsVisible(g.edited_icon));
  }
}

// After a removal from a run that began NotInstalled.
void ExpectRemovedDisplay(const RecordingWindow& w, const Group& g) {
  EXPECT_EQ(w.Caption(g.status), g.remove_texts.back());
  EXPECT_TRUE(w.IsClickable(g.install));
  EXPECT_TRUE(w.IsVisible(g.remove));
  EXPECT_FALSE(w.IsEnabled(g.remove));
  EXPECT_FALSE(w.IsVisible(g.installed_icon));
  // A state shown by nothing would say nothing: the removal shows the not-installed icon.
  EXPECT_TRUE(w.IsVisible(g.not_installed_icon));
}

// Install, remove, install again on the scenario's tree.
void RunCycle(const Scenario& s) {
  const Group& g = *s.group;
  Simulator sim(s.files);
  sim.Start();
  ExpectNotInstalled(*sim.window, g);
  const Tree before = sim.Snapshot();

  std::vector<std::string> shown;
  ASSERT_TRUE(sim.Click(g.install, g, &shown)) << sim.window->Caption(g.status);
  EXPECT_EQ(shown, g.install_texts);
  // Nothing is touched but the handled files, their backups and the record.
  std::vector<std::string> touched = {Simulator::Path(kRecordFile)};
  for (const PanelCase& file : s.files) {
    if (file.edits.empty()) continue;
    touched.push_back(Simulator::Path(file.config));
    touched.push_back(Simulator::Path(file.backup));
  }
  std::sort(touched.begin(), touched.end());
  std::vector<std::string> changed = Differences(before, sim.Snapshot());
  std::sort(changed.begin(), changed.end());
  EXPECT_EQ(changed, touched);
  for (const PanelCase& file : s.files) {
    SCOPED_TRACE(file.config);
    const std::string original = RenderPanel(file.layout);
    if (file.edits.empty()) {
      EXPECT_EQ(sim.Bytes(file.config), original);
      EXPECT_FALSE(sim.Has(file.backup));
    } else {
      EXPECT_EQ(sim.Bytes(file.config), RenderPanel(file.layout, file.edits));
      EXPECT_EQ(sim.Bytes(file.backup), original);
    }
  }
  EXPECT_EQ(sim.Record(g.record_section, "Installed"), "1");
  ExpectInstalledDisplay(*sim.window, g);
  const Tree installed = sim.Snapshot();

  shown.clear();
  ASSERT_TRUE(sim.Click(g.remove, g, &shown)) << sim.window->Caption(g.status);
  EXPECT_EQ(shown, g.remove_texts);
  // Every panel file is its original again and no backup is left; the record, rewritten to 0, is
  // byte for byte the shipped one.
  EXPECT_EQ(Differences(before, sim.Snapshot()), std::vector<std::string>());
  EXPECT_EQ(sim.Record(g.record_section, "Installed"), "0");
  ExpectRemovedDisplay(*sim.window, g);

  ASSERT_TRUE(sim.Click(g.install, g)) << sim.window->Caption(g.status);
  EXPECT_EQ(Differences(installed, sim.Snapshot()), std::vector<std::string>());
}

// --- Piper Cheyenne ------------------------------------------------------------------------------

PanelCase CheyenneRow(int row) {
  static const char* const kModels[] = {"PA31T1 Cheyenne I", "PA31T1 Cheyenne IA",
                                        "PA31T Cheyenne II", "PA31T2 Cheyenne IIXL"};
  static const char* const kVariants[] = {"panel", "panel.ifrvfr", "panel.vfr"};
  const std::string folder = std::string("\\Aircraft\\Digital Aviation ") + kModels[(row - 1) / 3] +
                             "\\" + kVariants[(row - 1) % 3] + "\\";
  return {folder + "panel.cfg", folder + "panel.backup", {}, {}};
}

bool IsVfrRow(int row) {
  return row % 3 == 0;
}

PanelLayout CheyenneLayout(int titles, int window00, int fixed30, int fixed31) {
  return {titles,
          {{"Window00", window00},
           {"Window01", 4},
           {"Window02", 2},
           {"Fixed Window30", fixed30},
           {"Fixed Window31", fixed31},
           {"Fixed Window32", 3}}};
}

struct CheyenneCase {
  std::string name;
  PanelLayout reference;  // row 1
  PanelLayout others;     // the other panel and panel.ifrvfr rows
  PanelLayout vfr;        // the panel.vfr rows
  std::string window, fixed30_key, fixed31_key, window00_key;
  // The window's name in the other panel and panel.ifrvfr rows, where it differs: a file whose
  // own titles already use the reference file's name gets the next free one.
  std::string others_window = "";
};

Scenario CheyenneScenario(const CheyenneCase& c) {
  Scenario s{c.name, &kCheyenne, {}};
  for (int row = 1; row <= 12; ++row) {
    PanelCase file = CheyenneRow(row);
    file.layout = row == 1 ? c.reference : IsVfrRow(row) ? c.vfr : c.others;
    const bool other = row != 1 && !IsVfrRow(row) && !c.others_window.empty();
    const std::string window = other ? c.others_window : c.window;
    auto& e = file.edits.entries;
    e.push_back({"Window Titles", window, "Quillever"});
    e.push_back({"Fixed Window30", c.fixed30_key, kCheyenneGauge});
    if (!IsVfrRow(row)) e.push_back({"Fixed Window31", c.fixed31_key, kCheyenneGauge});
    e.push_back({"Window00", c.window00_key, kCheyenneGauge});
    file.edits.appended = CheyenneWindow(window);
    s.files.push_back(std::move(file));
  }
  return s;
}

std::vector<CheyenneCase> CheyenneCases() {
  return {
      // The worked example. The other files are laid out differently: they receive the names
      // worked out from the reference file, except where a name is already taken there (the
      // other panels' own titles run to Window15, so their gauge window is Window16); the
      // panel.vfr files, which have a [Fixed Window31] too, get no entry there.
      {"worked example", CheyenneLayout(14, 25, 12, 7), CheyenneLayout(16, 3, 4, 2),
       CheyenneLayout(11, 2, 1, 5), "Window14", "gauge12", "gauge7", "gauge25", "Window16"},
      // Single digits keep no leading zero; ten titles give Window10.
      {"nine titles", CheyenneLayout(9, 1, 5, 10), CheyenneLayout(9, 1, 5, 10),
       CheyenneLayout(9, 1, 5, 10), "Window9", "gauge5", "gauge10", "gauge1"},
      {"ten titles", CheyenneLayout(10, 8, 2, 3), CheyenneLayout(10, 8, 2, 3),
       CheyenneLayout(10, 8, 2, 3), "Window10", "gauge2", "gauge3", "gauge8"},
  };
}

TEST(CheyenneTest, InstallRemoveInstallOnGeneratedTrees) {
  for (const CheyenneCase& c : CheyenneCases()) {
    SCOPED_TRACE(c.name);
    RunCycle(CheyenneScenario(c));
  }
}

// --- ATR 72-500 ---------------------------------------------------------------------------------

constexpr char kAtrConfig[] = "\\Aircraft\\Flight 1 ATR-72-500\\panel\\panel.cfg";
constexpr char kAtrBackup[] = "\\Aircraft\\Flight 1 ATR-72-500\\panel\\panel.cfg.backup";

PanelLayout AtrLayout(int titles, int window00, int fixed38) {
  return {titles,
          {{"Window00", window00},
           {"Window01", 3},
           {"Fixed Window38", fixed38},
           {"Fixed Window39", 2}}};
}

PanelCase AtrFile(const PanelLayout& layout, const std::string& window,
                  const std::string& window00_key, const std::string& fixed38_key) {
  return {kAtrConfig,
          kAtrBackup,
          layout,
          {{{"Window Titles", window, "Quillever"},
            {"Window00", window00_key, kAtrGauge},
            {"Fixed Window38", fixed38_key, kAtrGauge}},
           AtrWindow(window)}};
}

std::vector<Scenario> AtrScenarios() {
  // A [Window02] between [Window00] and [Window01]: its gauge lines count for Window00's key.
  const PanelLayout unordered = {9,
                                 {{"Window00", 9},
                                  {"Window02", 3},
                                  {"Window01", 1},
                                  {"Fixed Window38", 4},
                                  {"Fixed Window39", 0}}};
  return {
      {"23 windows", &kAtr, {AtrFile(AtrLayout(23, 9, 6), "Window23", "gauge9", "gauge6")}},
      {"sections out of order", &kAtr, {AtrFile(unordered, "Window9", "gauge12", "gauge4")}},
  };
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
            "The gauge has been installed successfully. The copy of Aircraft\\Flight 1 "
            "ATR-72-500\\panel\\panel.cfg from before the first installation was kept as "
            "Aircraft\\Flight 1 ATR-72-500\\panel\\panel.cfg.before-quillever.");
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

// --- Boeing 737 Classics ------------------------------------------------------------------------

std::string PicConfig(const std::string& model) {
  return "\\Aircraft\\feelThere pic 737-" + model + "\\panel\\panel.cfg";
}

PanelLayout PicLayout(int titles, int window08) {
  return {titles, {{"Window00", 6}, {"Window08", window08}, {"Window09", 2}}};
}

struct PicCase {
  std::string name;
  bool full;  // the 737-400 is present: its and the 737-500's files are handled too
  PanelLayout layout300, layout400, layout500;
  std::string window, key;
  // The 737-400's window and key where they differ: names its file already uses are skipped.
  std::string window400 = "", key400 = "";
};

Scenario PicScenario(const PicCase& c) {
  Scenario s{c.name, &kPic, {}};
  auto add = [&](const std::string& model, const PanelLayout& layout, bool handled) {
    PanelCase file{PicConfig(model), PicConfig(model) + ".backup", layout, {}};
    const bool own = model == "400" && !c.window400.empty();
    const std::string window = own ? c.window400 : c.window;
    const std::string key = own ? c.key400 : c.key;
    if (handled) {
      file.edits = {{{"Window Titles", window, "Quillever"}, {"Window08", key, kPicGauge}},
                    PicWindow(window)};
    }
    s.files.push_back(std::move(file));
  };
  add("300", c.layout300, true);
  if (c.full) add("400", c.layout400, true);
  add("500", c.layout500, c.full);  // the 737-500's folder is never tested; it is simply there
  return s;
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

// --- Boeing 737NG -------------------------------------------------------------------------------

std::string PmdgConfig(const std::string& model, const std::string& folder) {
  return "\\Aircraft\\PMDG737-" + model + "\\" + folder + "\\panel.cfg";
}

PanelLayout PmdgLayout(int titles) {
  return {titles, {{"Window00", 8}, {"Window01", 3}}};
}

struct PmdgCase {
  std::string name;
  bool full;  // the 737-800's panel folder is present: its two files are handled too
  int titles700, titles700vc, titles800, titles800vc;
  std::string first, second;
  // The 737-700 virtual cockpit's names where they differ: names its file already uses are
  // skipped, and its second window stays above its first.
  std::string first_vc = "", second_vc = "";
};

Scenario PmdgScenario(const PmdgCase& c) {
  Scenario s{c.name, &kPmdg, {}};
  auto add = [&](const std::string& model, const std::string& folder, int titles, bool handled) {
    const std::string config = PmdgConfig(model, folder);
    PanelCase file{config, config + ".backup", PmdgLayout(titles), {}};
    const bool own = model == "700" && folder == "panel.VC" && !c.first_vc.empty();
    const std::string first = own ? c.first_vc : c.first;
    const std::string second = own ? c.second_vc : c.second;
    if (handled) {
      file.edits = {{{"Window Titles", first, "Quillever"}, {"Window Titles", second, "QL"}},
                    PmdgWindows(first, second)};
    }
    s.files.push_back(std::move(file));
  };
  add("700", "panel", c.titles700, true);
  add("700", "panel.VC", c.titles700vc, true);
  // Without the 737-800's panel folder its virtual cockpit may still be there, untouched.
  if (c.full) add("800", "panel", c.titles800, true);
  add("800", "panel.VC", c.titles800vc, c.full);
  return s;
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

Scenario CheyenneWorkedExample() {
  return CheyenneScenario(CheyenneCases()[0]);
}

PanelCase* FindFile(Scenario& s, const std::string& config) {
  for (PanelCase& file : s.files) {
    if (file.config == config) return &file;
  }
  ADD_FAILURE() << "no file " << config;
  return &s.files[0];
}

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
  std::vector<fixture::WindowSectionLayout>& row8 =
      FindFile(without_section, CheyenneRow(8).config)->layout.sections;
  row8.erase(row8.begin() + 4);  // [Fixed Window31]

  const std::vector<RefusalCase> cases = {
      {"a Cheyenne file missing in the middle of the list", CheyenneWorkedExample(), false,
       [](Simulator& sim) {
         ASSERT_TRUE(sim.fs.DeleteFile(Simulator::Path(CheyenneRow(5).config)).ok());
       },
       "Cannot install: Aircraft\\Digital Aviation PA31T1 Cheyenne IA\\panel.ifrvfr\\panel.cfg is "
       "missing."},
      {"a stop line missing in the reference file", without_stop, false, nullptr,
       "Cannot install: Aircraft\\Flight 1 ATR-72-500\\panel\\panel.cfg has no [Fixed Window39] "
       "section after [Fixed Window38]."},
      {"a target section missing in one file", without_section, false, nullptr,
       "Cannot install: Aircraft\\Digital Aviation PA31T Cheyenne II\\panel.ifrvfr\\panel.cfg has "
       "no [Fixed Window31] section."},
      {"a read-only panel file",
       PicScenario(
           {"", true, PicLayout(9, 5), PicLayout(9, 5), PicLayout(9, 5), "Window9", "gauge05"}),
       false,
       [](Simulator& sim) { sim.fs.FindFile(Simulator::Path(PicConfig("500")))->read_only = true; },
       "Cannot install: Aircraft\\feelThere pic 737-500\\panel\\panel.cfg is read-only."},
      {"a backup missing at removal", CheyenneWorkedExample(), true,
       [](Simulator& sim) {
         ASSERT_TRUE(sim.fs.DeleteFile(Simulator::Path(CheyenneRow(7).backup)).ok());
       },
       "The files changed since this window last looked at them, so nothing was done. "
       "Aircraft\\Digital Aviation PA31T Cheyenne II\\panel\\panel.backup is missing although the "
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
       "Aircraft\\PMDG737-700\\panel.VC\\panel.cfg.backup is missing although the gauge is "
       "installed: a removal did not finish. Click Remove to put back the files that still have a "
       "backup.",
       true},
      // Rewriting the record puts its new bytes beside it first, so an existing record in a
      // folder that cannot be written is refused before the first change, like a missing one.
      {"a record folder that cannot be written", CheyenneWorkedExample(), true,
       [](Simulator& sim) { sim.fs.SetFolderWritable(Simulator::Path("\\QL"), false); },
       "Cannot remove: the folder QL cannot be written: permission denied."},
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

// --- Failures midway ----------------------------------------------------------------------------

bool Changes(FileOperationKind kind) {
  return kind == FileOperationKind::kReplace || kind == FileOperationKind::kCopy ||
         kind == FileOperationKind::kDelete;
}

// The file a failed operation's status line names: the panel file for a backup or a restore (the
// copy's source or destination), else the file operated on; relative to the simulator folder.
std::string NamedFile(const FileOperation& op, bool removal) {
  std::string path = op.kind == FileOperationKind::kCopy && removal ? op.second_path : op.path;
  std::string relative = path.substr(std::string(kSim).size() + 1);
  for (char& c : relative) {
    if (c == '/') c = '\\';
  }
  return relative;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The k-th change of a click fails (a full disk; a delete of a file in use): every file the click
// changed so far is put back, nothing is recorded, the buttons stay, and a retry then succeeds.
void RunFaultsAtEveryStep(const Scenario& s, bool removal) {
  const Group& g = *s.group;
  Tree done;  // the tree a successful click leaves
  {
    Simulator sim(s.files);
    sim.Start();
    if (removal) {
      ASSERT_TRUE(sim.Click(g.install, g));
    }
    ASSERT_TRUE(sim.Click(removal ? g.remove : g.install, g));
    done = sim.Snapshot();
  }
  int changes = 0;
  for (int k = 1;; ++k) {
    SCOPED_TRACE("failing change " + std::to_string(k));
    ASSERT_LT(k, 200);
    Simulator sim(s.files);
    sim.Start();
    if (removal) {
      ASSERT_TRUE(sim.Click(g.install, g));
    }
    const Tree before = sim.Snapshot();
    const std::string controls = Controls(*sim.window, g);

    int seen = 0;
    std::unique_ptr<FileOperation> failed;
    sim.fs.SetFaultHook([&](const FileOperation& op) {
      if (!Changes(op.kind) || ++seen != k) return Status::Ok();
      failed = std::make_unique<FileOperation>(op);
      ErrorKind kind =
          op.kind == FileOperationKind::kDelete ? ErrorKind::kInUse : ErrorKind::kDiskFull;
      return Status::Failed(kind, "write", op.path);
    });
    const C button = removal ? g.remove : g.install;
    const bool ok = sim.Click(button, g);
    sim.fs.SetFaultHook(nullptr);
    if (!failed) {  // k is past the click's last change
      EXPECT_TRUE(ok);
      break;
    }
    ++changes;
    EXPECT_FALSE(ok);
    EXPECT_EQ(Differences(before, sim.Snapshot()), std::vector<std::string>());
    EXPECT_EQ(Controls(*sim.window, g), controls);
    const std::string status = sim.window->Caption(g.status);
    const std::string cause = failed->kind == FileOperationKind::kDelete
                                  ? "the file is in use by another program"
                                  : "the disk is full";
    EXPECT_EQ(status.rfind(removal ? "Cannot remove: " : "Cannot install: ", 0), 0u) << status;
    EXPECT_TRUE(Contains(status, NamedFile(*failed, removal))) << status;
    EXPECT_TRUE(Contains(status, cause)) << status;
    EXPECT_FALSE(Contains(status, kSim)) << status;

    ASSERT_TRUE(sim.Click(button, g)) << sim.window->Caption(g.status);
    EXPECT_EQ(Differences(done, sim.Snapshot()), std::vector<std::string>());
  }
  EXPECT_GT(changes, 0);
}

TEST(FaultTest, AFailingChangeUndoesTheWholeClick) {
  const std::vector<Scenario> scenarios = {
      CheyenneWorkedExample(),
      AtrScenarios()[0],
      PicScenario({"PIC full", true, PicLayout(9, 5), PicLayout(12, 7), PicLayout(3, 1), "Window9",
                   "gauge05", "Window9", "gauge07"}),
      PmdgScenario(
          {"PMDG full", true, 8, 11, 5, 0, "Window10", "Window11", "Window11", "Window12"}),
  };
  for (const Scenario& s : scenarios) {
    for (bool removal : {false, true}) {
      SCOPED_TRACE(s.group->record_section + std::string(removal ? " removal" : " installation"));
      RunFaultsAtEveryStep(s, removal);
    }
  }
}

// --- Every file operation failing, or the program stopping dead --------------------------------

struct FaultTotals {
  int points = 0;      // clicks run with one fault
  int files_lost = 0;  // panel files afterwards in neither the state before the click nor after
};

const Family& FamilyOf(const Group& group) {
  for (const Family* family : AllFamilies()) {
    if (family->record_section == group.record_section) return *family;
  }
  return CheyenneFamily();
}

// Counts the panel files of the tree whose bytes are neither those before the click nor those a
// finished click leaves.
int LostFiles(const Scenario& s, const Tree& tree, const Tree& before, const Tree& done) {
  int lost = 0;
  for (const PanelCase& file : s.files) {
    const std::string path = Simulator::Path(file.config);
    auto it = tree.find(path);
    const std::string* bytes = it == tree.end() ? nullptr : &it->second;
    auto matches = [&](const Tree& other) {
      auto found = other.find(path);
      return bytes != nullptr && found != other.end() && found->second == *bytes;
    };
    if (!matches(before) && !matches(done)) ++lost;
  }
  return lost;
}

// Runs the click with the k-th file operation (reads and checks included) failing with each kind
// of error, and with the program stopping dead at the k-th operation (every later operation fails
// and nothing it does reaches the disk), then starting again and finishing with the recovery.
void ExhaustFaults(const Scenario& s, bool removal, FaultTotals* totals) {
  const Group& g = *s.group;
  const Family& family = FamilyOf(g);
  const C button = removal ? g.remove : g.install;
  auto prepared = [&] {
    auto sim = std::make_unique<Simulator>(s.files);
    sim->Start();
    if (removal) {
      EXPECT_TRUE(sim->Click(g.install, g));
    }
    return sim;
  };
  Tree before, done;
  int operations = 0;
  {
    auto sim = prepared();
    before = sim->Snapshot();
    sim->fs.ClearLog();
    EXPECT_TRUE(sim->Click(button, g));
    operations = static_cast<int>(sim->fs.log().size());
    done = sim->Snapshot();
  }
  // After a removal, the files are as they were before the installation.
  const Tree& finished = done;

  for (ErrorKind kind : {ErrorKind::kDiskFull, ErrorKind::kPermissionDenied, ErrorKind::kInUse}) {
    for (int k = 1; k <= operations; ++k) {
      SCOPED_TRACE(std::string(DescribeErrorKind(kind)) + " at operation " + std::to_string(k));
      auto sim = prepared();
      int seen = 0;
      sim->fs.SetFaultHook([&](const FileOperation& op) {
        return ++seen == k ? Status::Failed(kind, "use", op.path) : Status::Ok();
      });
      bool ok = sim->logic->Click(button);
      sim->fs.SetFaultHook(nullptr);
      const Tree after = sim->Snapshot();
      ++totals->points;
      totals->files_lost += LostFiles(s, after, before, finished);
      // A failed click leaves the tree as it was; one that got past its fault finished.
      EXPECT_EQ(Differences(ok ? finished : before, after), std::vector<std::string>());
    }
  }

  for (int k = 1; k <= operations; ++k) {
    SCOPED_TRACE("stopped dead at operation " + std::to_string(k));
    auto sim = prepared();
    int seen = 0;
    sim->fs.SetFaultHook([&](const FileOperation& op) {
      return ++seen >= k ? Status::Failed(ErrorKind::kOther, "use", op.path) : Status::Ok();
    });
    sim->logic->Click(button);
    sim->fs.SetFaultHook(nullptr);
    ++totals->points;

    // The next start shows what the disk holds; Remove finishes an interrupted change.
    sim->Start();
    FamilyDisplayState state = sim->logic->StateOf(family);
    if (state == FamilyDisplayState::kInterruptedInstall ||
        state == FamilyDisplayState::kInterruptedRemove ||
        (removal && state == FamilyDisplayState::kInstalled)) {
      EXPECT_TRUE(sim->Click(g.remove, g)) << sim->window->Caption(g.status);
      sim->Start();
      state = sim->logic->StateOf(family);
    }
    const Tree after = sim->Snapshot();
    totals->files_lost += LostFiles(s, after, before, finished);
    // The record agrees with the files: installed exactly when the installation finished.
    if (state == FamilyDisplayState::kInstalled) {
      EXPECT_FALSE(removal);
      EXPECT_EQ(Differences(done, after), std::vector<std::string>());
    } else {
      EXPECT_EQ(state, FamilyDisplayState::kNotInstalled);
      const Tree& original = removal ? finished : before;
      EXPECT_EQ(Differences(original, after), std::vector<std::string>());
    }
  }
}

TEST(FaultInjectionTest, NoFileIsLostWhateverOperationFailsOrWhereverTheProgramStops) {
  const std::vector<Scenario> scenarios = {
      CheyenneWorkedExample(),
      AtrScenarios()[0],
      PicScenario({"PIC full", true, PicLayout(9, 5), PicLayout(12, 7), PicLayout(3, 1), "Window9",
                   "gauge05", "Window9", "gauge07"}),
      PmdgScenario(
          {"PMDG full", true, 8, 11, 5, 0, "Window10", "Window11", "Window11", "Window12"}),
  };
  FaultTotals totals;
  for (const Scenario& s : scenarios) {
    for (bool removal : {false, true}) {
      SCOPED_TRACE(s.group->record_section + std::string(removal ? " removal" : " installation"));
      ExhaustFaults(s, removal, &totals);
    }
  }
  std::cout << "fault points: " << totals.points << ", files lost: " << totals.files_lost << "\n";
  EXPECT_EQ(totals.files_lost, 0);
  EXPECT_GT(totals.points, 0);
}

}  // namespace
}  // namespace ql2
