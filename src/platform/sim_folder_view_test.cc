#include "platform/sim_folder_view.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/forwarding_file_system.h"
#include "platform/memory_file_system.h"

namespace ql2 {
namespace {

// A disk that spells some paths otherwise than they are asked for: the first rule that fits
// replaces a start of a path, as letter case or a short name's long form would.
class SpellingFileSystem : public ForwardingFileSystem {
 public:
  SpellingFileSystem(MemoryFileSystem& memory, char separator,
                     std::vector<std::pair<std::string, std::string>> spellings)
      : ForwardingFileSystem(memory), separator_(separator), spellings_(std::move(spellings)) {}
  char Separator() const override { return separator_; }
  std::string PathOnDisk(const std::string& path) override {
    for (const auto& [asked, on_disk] : spellings_) {
      if (path.compare(0, asked.size(), asked) == 0) return on_disk + path.substr(asked.size());
    }
    return path;
  }

 private:
  char separator_;
  std::vector<std::pair<std::string, std::string>> spellings_;
};

TEST(SimFolderViewTest, DisplayNamesAreSpeltAsOnDiskFromTheFolderOn) {
  struct Case {
    const char* name;
    char separator;
    std::string folder;
    std::vector<std::pair<std::string, std::string>> spellings;
    const char* relative;
    const char* expected;
  };
  const Case cases[] = {
      {"as given", '/', "/sim", {}, "\\QL\\qlever2.con", "QL/qlever2.con"},
      {"letter case on disk",
       '/',
       "/sim",
       {{"/sim/Aircraft/feelThere pic 737-300/panel", "/sim/Aircraft/FeelThere PIC 737-300/Panel"}},
       "\\Aircraft\\feelThere pic 737-300\\panel\\panel.cfg",
       "Aircraft/FeelThere PIC 737-300/Panel/panel.cfg"},
      {"the folder spelt otherwise too",
       '/',
       "/SIM/",
       {{"/SIM//QL", "/Sim//ql"}, {"/SIM/", "/Sim/"}},
       "\\QL\\qlever2.con",
       "ql/qlever2.con"},
      {"a short name's long form in the folder",
       '\\',
       "C:\\PROGRA~1\\FS9",
       {{"C:\\PROGRA~1\\FS9\\QL", "C:\\Program Files\\FS9\\Ql"},
        {"C:\\PROGRA~1\\FS9", "C:\\Program Files\\FS9"}},
       "\\QL\\qlever2.con",
       "Ql\\qlever2.con"},
      {"the folder not found in the answer",
       '/',
       "/sim",
       {{"/sim/QL", "/elsewhere/QL"}},
       "\\QL\\qlever2.con",
       "QL/qlever2.con"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryFileSystem memory;
    SpellingFileSystem fs(memory, c.separator, c.spellings);
    SimFolderView view(fs, c.folder);
    EXPECT_EQ(view.DisplayName(c.relative), c.expected);
  }
}

// What the view's own click wrote is its content from then on, without reading the file again:
// an edit written as splices is joined when asked for, and a file it looked at and deleted is
// gone.
TEST(SimFolderViewTest, AWrittenFileIsWhatWasWrittenWithoutARead) {
  MemoryFileSystem fs;
  fs.AddFile("/sim/panel/panel.cfg", "[A]\r\n");
  fs.AddFile("/sim/panel/panel.backup", "old");
  SimFolderView view(fs, "/sim");
  ASSERT_EQ(view.Content("\\panel\\panel.cfg").bytes, std::string("[A]\r\n"));
  const SharedBytes read = view.Content("\\panel\\panel.cfg").bytes;
  ASSERT_EQ(view.Kind("\\panel\\panel.backup"), EntryKind::kFile);
  view.Wrote("\\panel\\panel.cfg", SplicedBytes(read, {{5, 0, "x=1\r\n"}}));
  view.Changed("/sim/panel/panel.backup", true, SplicedBytes());
  fs.ClearLog();
  EXPECT_EQ(view.Kind("\\panel\\panel.cfg"), EntryKind::kFile);
  EXPECT_EQ(view.Content("\\panel\\panel.cfg").bytes, std::string("[A]\r\nx=1\r\n"));
  EXPECT_FALSE(view.Content("\\panel\\panel.backup").exists());
  EXPECT_TRUE(fs.log().empty());
}

}  // namespace
}  // namespace ql2
