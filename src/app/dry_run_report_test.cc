#include "app/dry_run_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ql2 {
namespace {

constexpr char kPanel[] = "/fs9/Aircraft/Flight 1 ATR-72-500/panel/panel.cfg";
constexpr char kBackup[] = "/fs9/Aircraft/Flight 1 ATR-72-500/panel/panel.cfg.backup";
constexpr char kCheyenneBackup[] = "/fs9/Aircraft/PA31T/panel/panel.backup";
constexpr char kRecord[] = "/fs9/QL/qlever2.con";

// The display name the planner gives a path of the tests' simulator folder "/fs9".
std::string Display(const std::string& path) {
  return path.substr(std::string("/fs9/").size());
}

TEST(DryRunReportTest, NoChangesNoReport) {
  EXPECT_EQ(DryRunReport({}, '/'), "");
}

// A plan as a click makes it: the record created, a backup made, the panel edited, a leftover
// backup replaced and another deleted, a copy kept; a file written back as it was is left out.
TEST(DryRunReportTest, BackupsAsLinesOtherFilesAsDiffsInOrder) {
  const std::string panel = "[Window Titles]\r\nWindow00=Main\r\n";
  Plan plan;
  auto write = [&](StepRole role, const std::string& path, std::string bytes,
                   std::optional<std::string> before) {
    plan.steps.push_back({role, false, path, Display(path), std::move(bytes), std::move(before)});
  };
  write(StepRole::kRecord, kRecord, "[PMDG]\r\nFull=0\r\n", std::nullopt);
  write(StepRole::kBackup, kBackup, panel, std::nullopt);
  write(StepRole::kPanel, kPanel, panel + "Window01=Quillever\r\n", panel);
  write(StepRole::kBackup, kCheyenneBackup, "new\r\n", std::string("old\r\n"));
  const std::string deleted = "/fs9/Aircraft/PA31T/panel/panel.cfg.backup";
  plan.steps.push_back(
      {StepRole::kBackup, true, deleted, Display(deleted), "", std::string("old\r\n")});
  write(StepRole::kKeptCopy, "/fs9/Aircraft/PA31T/panel/panel.cfg.before-quillever-2", "old\r\n",
        std::nullopt);
  write(StepRole::kPanel, "/fs9/Aircraft/PA31T/panel/panel.cfg", "same\r\n",
        std::string("same\r\n"));

  EXPECT_EQ(DryRunReport(ChangesOf(plan), '/'),
            "--- /dev/null\n"
            "+++ b/QL/qlever2.con\n"
            "@@ -0,0 +1,2 @@\n"
            "+[PMDG]\n"
            "+Full=0\n"
            "create backup Aircraft/Flight 1 ATR-72-500/panel/panel.cfg.backup\n"
            "--- a/Aircraft/Flight 1 ATR-72-500/panel/panel.cfg\n"
            "+++ b/Aircraft/Flight 1 ATR-72-500/panel/panel.cfg\n"
            "@@ -1,2 +1,3 @@\n"
            " [Window Titles]\n"
            " Window00=Main\n"
            "+Window01=Quillever\n"
            "replace backup Aircraft/PA31T/panel/panel.backup\n"
            "delete backup Aircraft/PA31T/panel/panel.cfg.backup\n"
            "keep copy Aircraft/PA31T/panel/panel.cfg.before-quillever-2\n");
}

// A file a plan writes twice shows once, from what it held first to what it holds last.
TEST(DryRunReportTest, ChangesOfMergesStepsOnOneFile) {
  Plan plan;
  plan.steps.push_back({StepRole::kBackup, false, "/fs9/a.backup", "a.backup", "x", "old"});
  plan.steps.push_back({StepRole::kKeptCopy, false, "/fs9/b", "b", "y", std::nullopt});
  plan.steps.push_back({StepRole::kBackup, true, "/fs9/a.backup", "a.backup", "", "x"});
  const std::vector<FileChange> changes = ChangesOf(plan);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].path, "/fs9/a.backup");
  EXPECT_EQ(changes[0].display, "a.backup");
  EXPECT_EQ(changes[0].role, StepRole::kBackup);
  EXPECT_EQ(changes[0].before, std::optional<std::string>("old"));
  EXPECT_EQ(changes[0].after, std::nullopt);
  EXPECT_EQ(changes[1].path, "/fs9/b");
}

