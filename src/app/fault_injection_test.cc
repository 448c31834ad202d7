// Every file operation of every family's clicks made to fail in turn, and the program stopped dead
// at every operation and started again: no panel file may end in neither its state before the
// click nor the one after it.
#include <gtest/gtest.h>
#include <functional>
#include <iostream>
#include <memory>

#include "app/click_harness.h"

namespace ql2 {
namespace {

using namespace click_harness;

// --- Failures midway ----------------------------------------------------------------------------

bool Changes(FileOperationKind kind) {
  return kind == FileOperationKind::kReplace || kind == FileOperationKind::kCopy ||
         kind == FileOperationKind::kDelete;
}

// The file a failed operation's status line names: the panel file for a backup or a restore (the
// copy's source or destination), else the file operated on; relative to the simulator folder.
std::string NamedFile(const FileOperation& op, bool removal) {
  std::string path = op.kind == FileOperationKind::kCopy && removal ? op.second_path : op.path;
  return path.substr(std::string(kSim).size() + 1);
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
    const bool in_use = failed->kind == FileOperationKind::kDelete;
    const std::string cause = in_use ? "the file is in use by another program" : "the disk is full";
    // What the user can do about it, in the next sentence.
    const std::string advice =
        in_use ? ". Close the program that holds it" : ". Free some space on the disk";
    EXPECT_EQ(status.rfind(removal ? "Cannot remove: " : "Cannot install: ", 0), 0u) << status;
    EXPECT_TRUE(Contains(status, NamedFile(*failed, removal))) << status;
    EXPECT_TRUE(Contains(status, cause + advice)) << status;
    EXPECT_FALSE(Contains(status, kSim)) << status;

    ASSERT_TRUE(sim.Click(button, g)) << sim.window->Caption(g.status);
    EXPECT_EQ(Differences(done, sim.Snapshot()), std::vector<std::string>());
  }
  EXPECT_GT(changes, 0);
}

TEST(FaultTest, AFailingChangeUndoesTheWholeClick) {
  const std::vector<Scenario> scenarios = OneScenarioPerFamily();
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
// `after_install` changes the files between the installation and a removal (as their owner may).
void ExhaustFaults(const Scenario& s, bool removal, FaultTotals* totals,
                   const std::function<void(Simulator&)>& after_install = nullptr) {
  const Group& g = *s.group;
  const Family& family = FamilyOf(g);
  const C button = removal ? g.remove : g.install;
  auto prepared = [&] {
    auto sim = std::make_unique<Simulator>(s.files);
    sim->Start();
    if (removal) {
      EXPECT_TRUE(sim->Click(g.install, g));
      if (after_install) {
        after_install(*sim);
        sim->Start();
      }
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
  const std::vector<Scenario> scenarios = OneScenarioPerFamily();
  FaultTotals totals;
  for (const Scenario& s : scenarios) {
    for (bool removal : {false, true}) {
      SCOPED_TRACE(s.group->record_section + std::string(removal ? " removal" : " installation"));
      ExhaustFaults(s, removal, &totals);
    }
    // A removal that keeps what changed since the installation: the reference file gained a line,
    // so it loses only the installation's entries and its backup is kept beside it.
    SCOPED_TRACE(s.group->record_section + std::string(" removal after a later edit"));
    ExhaustFaults(s, true, &totals, [&](Simulator& sim) {
      const std::string reference = s.files[0].config;
      sim.fs.AddFile(Simulator::Path(reference), sim.Bytes(reference) + "; added later\r\n");
    });
  }
  std::cout << "fault points: " << totals.points << ", files lost: " << totals.files_lost << "\n";
  EXPECT_EQ(totals.files_lost, 0);
  EXPECT_GT(totals.points, 0);
}

}  // namespace
}  // namespace ql2
