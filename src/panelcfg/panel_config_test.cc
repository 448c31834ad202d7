#include "panelcfg/panel_config.h"

#include <gtest/gtest.h>

#include <string>

namespace ql2 {
namespace {

// Eight title entries and no other line beginning "Wind"; lower-case window_ lines elsewhere.
constexpr char kEightWindows[] =
    "[Window Titles]\r\n"
    "Window00=Main Panel\r\n"
    "Window01=Overhead\r\n"
    "Window02=Pedestal\r\n"
    "Window03=Radios\r\n"
    "Window04=GPS\r\n"
    "Window05=Throttle\r\n"
    "Window06=Fuel\r\n"
    "Window07=Autopilot\r\n"
    "\r\n"
    "[Window00]\r\n"
    "file=panel.bmp\r\n"
    "window_size_ratio=1.000\r\n"
    "window_pos=0.000, 0.000\r\n"
    "gauge00=Main!Airspeed, 10,10,60,60\r\n"
    "\r\n"
    "[Window01]\r\n"
    "window_size=0.5, 0.5\r\n"
    "gauge00=Main!Overhead, 0,0,100,100\r\n";

TEST(PanelConfigTest, EightTitleEntriesGiveWindow8AndItsHeader) {
  Result<LineCount> count = CountWindowTitleLines(kEightWindows);
  ASSERT_TRUE(count.ok());
  EXPECT_EQ(count.value(), 8);
  std::string name = FormWindowName(count.value());
  EXPECT_EQ(name, "Window8");

  std::string bytes = AddWindowTitleEntry(kEightWindows, name, "Quillever");
  bytes = AppendGaugeWindowSection(bytes, BuildGaugeWindowSection(name, "a", "b", "c", "d", "e"));
  std::string expected = kEightWindows;
  expected.insert(expected.find("Window07=Autopilot\r\n") + 20, "Window8=Quillever\r\n");
  expected +=
      "\r\n[Window8]\r\nBackground_color=0,0,0\r\na\r\nwindow_size_ratio=1.000\r\n"
      "position=0\r\nb\r\nc\r\nd\r\nwindow_pos=0.000, 0.000\r\n\r\ne\r\n";
  EXPECT_EQ(bytes, expected);
}

TEST(PanelConfigTest, WindLinesCountAnywhere) {
  struct Case {
    const char* file;
    LineCount expected;
  };
  const Case cases[] = {
      {"", 0},
      {"[Window Titles]\r\nwindow_size=1\r\nWindow_pos=1\r\n", 1},
      {"[Window01]\r\nWindshield=1\r\n[Other]\r\nWind\r\n", 2},  // any section, exactly "Wind"
      {"Win\r\n Window00=x\r\nWIND=1\r\n\tWindow01=y\r\n", 0},   // too short, blanks, case
      {"Window00=a\nWindow01=b\rWindow02=c", 3},                 // every line ending, last unended
      {"\xEF\xBB\xBFWindow00=a\r\nWindow01=b\r\n", 2},           // after a byte-order mark
  };
  for (const Case& c : cases) {
    Result<LineCount> count = CountWindowTitleLines(c.file);
    ASSERT_TRUE(count.ok());
    EXPECT_EQ(count.value(), c.expected) << c.file;
  }
}

TEST(PanelConfigTest, AtrGaugeWindowSectionIsByteExact) {
  EXPECT_EQ(BuildGaugeWindowSection(
                "Window23", "size_mm=1024,768", "Visible=0", "ident=80", "window_size=1.000, 1.000",
                "gauge00=QLever2!Cp6uja,  0,0,19,19   //Quillever gauge by Tamsel"),
            "\r\n"
            "[Window23]\r\n"
            "Background_color=0,0,0\r\n"
            "size_mm=1024,768\r\n"
            "window_size_ratio=1.000\r\n"
            "position=0\r\n"
            "Visible=0\r\n"
            "ident=80\r\n"
            "window_size=1.000, 1.000\r\n"
            "window_pos=0.000, 0.000\r\n"
            "\r\n"
            "gauge00=QLever2!Cp6uja,  0,0,19,19   //Quillever gauge by Tamsel");
}

TEST(PanelConfigTest, AppendAddsTextAndOneLineEnd) {
  struct Case {
    const char* before;
    const char* after;
  };
  const Case cases[] = {
      {"[A]\r\nx=1\r\n", "[A]\r\nx=1\r\n\r\n[W]\r\ng\r\n"},  // one empty line before the header
      {"[A]\r\nx=1", "[A]\r\nx=1\r\n[W]\r\ng\r\n"},          // the unended last line gets ended
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AppendGaugeWindowSection(c.before, "\r\n[W]\r\ng"), c.after);
  }
}

constexpr char kGauges[] =
    "[Window Titles]\r\n"
    "gauge99=not inside yet\r\n"
    "[Window00]\r\n"
    "gauge00=A!a, 0,0,1,1\r\n"
    "//gauge01=A!b, 0,0,1,1\r\n"
    "Gauge02=A!c, 0,0,1,1\r\n"
    "gauge03=A!d, 0,0,1,1\r\n"
    "[Window05]\r\n"
    "gau\r\n"
    "gauge00=B!a, 0,0,1,1\r\n"
    "[Window01]\r\n"
    "gauge00=C!a, 0,0,1,1\r\n"
    "[Fixed Window38]\r\n"
    "gauge00=D!a, 0,0,1,1\r\n"
    "[Fixed Window39]\r\n";

TEST(PanelConfigTest, CountSectionGaugeLinesFromStartUpToStop) {
  struct Case {
    const char* start;
    const char* stop;
    LineCount expected;
  };
  // [Window00] to [Window01] takes in [Window05] between them; //gauge and Gauge do not count.
  const Case cases[] = {
      {"[Window00]", "[Window01]", 4},
      {"[Window05]", "[Window01]", 2},
      {"[Fixed Window38]", "[Fixed Window39]", 1},
      {"[Window01]", "[Fixed Window38]", 1},
  };
  for (const Case& c : cases) {
    Result<LineCount> count = CountSectionGaugeLines(kGauges, c.start, c.stop);
    ASSERT_TRUE(count.ok()) << c.start << " " << count.status().message();
    EXPECT_EQ(count.value(), c.expected) << c.start;
  }
}

TEST(PanelConfigTest, CountSectionGaugeLinesErrorsNameTheMissingLine) {
  struct Case {
    const char* start;
    const char* stop;
    const char* cause;
  };
  const Case cases[] = {
      {"[Window00]", "[Window02]", "has no [Window02] section after [Window00]"},
      {"[Window09]", "[Window01]", "has no [Window09] section before [Window01]"},
      {"[Window09]", "[Window08]", "has no [Window09] section"},
      // A stop line before the start line would count nothing; it is refused, not taken as 0.
      {"[Window01]", "[Window00]", "has no [Window01] section before [Window00]"},
      {"[Window00] ", "[Window01]", "has no [Window00]  section before [Window01]"},  // exact match
  };
  for (const Case& c : cases) {
    Result<LineCount> count = CountSectionGaugeLines(kGauges, c.start, c.stop);
    EXPECT_EQ(count.status().kind(), ErrorKind::kBadContent) << c.start;
    EXPECT_EQ(count.status().cause(), c.cause);
  }
}

TEST(PanelConfigTest, FormNames) {
  struct Case {
    int count;
    const char* window;
    const char* plain_key;
    const char* two_digit_key;
  };
  const Case cases[] = {
      {0, "Window00", "gauge00", "gauge00"},  {5, "Window5", "gauge5", "gauge05"},
      {8, "Window8", "gauge8", "gauge08"},    {10, "Window10", "gauge10", "gauge10"},
      {14, "Window14", "gauge14", "gauge14"}, {123, "Window123", "gauge123", "gauge123"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormWindowName(c.count), c.window);
    EXPECT_EQ(FormGaugeKey(c.count, GaugeKeyStyle::kNoLeadingZero), c.plain_key);
    EXPECT_EQ(FormGaugeKey(c.count, GaugeKeyStyle::kTwoDigits), c.two_digit_key);
  }
}

TEST(PanelConfigTest, AddGaugeEntryOverwritesOrAppendsWithinItsSection) {
  const std::string before =
      "[Window00]\r\n"
      "gauge00=old\r\n"
      "gauge01=x\r\n"
      "\r\n"
      "[Fixed Window38]\r\n"
      "gauge00=y\r\n"
      "//gauge01=z\r\n";
  std::string bytes = AddGaugeEntry(before, "Window00", "gauge00", "new");
  bytes = AddGaugeEntry(bytes, "Window00", "gauge02", "QLever2!QL,  1,2,3,4");
  bytes = AddGaugeEntry(bytes, "Fixed Window38", "GAUGE00", "q");
  EXPECT_EQ(bytes,
            "[Window00]\r\n"
            "gauge00=new\r\n"
            "gauge01=x\r\n"
            "gauge02=QLever2!QL,  1,2,3,4\r\n"
            "\r\n"
            "[Fixed Window38]\r\n"
            "gauge00=q\r\n"
            "//gauge01=z\r\n");
}

TEST(PanelConfigTest, WriteInstallFlagSetsInstalledOfTheFamily) {
  EXPECT_EQ(WriteInstallFlag("[ATR]\r\nInstalled=0\r\n", "ATR", "1"), "[ATR]\r\nInstalled=1\r\n");
  EXPECT_EQ(WriteInstallFlag("", "PIC", "0"), "[PIC]\r\nInstalled=0\r\n");
}

TEST(PanelConfigTest, GaugeTitleLine) {
  struct Case {
    const char* file;
    bool found;
  };
  const Case cases[] = {
      {"=Quillever", true},
      {"[Window Titles]\r\nWindow23=Quillever\r\n[Window00]\r\n", true},
      {"a\nWindow23=Quillever\nb", true},
      {"a\rWindow23=Quillever\rb", true},
      {"Window23=quillever\r\n", false},
      {"Window23=Quillever \r\n", false},
      {"Window23=QuilleverX\r\n", false},
      {"Window23= Quillever\r\n", false},
      {"Quillever\r\n", false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(HasGaugeTitleLine(c.file), c.found) << c.file;
}

}  // namespace
}  // namespace ql2
