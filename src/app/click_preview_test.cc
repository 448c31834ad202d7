// The preview of a click: what the logic puts into the dialog, from the click's own decision,
// and that showing it changes nothing.
#include "app/click_preview.h"

#include <gtest/gtest.h>

#include "app/dry_run_report.h"
#include "app/main_window.h"
#include "app/recording_window.h"
#include "app/texts.h"
#include "platform/memory_file_system.h"

namespace ql2 {
namespace {

const char kPanel[] = "/sim/Aircraft/Flight 1 ATR-72-500/panel/panel.cfg";
const char kBackup[] = "/sim/Aircraft/Flight 1 ATR-72-500/panel/panel.cfg.backup";
const char kRecord[] = "/sim/QL/qlever2.con";
const char kPanelText[] =
    "[Window Titles]\r\nWindow00=Main\r\n\r\n[Window00]\r\ngauge00=a!b, 1,2,3,4\r\n"
    "[Window01]\r\n[Fixed Window38]\r\n[Fixed Window39]\r\n";
const char kPanelName[] = "Aircraft/Flight 1 ATR-72-500/panel/panel.cfg";
const char kBackupName[] = "Aircraft/Flight 1 ATR-72-500/panel/panel.cfg.backup";

std::vector<std::string> FileLines(const PreviewView& view) {
  std::vector<std::string> lines;
  for (const PreviewFile& file : view.files)
    lines.push_back(std::string(file.action) + " " + file.name);
  return lines;
}

// The window's logic on an ATR that is not installed, every file operation logged.
struct Atr {
  Atr() {
    fs.AddFile(kRecord, "[Options]\r\nFirst Time=0\r\n[ATR]\r\nInstalled=0\r\n");
    fs.AddFile("/sim/QL/uninst.swi", "");
    fs.AddFile(kPanel, kPanelText);
    logic.StartupScan();
  }
  // Whether anything was written, copied or deleted since the log was cleared.
  bool Changed() const {
    for (const FileOperation& op : fs.log()) {
      if (op.kind == FileOperationKind::kReplace || op.kind == FileOperationKind::kCopy ||
          op.kind == FileOperationKind::kDelete) {
        return true;
      }
    }
    return false;
  }

  MemoryFileSystem fs;
  RecordingWindow window;
  MemoryRegistry registry{"/sim"};
  RecordingShell shell;
  MainWindowLogic logic{window, fs, registry, shell};
};

TEST(ClickPreviewTest, APossibleClickListsItsFilesAndItsDryRun) {
  Plan plan;
  plan.steps.push_back({StepRole::kBackup, false, kBackup, kBackupName, "a", std::nullopt});
  plan.steps.push_back({StepRole::kPanel, false, kPanel, kPanelName, "a+gauge", "a"});
  plan.steps.push_back({StepRole::kRecord, false, kRecord, "QL/qlever2.con", "1", "0"});
  const ClickPreview click{true, "The gauge has been installed successfully.", plan};
  const PreviewView view = DescribeClickPreview(AtrFamily(), "Install", click, '/');
  EXPECT_EQ(view.title, "What Install would change");
  EXPECT_EQ(view.heading, "ATR 72-500");
  EXPECT_EQ(view.summary,
            "A click on Install now would make the changes below, and the group would then say: "
            "The gauge has been installed successfully.");
  EXPECT_EQ(FileLines(view),
            (std::vector<std::string>{"Back up to " + std::string(kBackupName),
                                      "Edit " + std::string(kPanelName), "Edit QL/qlever2.con"}));
  EXPECT_EQ(view.report, DryRunReport(ChangesOf(plan), '/'));
  EXPECT_EQ(view.note, texts::kPreviewNote);
  EXPECT_EQ(PreviewMenuItem("Repair"), "Show what Repair would change...");
}

// The preview of a click that cannot be made says why, in the sentence the click would show.
TEST(ClickPreviewTest, AClickThatCannotBeMadeSaysWhy) {
  Atr atr;
  atr.fs.FindFile(kPanel)->read_only = true;
  atr.fs.ClearLog();
  ASSERT_TRUE(atr.logic.ShowPreview(ControlId::kInstallAtr));
  EXPECT_FALSE(atr.Changed());
  ASSERT_EQ(atr.window.previews().size(), 1u);
  const PreviewView& view = atr.window.previews()[0];
  EXPECT_TRUE(view.files.empty());
  EXPECT_TRUE(view.report.empty());

  EXPECT_FALSE(atr.logic.Click(ControlId::kInstallAtr));
  const std::string status = atr.window.Caption(ControlId::kLabelAtr);
  EXPECT_EQ(status, std::string("Cannot install: ") + kPanelName +
                        " is read-only. Make it writable (clear its read-only mark), then try "
                        "again.");
  EXPECT_EQ(view.summary, "A click on Install now would change nothing: " + status);
}

// Shown from the window: the files and the dry run of the click the logic would make, and
// nothing written; the click then does just that.
TEST(ClickPreviewTest, ShowingThePreviewChangesNothingAndTheClickDoesWhatItSaid) {
  Atr atr;
  atr.fs.ClearLog();
  const std::vector<std::string> log_before = atr.window.log();
  ASSERT_TRUE(atr.logic.ShowPreview(ControlId::kInstallAtr));
  EXPECT_FALSE(atr.Changed());
  EXPECT_EQ(atr.fs.FileBytes(kPanel), kPanelText);
  ASSERT_EQ(atr.window.previews().size(), 1u);
  const PreviewView install = atr.window.previews()[0];
  EXPECT_EQ(FileLines(install),
            (std::vector<std::string>{"Back up to " + std::string(kBackupName),
                                      "Edit " + std::string(kPanelName), "Edit QL/qlever2.con"}));
  EXPECT_EQ(install.report,
            DryRunReport(ChangesOf(atr.logic.PreviewClick(ControlId::kInstallAtr).plan), '/'));
  EXPECT_NE(install.report.find("+Window1=Quillever\n"), std::string::npos) << install.report;
  // The group shows what it showed; no button changed.
  EXPECT_EQ(atr.window.Caption(ControlId::kLabelAtr), texts::kNotInstalled);
  EXPECT_TRUE(atr.window.IsClickable(ControlId::kInstallAtr));

  // Remove is not offered: no preview of it.
  EXPECT_FALSE(atr.logic.ShowPreview(ControlId::kRemoveAtr));
  EXPECT_FALSE(atr.logic.ShowPreview(ControlId::kClose));
  EXPECT_EQ(atr.window.previews().size(), 1u);

  ASSERT_TRUE(atr.logic.Click(ControlId::kInstallAtr));
  EXPECT_EQ(atr.fs.FileBytes(kBackup), kPanelText);
  EXPECT_NE(install.summary.find(atr.window.Caption(ControlId::kLabelAtr)), std::string::npos);

  // A removal of what the installation left puts the backup back and deletes it.
  ASSERT_TRUE(atr.logic.ShowPreview(ControlId::kRemoveAtr));
  const PreviewView remove = atr.window.previews().back();
  EXPECT_EQ(remove.title, "What Remove would change");
  EXPECT_EQ(FileLines(remove),
            (std::vector<std::string>{"Restore from its backup " + std::string(kPanelName),
                                      "Delete the backup " + std::string(kBackupName),
                                      "Edit QL/qlever2.con"}));
}

}  // namespace
}  // namespace ql2
