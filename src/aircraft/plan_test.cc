// The plans of a click as tables on bytes: what an installation writes into files whose names are
// partly taken already, and what a removal makes of files that changed since the installation.
#include "aircraft/plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "lookalike/lookalike_panel.h"
#include "platform/profile.h"
#include "platform/sim_path.h"

namespace ql2 {
namespace {

constexpr char kRecord[] =
    "[Cheyenne]\r\nInstalled=0\r\n[ATR]\r\nInstalled=0\r\n[PMDG]\r\nInstalled=0\r\nFull=0\r\n"
    "[PIC]\r\nInstalled=0\r\nFull=1\r\n";

FileContent Content(const std::string& bytes) {
  FileContent content;
  content.kind = EntryKind::kFile;
  content.bytes = bytes;
  return content;
}

// A click's input from the files given by their relative paths; the record as given.
FamilyInput Input(const Family& family, const std::map<std::string, std::string>& files,
                  const std::string& record = kRecord) {
  FamilyInput input;
  input.panels_folder = input.record_folder = "/sim";
  input.record = Content(record);
  for (const PanelFile& file : family.files) {
    PanelFileInput one;
    auto config = files.find(std::string(file.config));
    if (config != files.end()) one.config = Content(config->second);
    auto backup = files.find(std::string(file.backup));
    if (backup != files.end()) one.backup = Content(backup->second);
    one.kept_config_name = std::string(file.config) + ".before-quillever";
    one.kept_backup_name = std::string(file.backup) + ".before-quillever";
    input.files.push_back(std::move(one));
  }
  return input;
}

// What the plan leaves in each file it writes, by relative path as the tables write it ("" for a
// deleted file).
std::map<std::string, std::string> Written(const Plan& plan) {
  std::map<std::string, std::string> written;
  for (const PlanStep& step : plan.steps) {
    std::string relative = step.path.substr(std::string("/sim").size());
    std::replace(relative.begin(), relative.end(), '/', '\\');
    written[relative] = step.remove ? "" : step.bytes.Joined();
  }
  return written;
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// A "Window Titles" section with the titles Window00 to Window<count - 1>.
std::string Titles(int count) {
  std::vector<std::string> lines = {"[Window Titles]"};
  for (int i = 0; i < count; ++i) {
    lines.push_back((i < 10 ? "Window0" : "Window") + std::to_string(i) + "=Window " +
                    std::to_string(i));
  }
  return Lines(lines);
}

constexpr char kAtrConfig[] = "\\Aircraft\\Flight 1 ATR-72-500\\panel\\panel.cfg";
constexpr char kAtrBackup[] = "\\Aircraft\\Flight 1 ATR-72-500\\panel\\panel.cfg.backup";
constexpr char kAtrGauge[] = "QLever2!QL,  0,0,19,19   //Quillever gauge by Tamsel";
constexpr char kPicGauge[] = "QLever2!QL,  0,141,22,22   //Quillever gauge by Tamsel";

std::string AtrPanel(const std::vector<std::string>& titles,
                     const std::vector<std::string>& window00) {
  std::vector<std::string> lines = {"[Window Titles]"};
  lines.insert(lines.end(), titles.begin(), titles.end());
  lines.push_back("[Window00]");
  lines.insert(lines.end(), window00.begin(), window00.end());
  for (const char* line :
       {"[Window01]", "gauge00=ATR!Overhead, 0,0,1,1", "[Fixed Window38]", "[Fixed Window39]"}) {
    lines.push_back(line);
  }
  return Lines(lines);
}

// A name formed from a count that missed a line, or from another file of the family, is taken
// in the file already: the next free number is used there, so no neighbour is overwritten.
TEST(PlanInstallTest, TakenNamesAreSkippedFileByFile) {
  struct Case {
    const char* name;
    const Family& family;
    std::map<std::string, std::string> files;
    // Lines each written file must hold, by relative path, and lines it must still hold.
    std::map<std::string, std::vector<std::string>> holds;
  };
  const std::string pic300 = "\\Aircraft\\feelThere pic 737-300\\panel\\panel.cfg";
  const std::string pic400 = "\\Aircraft\\feelThere pic 737-400\\panel\\panel.cfg";
  const std::string pic500 = "\\Aircraft\\feelThere pic 737-500\\panel\\panel.cfg";
  const std::string pic_panel =
      Lines({"[Window Titles]", "Window00=Main", "[Window08]", "gauge00=PIC!A, 0,0,1,1",
             "gauge01=PIC!B, 0,0,1,1", "[Window09]"});
  const std::string ng700 = "\\Aircraft\\PMDG737-700\\panel\\panel.cfg";
  const std::string ng700vc = "\\Aircraft\\PMDG737-700\\panel.VC\\panel.cfg";
  const std::vector<Case> cases = {
      {"a gauge key in capitals: the count misses it, the write would match it",
       AtrFamily(),
       {{kAtrConfig, AtrPanel({"Window00=Main"}, {"Gauge00=ATR!Clock, 0,0,1,1"})}},
       {{kAtrConfig,
         {"Gauge00=ATR!Clock, 0,0,1,1", "gauge1=" + std::string(kAtrGauge), "Window1=Quillever"}}}},
      {"an indented gauge key",
       PicFamily(),
       {{pic300, pic_panel + Lines({"\tgauge02=PIC!Indented, 0,0,1,1"})},
        {pic400, pic_panel},
        {pic500, pic_panel}},
       {{pic400, {"gauge02=" + std::string(kPicGauge)}}}},
      {"a 737-400 whose Window08 holds more gauges than the 737-300's",
       PicFamily(),
       {{pic300, pic_panel},
        {pic400, Lines({"[Window Titles]", "Window00=Main", "[Window08]", "gauge00=PIC!A, 0,0,1,1",
                        "gauge01=PIC!B, 0,0,1,1", "gauge02=PIC!C, 0,0,1,1", "[Window09]"})},
        {pic500, pic_panel}},
       {{pic300, {"gauge02=" + std::string(kPicGauge)}},
        {pic400, {"gauge02=PIC!C, 0,0,1,1", "gauge03=" + std::string(kPicGauge)}},
        {pic500, {"gauge02=" + std::string(kPicGauge)}}}},
      {"a 737NG virtual cockpit with more windows than the 2D panel",
       PmdgFamily(),
       {{ng700, Titles(8)}, {ng700vc, Titles(12)}},
       {{ng700, {"Window10=Quillever", "Window11=QL", "[Window10]", "[Window11]"}},
        {ng700vc,
         {"Window10=Window 10", "Window11=Window 11", "Window12=Quillever", "Window13=QL",
          "[Window12]", "[Window13]"}}}},
      {"a window section whose name has no title entry",
       AtrFamily(),
       {{kAtrConfig,
         AtrPanel({"Window00=Main"}, {}) + Lines({"[ window1 ]", "gauge00=X!y, 0,0,1,1"})}},
       {{kAtrConfig, {"Window2=Quillever", "[Window2]", "[ window1 ]"}}}},
      {"a title key in another letter case",
       AtrFamily(),
       {{kAtrConfig, AtrPanel({"Window00=Main", "  WINDOW1 = Mine"}, {})}},
       {{kAtrConfig, {"  WINDOW1 = Mine", "Window2=Quillever", "[Window2]"}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Result<Plan> plan = PlanInstall(c.family, Input(c.family, c.files), InstallKind::kFresh);
    ASSERT_TRUE(plan.ok()) << plan.status().message();
    const std::map<std::string, std::string> written = Written(plan.value());
    for (const auto& [path, lines] : c.holds) {
      ASSERT_TRUE(written.count(path)) << path;
      for (const std::string& line : lines) {
        EXPECT_NE(written.at(path).find(line + "\r\n"), std::string::npos) << path << ": " << line;
      }
    }
  }
}

// Where nothing is taken the bytes are those the count gives, and every other byte stays.
TEST(PlanInstallTest, NothingTakenGivesTheCountedNames) {
  const std::string before = AtrPanel({"Window00=Main", "Window01=Overhead"},
                                      {"gauge00=ATR!A, 0,0,1,1", "gauge01=ATR!B, 0,0,1,1"});
  Result<Plan> plan =
      PlanInstall(AtrFamily(), Input(AtrFamily(), {{kAtrConfig, before}}), InstallKind::kFresh);
  ASSERT_TRUE(plan.ok());
  std::string expected = profile::WriteString(before, "Window Titles", "Window2", "Quillever");
  expected += Lines({"", "[Window2]", "Background_color=0,0,0", "size_mm=1024,768",
                     "window_size_ratio=1.000", "position=0", "Visible=0", "ident=80",
                     "window_size=1.000, 1.000", "window_pos=0.000, 0.000", "",
                     "gauge00=QLever2!Cp6uja,  0,0,19,19   //Quillever gauge by Tamsel"});
  expected = profile::WriteString(expected, "Window00", "gauge2", kAtrGauge);
  expected = profile::WriteString(expected, "Fixed Window38", "gauge00", kAtrGauge);
  EXPECT_EQ(Written(plan.value())[kAtrConfig], expected);
  EXPECT_EQ(Written(plan.value())[kAtrBackup], before);
}

// Steps, kept copies and refusals name files as the input's display names give them (the disk's
// letter case), and a refusal keeps the kind of its problem.
TEST(PlanTest, FilesAreNamedByTheInputsDisplayNames) {
  const std::string panel = AtrPanel({"Window00=Main"}, {});
  const std::string shown = "Aircraft/FLIGHT 1 ATR-72-500/Panel/panel.cfg";
  FamilyInput input =
      Input(AtrFamily(), {{kAtrConfig, panel}, {kAtrBackup, "someone else's copy"}});
  input.display_names[kAtrConfig] = shown;
  input.display_names[kAtrBackup] = shown + ".backup";
  input.display_names[input.files[0].kept_backup_name] = shown + ".backup.before-quillever";
  Result<Plan> plan = PlanInstall(AtrFamily(), input, InstallKind::kFresh);
  ASSERT_TRUE(plan.ok()) << plan.status().message();
  std::vector<std::string> displays;
  for (const PlanStep& step : plan.value().steps) displays.push_back(step.display);
  EXPECT_EQ(displays, (std::vector<std::string>{shown + ".backup.before-quillever",
                                                shown + ".backup", shown, "QL/qlever2.con"}));
  ASSERT_EQ(plan.value().kept.size(), 1u);
  EXPECT_EQ(plan.value().kept[0].file, shown + ".backup");
  EXPECT_EQ(plan.value().kept[0].kept, shown + ".backup.before-quillever");

  input.files[0].config.error = Status::Failed(ErrorKind::kInUse, "read", "/sim/x");
  Result<Plan> refused = PlanInstall(AtrFamily(), input, InstallKind::kFresh);
  EXPECT_EQ(refused.status().cause(), shown + " is in use by another program");
  EXPECT_EQ(refused.status().kind(), ErrorKind::kInUse);
}

// A removal on bytes: the backup comes back only over what the installation left; otherwise the
// installation's entries come out and the backup is kept.
TEST(PlanRemoveTest, LaterChangesAreKept) {
  const std::string original =
      AtrPanel({"Window00=Main"}, {"gauge00=ATR!A, 0,0,1,1"}) + Lines({"; the owner's notes"});
  Result<Plan> install =
      PlanInstall(AtrFamily(), Input(AtrFamily(), {{kAtrConfig, original}}), InstallKind::kFresh);
  ASSERT_TRUE(install.ok());
  const std::string installed = Written(install.value())[kAtrConfig];
  const std::string record = profile::WriteString(kRecord, "ATR", "Installed", "1");
  const std::string kept = std::string(kAtrConfig) + ".before-quillever";

  struct Case {
    const char* name;
    std::string now;       // the panel file at the removal
    std::string expected;  // the panel file after it
    bool keeps_backup;
  };
  const std::string foreign_title =
      profile::WriteString(installed, "Window Titles", "Window5", "Other");
  const std::vector<Case> cases = {
      {"untouched since", installed, original, false},
      {"a line added by the owner", installed + "; later\r\n", original + "; later\r\n", true},
      {"another installer's title", foreign_title,
       profile::WriteString(original, "Window Titles", "Window5", "Other"), true},
      {"our gauge moved by hand",
       installed.substr(0, installed.find("gauge1=QLever2!QL,  0,0")) + "gauge1=QLever2!QL,  9,9" +
           installed.substr(installed.find("gauge1=QLever2!QL,  0,0") + 23),
       original, false},
      {"the add-on reinstalled", "[Window Titles]\r\nWindow00=New\r\n",
       "[Window Titles]\r\nWindow00=New\r\n", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Result<Plan> plan = PlanRemove(
        AtrFamily(), Input(AtrFamily(), {{kAtrConfig, c.now}, {kAtrBackup, original}}, record));
    ASSERT_TRUE(plan.ok()) << plan.status().message();
    std::map<std::string, std::string> written = Written(plan.value());
    const std::string after = written.count(kAtrConfig) ? written[kAtrConfig] : c.now;
    EXPECT_EQ(after, c.expected);
    EXPECT_EQ(written[kAtrBackup], "");  // deleted
    EXPECT_EQ(written.count(kept) == 1, c.keeps_backup);
    if (c.keeps_backup) {
      EXPECT_EQ(written[kept], original);
    }
    EXPECT_EQ(plan.value().kept.size(), c.keeps_backup ? 1u : 0u);
  }
}

// A file at the backup's name is this program's when its panel file is that backup again or
// carries the installation beyond it.
TEST(PlanRemoveTest, OwnBackups) {
  const std::string original = AtrPanel({"Window00=Main"}, {});
  Result<Plan> install =
      PlanInstall(AtrFamily(), Input(AtrFamily(), {{kAtrConfig, original}}), InstallKind::kFresh);
  ASSERT_TRUE(install.ok());
  const std::string installed = Written(install.value())[kAtrConfig];
  struct Case {
    const char* name;
    std::string config, backup;
    bool own;
  };
  const Case cases[] = {
      {"the installation's", installed, original, true},
      {"put back already", original, original, true},
      {"someone's copy beside a file without the gauge", original, "my copy", false},
      {"someone's copy of a file that carries the gauge too", installed, installed, true},
      {"a copy that carries the gauge beside a file that carries it", installed,
       installed + "; changed\r\n", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FamilyInput input = Input(AtrFamily(), {{kAtrConfig, c.config}, {kAtrBackup, c.backup}});
    EXPECT_EQ(IsOwnBackup(AtrFamily(), input.files[0].config, input.files[0].backup), c.own);
  }
}

}  // namespace
}  // namespace ql2
