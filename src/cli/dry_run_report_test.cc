#include "cli/dry_run_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ql2 {
namespace {

constexpr char kSim[] = "/fs9";
constexpr char kPanel[] = "/fs9/Aircraft/Flight 1 ATR-72-500/panel/panel.cfg";
constexpr char kBackup[] = "/fs9/Aircraft/Flight 1 ATR-72-500/panel/panel.cfg.backup";
constexpr char kCheyenneBackup[] = "/fs9/Aircraft/PA31T/panel/panel.backup";
constexpr char kRecord[] = "/fs9/QL/qlever2.con";

TEST(DryRunReportTest, NoChangesNoReport) {
  EXPECT_EQ(DryRunReport({}, kSim, '/'), "");
}

// A plan as a click makes it: the record created, a backup made, the panel edited, a leftover
// backup replaced and another deleted, a copy kept; a file written back as it was is left out.
TEST(DryRunReportTest, BackupsAsLinesOtherFilesAsDiffsInOrder) {
  const std::string panel = "[Window Titles]\r\nWindow00=Main\r\n";
  Plan plan;
  auto write = [&](StepRole role, const char* path, std::string bytes,
                   std::optional<std::string> before) {
    plan.steps.push_back({role, false, path, "", std::move(bytes), std::move(before)});
  };
  write(StepRole::kRecord, kRecord, "[PMDG]\r\nFull=0\r\n", std::nullopt);
  write(StepRole::kBackup, kBackup, panel, std::nullopt);
  write(StepRole::kPanel, kPanel, panel + "Window01=Quillever\r\n", panel);
  write(StepRole::kBackup, kCheyenneBackup, "new\r\n", std::string("old\r\n"));
  plan.steps.push_back({StepRole::kBackup, true, "/fs9/Aircraft/PA31T/panel/panel.cfg.backup", "",
                        "", std::string("old\r\n")});
  write(StepRole::kKeptCopy, "/fs9/Aircraft/PA31T/panel/panel.cfg.before-quillever-2", "old\r\n",
        std::nullopt);
  write(StepRole::kPanel, "/fs9/Aircraft/PA31T/panel/panel.cfg", "same\r\n",
        std::string("same\r\n"));

  EXPECT_EQ(DryRunReport(ChangesOf(plan), kSim, '/'),
            "--- /dev/null\n"
            "+++ b/QL/qlever2.con\n"
            "@@ -0,0 +1,2 @@\n"
            "+[PMDG]\n"
            "+Full=0\n"
            "create backup Aircraft\\Flight 1 ATR-72-500\\panel\\panel.cfg.backup\n"
            "--- a/Aircraft/Flight 1 ATR-72-500/panel/panel.cfg\n"
            "+++ b/Aircraft/Flight 1 ATR-72-500/panel/panel.cfg\n"
            "@@ -1,2 +1,3 @@\n"
            " [Window Titles]\n"
            " Window00=Main\n"
            "+Window01=Quillever\n"
            "replace backup Aircraft\\PA31T\\panel\\panel.backup\n"
            "delete backup Aircraft\\PA31T\\panel\\panel.cfg.backup\n"
            "keep copy Aircraft\\PA31T\\panel\\panel.cfg.before-quillever-2\n");
}

// A file a plan writes twice shows once, from what it held first to what it holds last.
TEST(DryRunReportTest, ChangesOfMergesStepsOnOneFile) {
  Plan plan;
  plan.steps.push_back({StepRole::kBackup, false, "/fs9/a.backup", "", "x", std::string("old")});
  plan.steps.push_back({StepRole::kKeptCopy, false, "/fs9/b", "", "y", std::nullopt});
  plan.steps.push_back({StepRole::kBackup, true, "/fs9/a.backup", "", "", std::string("x")});
  const std::vector<FileChange> changes = ChangesOf(plan);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].path, "/fs9/a.backup");
  EXPECT_EQ(changes[0].before, std::optional<std::string>("old"));
  EXPECT_EQ(changes[0].after, std::nullopt);
  EXPECT_EQ(changes[1].path, "/fs9/b");
}

// Paths are cut after the simulator folder however it was written; the native separator decides
// what is turned into '\' or '/'.
TEST(DryRunReportTest, RelativeNames) {
  struct Case {
    const char* name;
    const char* sim_folder;
    char separator;
    const char* path;
    const char* expected;
  };
  const Case cases[] = {
      {"folder without its separator", "/fs9", '/', "/fs9/a/b.backup", "a\\b.backup"},
      {"folder with its separator", "/fs9/", '/', "/fs9/a/b.backup", "a\\b.backup"},
      {"Windows folder", "C:\\FS9", '\\', "C:\\FS9\\a\\b.backup", "a\\b.backup"},
      {"name that only starts like the folder", "/fs9", '/', "/fs90/b.backup", "\\fs90\\b.backup"},
      {"outside the folder", "/fs9", '/', "/other/b.backup", "\\other\\b.backup"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<FileChange> changes = {{c.path, std::nullopt, std::string("x")}};
    EXPECT_EQ(DryRunReport(changes, c.sim_folder, c.separator),
              std::string("create backup ") + c.expected + "\n");
  }
  std::vector<FileChange> windows = {
      {"C:\\FS9\\Aircraft\\X\\panel.cfg", std::string("a\r\n"), std::string("b\r\n")}};
  EXPECT_EQ(DryRunReport(windows, "C:\\FS9", '\\'),
            "--- a/Aircraft/X/panel.cfg\n+++ b/Aircraft/X/panel.cfg\n@@ -1 +1 @@\n-a\n+b\n");
}

// ".backup" must end the file name: a folder named so, or a longer name, is an ordinary file.
TEST(DryRunReportTest, OnlyFileNamesEndingInBackupAreBackups) {
  std::vector<FileChange> changes = {
      {"/fs9/x.backup/panel.cfg", std::nullopt, std::string("a\n")},
      {"/fs9/panel.backup.old", std::string("a\n"), std::nullopt},
  };
  EXPECT_EQ(DryRunReport(changes, kSim, '/'),
            "--- /dev/null\n+++ b/x.backup/panel.cfg\n@@ -0,0 +1 @@\n+a\n"
            "--- a/panel.backup.old\n+++ /dev/null\n@@ -1 +0,0 @@\n-a\n");
}

TEST(DryRunReportTest, EmptyFileMadeOrDeletedShowsItsNames) {
  std::vector<FileChange> changes = {
      {"/fs9/QL/qlever2.con", std::nullopt, std::string()},
      {"/fs9/empty.cfg", std::string(), std::nullopt},
  };
  EXPECT_EQ(DryRunReport(changes, kSim, '/'),
            "--- /dev/null\n+++ b/QL/qlever2.con\n--- a/empty.cfg\n+++ /dev/null\n");
}

}  // namespace
}  // namespace ql2
