// Life after an installation, for every family: what happens to a panel file between Install and
// Remove in a real installation (its owner edits it, another installer adds its window, the add-on
// is reinstalled, an editor saves it with other line ends), and what a removal, a repair and the
// next start make of it. Nothing the program did not write may be lost.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "app/click_harness.h"
#include "app/texts.h"

namespace ql2 {
namespace {

using namespace click_harness;

// The first file of a scenario the installation edits: the reference file.
const PanelCase& Reference(const Scenario& s) {
  return s.files[0];
}

PanelEdits With(PanelEdits edits, const std::vector<PanelEdits::Entry>& before) {
  edits.entries.insert(edits.entries.begin(), before.begin(), before.end());
  return edits;
}

const PanelEdits::Entry kOwnersEdit{"VIEWS", "VIEW_FORWARD_DIR", "0.000, 0.000, 0.000"};
const PanelEdits::Entry kOthersTitle{"Window Titles", "Window40", "Other Gauge"};
const char kOthersWindow[] = "\r\n[Window40]\r\ngauge00=Other!Gauge,  0,0,10,10\r\n";

struct LifeCase {
  const char* name;
  // What happens to the installed reference file (or to every file of the family).
  std::function<void(Simulator&, const Scenario&)> change;
  FamilyDisplayState state_at_restart;
  // The reference file after Remove, and whether its backup is then kept beside it.
  std::function<std::string(const PanelCase&)> after_remove;
  bool keeps_backup;
};

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

std::vector<LifeCase> LifeCases() {
  auto reference_path = [](const Scenario& s) { return Simulator::Path(Reference(s).config); };
  return {
      {"the owner edits the file elsewhere",
       [=](Simulator& sim, const Scenario& s) {
         sim.fs.AddFile(reference_path(s),
                        profile::WriteString(sim.Bytes(Reference(s).config), kOwnersEdit.section,
                                             kOwnersEdit.key, kOwnersEdit.value));
       },
       FamilyDisplayState::kInstalled,
       [](const PanelCase& file) {
         return RenderPanel(file.layout, {{kOwnersEdit}, ""});
       },
       true},
      {"another installer adds its title and window after ours",
       [=](Simulator& sim, const Scenario& s) {
         std::string bytes = sim.Bytes(Reference(s).config);
         bytes = profile::WriteString(bytes, kOthersTitle.section, kOthersTitle.key,
                                      kOthersTitle.value);
         sim.fs.AddFile(reference_path(s), bytes + kOthersWindow);
       },
       FamilyDisplayState::kInstalled,
       [](const PanelCase& file) {
         return RenderPanel(file.layout, {{kOthersTitle}, kOthersWindow});
       },
       true},
      {"a gauge of ours is moved by hand",
       [=](Simulator& sim, const Scenario& s) {
         // "QLever2!QL,  0,0,..." becomes "QLever2!QL,  10,0,...".
         std::string bytes = sim.Bytes(Reference(s).config);
         bytes.insert(bytes.find("QLever2!QL,  ") + 13, "1");
         sim.fs.AddFile(reference_path(s), bytes);
       },
       FamilyDisplayState::kInstalled,
       [](const PanelCase& file) { return RenderPanel(file.layout); }, false},
      {"an editor saves the file with LF line ends",
       [=](Simulator& sim, const Scenario& s) {
         sim.fs.AddFile(reference_path(s), Replaced(sim.Bytes(Reference(s).config), "\r\n", "\n"));
       },
       FamilyDisplayState::kInstalled,
       [](const PanelCase& file) { return Replaced(RenderPanel(file.layout), "\r\n", "\n"); },
       true},
      {"the add-on is reinstalled",
       [](Simulator& sim, const Scenario& s) {
         for (const PanelCase& file : s.files) {
           sim.fs.AddFile(Simulator::Path(file.config),
                          RenderPanel(file.layout, {{kOwnersEdit}, ""}));
         }
       },
       FamilyDisplayState::kEdited,
       [](const PanelCase& file) {
         return RenderPanel(file.layout, {{kOwnersEdit}, ""});
       },
       true},
  };
}

TEST(LifeAfterInstallTest, RemoveKeepsWhatChangedSinceAndTheNextStartAgrees) {
  for (const Scenario& s : OneScenarioPerFamily()) {
    for (const LifeCase& c : LifeCases()) {
      SCOPED_TRACE(s.group->record_section + std::string(": ") + c.name);
      const Group& g = *s.group;
      Simulator sim(s.files);
      sim.Start();
      ASSERT_TRUE(sim.Click(g.install, g)) << sim.window->Caption(g.status);
      c.change(sim, s);
      sim.Start();
      ASSERT_EQ(FamilyDisplayStateName(sim.logic->StateOf(FamilyOf(g))),
                FamilyDisplayStateName(c.state_at_restart))
          << sim.window->Caption(g.status);

      ASSERT_TRUE(sim.Click(g.remove, g)) << sim.window->Caption(g.status);
      const PanelCase& reference = Reference(s);
      EXPECT_EQ(sim.Bytes(reference.config), c.after_remove(reference));
      const std::string kept = reference.config + ".before-quillever";
      EXPECT_EQ(sim.Has(kept), c.keeps_backup);
      if (c.keeps_backup) {
        EXPECT_EQ(sim.Bytes(kept), RenderPanel(reference.layout));
        EXPECT_NE(sim.window->Caption(g.status).find("kept"), std::string::npos)
            << sim.window->Caption(g.status);
      }
      EXPECT_EQ(BackupsIn(sim.Snapshot()), std::vector<std::string>());
      EXPECT_EQ(sim.Record(g.record_section, "Installed"), "0");
      // The files the change did not touch are back as they were, byte for byte.
      for (std::size_t i = 1;
           i < s.files.size() && c.state_at_restart != FamilyDisplayState::kEdited; ++i) {
        if (sim.Has(s.files[i].config)) {
          EXPECT_EQ(sim.Bytes(s.files[i].config), RenderPanel(s.files[i].layout))
              << s.files[i].config;
        }
      }

      // A kept copy is no unfinished installation.
      sim.Start();
      EXPECT_EQ(FamilyDisplayStateName(sim.logic->StateOf(FamilyOf(g))), "NotInstalled")
          << sim.window->Caption(g.status);
    }
  }
}

// The add-on was reinstalled: Repair installs the gauge into the new files and keeps the backups
// from before the first installation beside them; a later Remove puts the new files back.
TEST(LifeAfterInstallTest, RepairAfterAReinstallKeepsTheFirstBackups) {
  for (const Scenario& s : OneScenarioPerFamily()) {
    SCOPED_TRACE(s.group->record_section);
    const Group& g = *s.group;
    Simulator sim(s.files);
    sim.Start();
    ASSERT_TRUE(sim.Click(g.install, g));
    for (const PanelCase& file : s.files) {
      sim.fs.AddFile(Simulator::Path(file.config), RenderPanel(file.layout, {{kOwnersEdit}, ""}));
    }
    sim.Start();
    ASSERT_EQ(sim.logic->StateOf(FamilyOf(g)), FamilyDisplayState::kEdited);
    ASSERT_TRUE(sim.Click(g.install, g)) << sim.window->Caption(g.status);
    for (const PanelCase& file : s.files) {
      SCOPED_TRACE(file.config);
      if (file.edits.empty()) continue;
      EXPECT_EQ(sim.Bytes(file.config), RenderPanel(file.layout, With(file.edits, {kOwnersEdit})));
      EXPECT_EQ(sim.Bytes(file.backup), RenderPanel(file.layout, {{kOwnersEdit}, ""}));
      EXPECT_EQ(sim.Bytes(file.config + ".before-quillever"), RenderPanel(file.layout));
    }
    sim.Start();
    EXPECT_EQ(sim.logic->StateOf(FamilyOf(g)), FamilyDisplayState::kInstalled);

    ASSERT_TRUE(sim.Click(g.remove, g)) << sim.window->Caption(g.status);
    for (const PanelCase& file : s.files) {
      if (file.edits.empty()) continue;
      EXPECT_EQ(sim.Bytes(file.config), RenderPanel(file.layout, {{kOwnersEdit}, ""}));
      EXPECT_EQ(sim.Bytes(file.config + ".before-quillever"), RenderPanel(file.layout));
    }
    EXPECT_EQ(BackupsIn(sim.Snapshot()), std::vector<std::string>());
  }
}

// A file's lines in sorted order: what it holds, whatever the order.
std::vector<std::string> SortedLines(const std::string& bytes) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < bytes.size();) {
    std::size_t end = bytes.find("\r\n", at);
    if (end == std::string::npos) end = bytes.size();
    lines.push_back(bytes.substr(at, end - at));
    at = end + 2;
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

// The owner took the gauge's title entry out by hand: Repair puts back only that entry (at the
// end of the titles, where a profile write puts a key), and adds nothing twice.
TEST(LifeAfterInstallTest, RepairAddsBackOnlyWhatWasTakenOut) {
  for (const Scenario& s : OneScenarioPerFamily()) {
    SCOPED_TRACE(s.group->record_section);
    const Group& g = *s.group;
    Simulator sim(s.files);
    sim.Start();
    ASSERT_TRUE(sim.Click(g.install, g));
    const Tree installed = sim.Snapshot();
    const std::string path = Simulator::Path(Reference(s).config);
    const std::string bytes = sim.Bytes(Reference(s).config);
    const std::size_t title = bytes.find("=Quillever\r\n");
    ASSERT_NE(title, std::string::npos);
    const std::size_t line = bytes.rfind("\r\n", title) + 2;
    sim.fs.AddFile(path, bytes.substr(0, line) + bytes.substr(title + 12));
    sim.Start();
    ASSERT_EQ(sim.logic->StateOf(FamilyOf(g)), FamilyDisplayState::kEdited);

    ASSERT_TRUE(sim.Click(g.install, g)) << sim.window->Caption(g.status);
    EXPECT_EQ(sim.window->Caption(g.status), g.install_texts.back());
    for (const std::string& changed : Differences(installed, sim.Snapshot())) {
      EXPECT_EQ(changed, path);
    }
    EXPECT_EQ(SortedLines(sim.Bytes(Reference(s).config)), SortedLines(installed.at(path)));
  }
}

// Files named like backups that the program never made: the family does not look half-installed,
// Install keeps them under another name instead of overwriting them, and Remove never puts them
// over a panel file.
TEST(LifeAfterInstallTest, SomeoneElsesBackupIsNeverPutOverAPanelFile) {
  for (const Scenario& s : OneScenarioPerFamily()) {
    SCOPED_TRACE(s.group->record_section);
    const Group& g = *s.group;
    const PanelCase& reference = Reference(s);
    Simulator sim(s.files);
    sim.fs.AddFile(Simulator::Path(reference.backup), "my own copy\r\n");
    sim.Start();
    ASSERT_EQ(sim.logic->StateOf(FamilyOf(g)), FamilyDisplayState::kNotInstalled)
        << sim.window->Caption(g.status);
    ExpectNotInstalled(*sim.window, g);

    ASSERT_TRUE(sim.Click(g.install, g));
    const std::string kept = reference.backup + ".before-quillever";
    EXPECT_EQ(sim.Bytes(kept), "my own copy\r\n");
    EXPECT_EQ(sim.Bytes(reference.backup), RenderPanel(reference.layout));
    EXPECT_EQ(sim.window->Caption(g.status),
              g.install_texts.back() + " " + DisplaySimPath(reference.backup, '/') +
                  " was not made by this program, so it was kept as " + DisplaySimPath(kept, '/') +
                  ".");

    ASSERT_TRUE(sim.Click(g.remove, g));
    EXPECT_EQ(sim.Bytes(reference.config), RenderPanel(reference.layout));
    EXPECT_EQ(sim.Bytes(kept), "my own copy\r\n");
    sim.Start();
    EXPECT_EQ(sim.logic->StateOf(FamilyOf(g)), FamilyDisplayState::kNotInstalled);
  }
}

}  // namespace
}  // namespace ql2
