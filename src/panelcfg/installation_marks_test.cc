#include "panelcfg/installation_marks.h"

#include <gtest/gtest.h>

namespace ql2 {
namespace {

const InstallationMarks kMarks = {{{"Quillever", "QLever2!Cp6uja"}}, {"Window00"}, "QLever2!QL"};

constexpr char kBefore[] =
    "[Window Titles]\r\n"
    "Window00=Main\r\n"
    "[Window00]\r\n"
    "gauge00=Panel!A, 0,0,1,1\r\n"
    "[Window01]\r\n"
    "gauge00=Panel!B, 0,0,1,1\r\n";

// kBefore with an installation in it, some of it changed by hand since.
constexpr char kInstalled[] =
    "[Window Titles]\r\n"
    "Window00=Main\r\n"
    "window7 = Quillever\r\n"  // renumbered, in other letter case, with blanks
    "[Window00]\r\n"
    "gauge00=Panel!A, 0,0,1,1\r\n"
    "gauge9=qlever2!ql,  5,5,19,19   //moved by hand\r\n"
    "[Window01]\r\n"
    "gauge00=Panel!B, 0,0,1,1\r\n"
    "gauge01=QLever2!QL, 0,0,1,1\r\n"  // not a section the installation writes to
    "\r\n"
    "[Window7]\r\n"
    "Visible=0\r\n"
    "\r\n"
    "gauge00=qlEVER2!cp6UJA,  0,0,19,19\r\n"  // in other letter case
    "; a comment someone added at the end\r\n";

TEST(InstallationMarksTest, FindsTheInstallationsEntriesByTheirFormAndGaugeName) {
  const std::vector<Mark> marks = FindMarks(kInstalled, kMarks);
  ASSERT_EQ(marks.size(), 3u);
  EXPECT_EQ(marks[0].kind, MarkKind::kTitle);
  EXPECT_EQ(marks[0].name, "window7");
  EXPECT_EQ(marks[1].kind, MarkKind::kEntry);
  EXPECT_EQ(marks[1].name, "gauge9");
  EXPECT_EQ(marks[2].kind, MarkKind::kWindow);
  EXPECT_EQ(marks[2].name, "Window7");
  // The window takes the empty line before it, and ends with its gauge line.
  EXPECT_EQ(RemoveMarks(kInstalled, marks),
            "[Window Titles]\r\n"
            "Window00=Main\r\n"
            "[Window00]\r\n"
            "gauge00=Panel!A, 0,0,1,1\r\n"
            "[Window01]\r\n"
            "gauge00=Panel!B, 0,0,1,1\r\n"
            "gauge01=QLever2!QL, 0,0,1,1\r\n"
            "; a comment someone added at the end\r\n");
}

// What the backup held already was not the installation's doing.
TEST(InstallationMarksTest, EntriesTheBackupHoldsAreNotTheInstallations) {
  const std::string backup = std::string(kBefore) + "[Window9]\r\ngauge00=QLever2!Cp6uja, 1\r\n";
  const std::string current = backup + "[Window10]\r\ngauge00=QLever2!Cp6uja, 1\r\n";
  const std::vector<Mark> added = AddedMarks(current, backup, kMarks);
  ASSERT_EQ(added.size(), 1u);
  EXPECT_EQ(added[0].name, "Window10");
  EXPECT_EQ(AddedMarks(backup, backup, kMarks).size(), 0u);
  EXPECT_EQ(AddedMarks(backup, std::nullopt, kMarks).size(), 1u);
}

// A "Window Titles" section the installation created (the file had none) goes with its entries.
TEST(InstallationMarksTest, StripTakesOutASectionTheInstallationMade) {
  const std::string before = "[Window00]\r\ngauge00=Panel!A, 0,0,1,1\r\n";
  const std::string installed = before +
                                "[Window Titles]\r\nWindow2=Quillever\r\n"
                                "\r\n[Window2]\r\ngauge00=QLever2!Cp6uja,  0,0,19,19\r\n";
  EXPECT_EQ(StripInstallation(installed, before, kMarks), before);
  const std::string titled = "[Window Titles]\r\n" + before;
  const std::string installed_titled = "[Window Titles]\r\nWindow2=Quillever\r\n" + before;
  EXPECT_EQ(StripInstallation(installed_titled, titled, kMarks), titled);
}

}  // namespace
}  // namespace ql2
