// The click harness: a simulator tree in memory with the gauge package in place, the program
// started on it, clicks made as a user makes them, and generated panel files for every family
// with what an installation must make of them. The click tests share it.
#pragma once

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/recording_window.h"
#include "lookalike/lookalike_panel.h"
#include "platform/memory_file_system.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/sim_path.h"

namespace ql2 {
namespace click_harness {

using lookalike::PanelEdits;
using lookalike::PanelLayout;
using lookalike::RenderPanel;
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
inline std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// The texts an installation appends, line for line as the aircraft's tables give them.
inline std::string CheyenneWindow(const std::string& name) {
  return Lines({"", "[" + name + "]", "Background_color=0,0,0", "size_mm=1280,960",
                "window_size_ratio=1.000", "position=0", "Visible=0", "ident=80",
                "window_size=1.000, 1.000", "window_pos=0.000, 0.000", "",
                "gauge00=QLever2!Cp6uja,  0,0,30,30   //Quillever gauge by Tamsel"});
}

inline std::string AtrWindow(const std::string& name) {
  return Lines({"", "[" + name + "]", "Background_color=0,0,0", "size_mm=1024,768",
                "window_size_ratio=1.000", "position=0", "Visible=0", "ident=80",
                "window_size=1.000, 1.000", "window_pos=0.000, 0.000", "",
                "gauge00=QLever2!Cp6uja,  0,0,19,19   //Quillever gauge by Tamsel"});
}

inline std::string PicWindow(const std::string& name) {
  return Lines({"", "[" + name + "]", "Background_color=0,0,0", "size_mm=48,164",
                "window_size_ratio=1.000", "position=0", "Visible=0", "ident=80",
                "window_size= 0.030, 0.137", "window_pos=0.000, 0.000", "",
                "gauge00=QLever2!Cp6uja,  0,141,22,22   //Quillever gauge by Tamsel"});
}

inline std::string PmdgWindows(const std::string& first, const std::string& second) {
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

inline const Group kCheyenne{
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
inline const Group kAtr{"ATR",
                        C::kLabelAtr,
                        C::kInstallAtr,
                        C::kRemoveAtr,
                        C::kPictureAtrNot,
                        C::kPictureInsAtr,
                        C::kPictureCorAtr,
                        {"The gauge has been installed successfully."},
                        {"The gauge has been removed successfully."},
                        false};
inline const Group kPmdg{"PMDG",
                         C::kLabelPmdg,
                         C::kInstallPmdg,
                         C::kRemovePmdg,
                         C::kPicturePmdgNot,
                         C::kPictureInsPmdg,
                         C::kNone,
                         {"The gauge has been installed successfully."},
                         {"The gauge has been removed successfully."},
                         true};
inline const Group kPic{"PIC",
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
inline std::vector<std::string> Differences(const Tree& a, const Tree& b) {
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

inline std::vector<std::string> BackupsIn(const Tree& tree) {
  std::vector<std::string> backups;
  for (const auto& [path, bytes] : tree) {
    if (path.find("backup") != std::string::npos) backups.push_back(path);
  }
  return backups;
}

// What a group shows: visibility and enabled state of its buttons and icons, button captions.
inline std::string Controls(const RecordingWindow& window, const Group& group) {
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

inline void ExpectNotInstalled(const RecordingWindow& w, const Group& g) {
  EXPECT_EQ(w.Caption(g.status), "Quillever2 gauge is not installed.");
  EXPECT_TRUE(w.IsClickable(g.install));
  EXPECT_EQ(w.Caption(g.install), "Install");
  EXPECT_TRUE(w.IsVisible(g.remove));
  EXPECT_FALSE(w.IsEnabled(g.remove));
  EXPECT_TRUE(w.IsVisible(g.not_installed_icon));
  EXPECT_FALSE(w.IsVisible(g.installed_icon));
}

inline void ExpectInstalledDisplay(const RecordingWindow& w, const Group& g) {
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
inline void ExpectRemovedDisplay(const RecordingWindow& w, const Group& g) {
  EXPECT_EQ(w.Caption(g.status), g.remove_texts.back());
  EXPECT_TRUE(w.IsClickable(g.install));
  EXPECT_TRUE(w.IsVisible(g.remove));
  EXPECT_FALSE(w.IsEnabled(g.remove));
  EXPECT_FALSE(w.IsVisible(g.installed_icon));
  // A state shown by nothing would say nothing: the removal shows the not-installed icon.
  EXPECT_TRUE(w.IsVisible(g.not_installed_icon));
}

// Install, remove, install again on the scenario's tree.
inline void RunCycle(const Scenario& s) {
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

inline PanelCase CheyenneRow(int row) {
  static const char* const kModels[] = {"PA31T1 Cheyenne I", "PA31T1 Cheyenne IA",
                                        "PA31T Cheyenne II", "PA31T2 Cheyenne IIXL"};
  static const char* const kVariants[] = {"panel", "panel.ifrvfr", "panel.vfr"};
  const std::string folder = std::string("\\Aircraft\\Digital Aviation ") + kModels[(row - 1) / 3] +
                             "\\" + kVariants[(row - 1) % 3] + "\\";
  return {folder + "panel.cfg", folder + "panel.backup", {}, {}};
}

inline bool IsVfrRow(int row) {
  return row % 3 == 0;
}

inline PanelLayout CheyenneLayout(int titles, int window00, int fixed30, int fixed31) {
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

inline Scenario CheyenneScenario(const CheyenneCase& c) {
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

inline std::vector<CheyenneCase> CheyenneCases() {
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

// --- ATR 72-500 ---------------------------------------------------------------------------------

constexpr char kAtrConfig[] = "\\Aircraft\\Flight 1 ATR-72-500\\panel\\panel.cfg";
constexpr char kAtrBackup[] = "\\Aircraft\\Flight 1 ATR-72-500\\panel\\panel.cfg.backup";

inline PanelLayout AtrLayout(int titles, int window00, int fixed38) {
  return {titles,
          {{"Window00", window00},
           {"Window01", 3},
           {"Fixed Window38", fixed38},
           {"Fixed Window39", 2}}};
}

inline PanelCase AtrFile(const PanelLayout& layout, const std::string& window,
                         const std::string& window00_key, const std::string& fixed38_key) {
  return {kAtrConfig,
          kAtrBackup,
          layout,
          {{{"Window Titles", window, "Quillever"},
            {"Window00", window00_key, kAtrGauge},
            {"Fixed Window38", fixed38_key, kAtrGauge}},
           AtrWindow(window)}};
}

inline std::vector<Scenario> AtrScenarios() {
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

// --- Boeing 737 Classics ------------------------------------------------------------------------

inline std::string PicConfig(const std::string& model) {
  return "\\Aircraft\\feelThere pic 737-" + model + "\\panel\\panel.cfg";
}

inline PanelLayout PicLayout(int titles, int window08) {
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

inline Scenario PicScenario(const PicCase& c) {
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

// --- Boeing 737NG -------------------------------------------------------------------------------

inline std::string PmdgConfig(const std::string& model, const std::string& folder) {
  return "\\Aircraft\\PMDG737-" + model + "\\" + folder + "\\panel.cfg";
}

inline PanelLayout PmdgLayout(int titles) {
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

inline Scenario PmdgScenario(const PmdgCase& c) {
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

inline Scenario CheyenneWorkedExample() {
  return CheyenneScenario(CheyenneCases()[0]);
}

inline PanelCase* FindFile(Scenario& s, const std::string& config) {
  for (PanelCase& file : s.files) {
    if (file.config == config) return &file;
  }
  ADD_FAILURE() << "no file " << config;
  return &s.files[0];
}

inline const Family& FamilyOf(const Group& group) {
  for (const Family* family : AllFamilies()) {
    if (family->record_section == group.record_section) return *family;
  }
  return CheyenneFamily();
}

// One scenario per family, each with files laid out unlike the reference file, in the window's
// order: the Cheyenne's worked example, the ATR, the 737 Classics and the 737NG with their further
// models.
inline std::vector<Scenario> OneScenarioPerFamily() {
  return {CheyenneWorkedExample(), AtrScenarios()[0],
          PicScenario({"PIC full", true, PicLayout(9, 5), PicLayout(12, 7), PicLayout(3, 1),
                       "Window9", "gauge05", "Window9", "gauge07"}),
          PmdgScenario(
              {"PMDG full", true, 8, 11, 5, 0, "Window10", "Window11", "Window11", "Window12"})};
}

}  // namespace click_harness
}  // namespace ql2