// Windows' display names are written with '/' too: the report is the same on every system.
TEST(DryRunReportTest, NamesAreWrittenWithSlashesOnEverySystem) {
  const std::vector<FileChange> windows = {
      {"C:\\FS9\\Aircraft\\X\\panel.cfg.backup", "Aircraft\\X\\panel.cfg.backup", StepRole::kBackup,
       std::nullopt, std::string("a\r\n")},
      {"C:\\FS9\\Aircraft\\X\\panel.cfg", "Aircraft\\X\\panel.cfg", StepRole::kPanel,
       std::string("a\r\n"), std::string("b\r\n")},
  };
  EXPECT_EQ(DryRunReport(windows, '\\'),
            "create backup Aircraft/X/panel.cfg.backup\n"
            "--- a/Aircraft/X/panel.cfg\n+++ b/Aircraft/X/panel.cfg\n@@ -1 +1 @@\n-a\n+b\n");
}

// The step's role tells a backup from a panel file, whatever the file is called.
TEST(DryRunReportTest, TheRoleNotTheNameMakesABackup) {
  const std::vector<FileChange> changes = {
      {"/fs9/x.backup/panel.cfg", "x.backup/panel.cfg", StepRole::kPanel, std::nullopt,
       std::string("a\n")},
      {"/fs9/panel.old", "panel.old", StepRole::kBackup, std::string("a\n"), std::nullopt},
  };
  EXPECT_EQ(DryRunReport(changes, '/'),
            "--- /dev/null\n+++ b/x.backup/panel.cfg\n@@ -0,0 +1 @@\n+a\n"
            "delete backup panel.old\n");
}

TEST(DryRunReportTest, EmptyFileMadeOrDeletedShowsItsNames) {
  const std::vector<FileChange> changes = {
      {kRecord, "QL/qlever2.con", StepRole::kRecord, std::nullopt, std::string()},
      {"/fs9/empty.cfg", "empty.cfg", StepRole::kPanel, std::string(), std::nullopt},
  };
  EXPECT_EQ(DryRunReport(changes, '/'),
            "--- /dev/null\n+++ b/QL/qlever2.con\n--- a/empty.cfg\n+++ /dev/null\n");
}

// What a preview lists each change under: a panel file that gets the bytes of a backup the click
// deletes is restored; one that only loses some lines is edited.
TEST(DryRunReportTest, ActionOfEachChange) {
  const std::vector<FileChange> changes = {
      {"/fs9/k", "k", StepRole::kKeptCopy, std::nullopt, std::string("old")},
      {"/fs9/b1", "b1", StepRole::kBackup, std::nullopt, std::string("x")},
      {"/fs9/b2", "b2", StepRole::kBackup, std::string("y"), std::string("x")},
      {"/fs9/b3", "b3", StepRole::kBackup, std::string("old"), std::nullopt},
      {"/fs9/p1", "p1", StepRole::kPanel, std::string("old+gauge"), std::string("old")},
      {"/fs9/p2", "p2", StepRole::kPanel, std::string("new+gauge"), std::string("new")},
      {"/fs9/p3", "p3", StepRole::kPanel, std::nullopt, std::string("old")},
      {"/fs9/p4", "p4", StepRole::kPanel, std::nullopt, std::string("fresh")},
      {"/fs9/p5", "p5", StepRole::kPanel, std::string("gone"), std::nullopt},
      {"/fs9/r", "r", StepRole::kRecord, std::string("0"), std::string("1")},
  };
  const ChangeAction expected[] = {
      ChangeAction::kKeepCopy,     ChangeAction::kCreateBackup, ChangeAction::kReplaceBackup,
      ChangeAction::kDeleteBackup, ChangeAction::kRestore,      ChangeAction::kEdit,
      ChangeAction::kRestore,      ChangeAction::kCreate,       ChangeAction::kDelete,
      ChangeAction::kEdit,
  };
  for (std::size_t i = 0; i < changes.size(); ++i) {
    EXPECT_EQ(ActionOf(changes[i], changes), expected[i]) << changes[i].display;
  }
}

}  // namespace
}  // namespace ql2
