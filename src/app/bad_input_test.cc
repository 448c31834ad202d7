// Malformed input of every kind: each either gets one clear sentence on the status line and leaves
// every byte of the simulator folder as it was, or, valid after all, survives an installation and
// a removal byte for byte.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "app/family_controls.h"
#include "app/main_window.h"
#include "app/recording_window.h"
#include "app/texts.h"
#include "platform/memory_file_system.h"

namespace ql2 {
namespace {

const char kSim[] = "/sim";
const char kFolder[] = "/sim/Aircraft/Flight 1 ATR-72-500/panel";
const char kPanel[] = "/sim/Aircraft/Flight 1 ATR-72-500/panel/panel.cfg";
const char kBackup[] = "/sim/Aircraft/Flight 1 ATR-72-500/panel/panel.cfg.backup";
const char kRecord[] = "/sim/QL/qlever2.con";
const char kRecordText[] =
    "[Options]\r\nFirst Time=0\r\n[ATR]\r\nInstalled=0\r\n[PMDG]\r\nFull=0\r\n[PIC]\r\nFull=0\r\n";
const char kPanelText[] =
    "[Window Titles]\r\nWindow00=Main\r\n\r\n[Window00]\r\ngauge00=a!b, 1,2,3,4\r\n"
    "[Window01]\r\n[Fixed Window38]\r\n[Fixed Window39]\r\n";
const char kCannot[] = "Cannot install: Aircraft/Flight 1 ATR-72-500/panel/panel.cfg ";
// What the status line then says the user can do, by the kind of problem.
const char kPutBack[] =
    " Put back the add-on's own copy of the file, or reinstall the add-on, then try again.";
const char kMakeWritable[] = " Make it writable (clear its read-only mark), then try again.";
const char kGiveRights[] =
    " Give your user account the right to read and change it, then try again.";
const char kClose[] =
    " Close the program that holds it (the simulator, or an editor), then try again.";
const char kMoveAway[] = " Move away what stands at that name, then try again.";

std::string Repeat(const std::string& text, std::size_t times) {
  std::string out;
  for (std::size_t i = 0; i < times; ++i) out += text;
  return out;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

struct BadInput {
  const char* name;
  std::function<void(MemoryFileSystem&)> spoil;
  // The status line after the click on Install, or after the scan when Install is not offered;
  // empty: the input is valid after all, and install then remove must restore it exactly.
  std::string status;
  bool offered = true;
  std::string registry = kSim;
};

void PrintTo(const BadInput& c, std::ostream* os) {
  *os << c.name;
}

void SetPanel(MemoryFileSystem& fs, const std::string& bytes) {
  fs.AddFile(kPanel, bytes);
}

const BadInput kBadInputs[] = {
    {"BinaryJunk",
     [](MemoryFileSystem& fs) {
       std::string junk;
       for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 7919 + 13) % 256);
       SetPanel(fs, junk);
     },
     std::string(kCannot) + "has no [Window00] section." + kPutBack},
    {"NulBytesInAValidFile",
     [](MemoryFileSystem& fs) {
       SetPanel(fs, std::string("\0\0junk\0\r\n", 9) + kPanelText + std::string("x\0y\r\n", 5));
     },
     ""},
    {"OneTenMegabyteLine",
     [](MemoryFileSystem& fs) {
       SetPanel(fs, kPanelText + ("//" + std::string(10 << 20, 'x') + "\r\n"));
     },
     ""},
    {"NoLineEndsAtAll",
     [](MemoryFileSystem& fs) { SetPanel(fs, Replace(kPanelText, "\r\n", " ")); },
     std::string(kCannot) + "has no [Window00] section." + kPutBack},
    {"LineFeedsOnly", [](MemoryFileSystem& fs) { SetPanel(fs, Replace(kPanelText, "\r\n", "\n")); },
     ""},
    {"CarriageReturnsOnly",
     [](MemoryFileSystem& fs) { SetPanel(fs, Replace(kPanelText, "\r\n", "\r")); }, ""},
    {"Utf8ByteOrderMark",
     [](MemoryFileSystem& fs) { SetPanel(fs, std::string("\xEF\xBB\xBF") + kPanelText); }, ""},
    {"Utf16LittleEndian",
     [](MemoryFileSystem& fs) {
       std::string wide = "\xFF\xFE";
       for (char c : std::string(kPanelText)) wide += std::string(1, c) + '\0';
       SetPanel(fs, wide);
     },
     std::string(kCannot) +
         "is saved as UTF-16 text, which the simulator does not read; it was left as it is." +
         kPutBack},
    {"Utf16BigEndian", [](MemoryFileSystem& fs) { SetPanel(fs, std::string("\xFE\xFF\0[", 4)); },
     std::string(kCannot) +
         "is saved as UTF-16 text, which the simulator does not read; it was left as it is." +
         kPutBack},
    {"PanelFileIsAFolder",
     [](MemoryFileSystem& fs) {
       fs.RemoveFolder(kFolder);
       fs.AddFolder(kPanel);
     },
     std::string(kCannot) + "is not a regular file." + kMoveAway},
    {"EmptyPanelFile", [](MemoryFileSystem& fs) { SetPanel(fs, ""); },
     std::string(kCannot) + "has no [Window00] section." + kPutBack},
    {"StopLineMissing",
     [](MemoryFileSystem& fs) { SetPanel(fs, Replace(kPanelText, "[Fixed Window39]\r\n", "")); },
     std::string(kCannot) + "has no [Fixed Window39] section after [Fixed Window38]." + kPutBack},
    {"StopLineBeforeStartLine",
     [](MemoryFileSystem& fs) {
       SetPanel(fs, Replace(Replace(kPanelText, "[Fixed Window38]", "[tmp]"), "[Fixed Window39]",
                            "[Fixed Window38]"));
       SetPanel(fs, Replace(fs.FileBytes(kPanel), "[tmp]", "[Fixed Window39]"));
     },
     std::string(kCannot) + "has no [Fixed Window38] section before [Fixed Window39]." + kPutBack},
    {"HeaderWithTrailingBlankIsNotTheHeader",
     [](MemoryFileSystem& fs) { SetPanel(fs, Replace(kPanelText, "[Window00]", "[Window00] ")); },
     std::string(kCannot) + "has no [Window00] section before [Window01]." + kPutBack},
    {"NoWindowTitlesSection",
     [](MemoryFileSystem& fs) {
       SetPanel(fs, Replace(kPanelText, "[Window Titles]\r\nWindow00=Main\r\n", ""));
     },
     ""},
    {"TooManyWindowLines",
     [](MemoryFileSystem& fs) { SetPanel(fs, kPanelText + Repeat("Window=x\r\n", 40000)); },
     std::string(kCannot) + "has more than 32767 window lines." + kPutBack},
    {"ReadOnlyPanelFile", [](MemoryFileSystem& fs) { fs.FindFile(kPanel)->read_only = true; },
     std::string(kCannot) + "is read-only." + kMakeWritable},
    {"UnreadablePanelFile", [](MemoryFileSystem& fs) { fs.FindFile(kPanel)->unreadable = true; },
     std::string(kCannot) + "cannot be opened: permission denied." + kGiveRights},
    {"PanelFileInUse", [](MemoryFileSystem& fs) { fs.FindFile(kPanel)->in_use = true; },
     std::string(kCannot) + "is in use by another program." + kClose},
    {"PanelFolderNotWritable", [](MemoryFileSystem& fs) { fs.SetFolderWritable(kFolder, false); },
     std::string("Cannot install: the folder Aircraft/Flight 1 ATR-72-500/panel cannot be written: "
                 "permission denied.") +
         kGiveRights},
    {"BackupNameTakenByAFolder", [](MemoryFileSystem& fs) { fs.AddFolder(kBackup); },
     std::string("Cannot install: Aircraft/Flight 1 ATR-72-500/panel/panel.cfg.backup is not a "
                 "regular file.") +
         kMoveAway},
    {"RecordFileOfJunk",
     [](MemoryFileSystem& fs) { fs.AddFile(kRecord, std::string("\x01\x02[[==\0junk", 11)); }, ""},
    {"ReadOnlyRecordFile", [](MemoryFileSystem& fs) { fs.FindFile(kRecord)->read_only = true; },
     std::string("Cannot install: QL/qlever2.con is read-only.") + kMakeWritable},
    {"UnreadableRecordFile", [](MemoryFileSystem& fs) { fs.FindFile(kRecord)->unreadable = true; },
     std::string("Cannot read QL/qlever2.con: permission denied.") + kGiveRights, false},
    {"RecordIsAFolder",
     [](MemoryFileSystem& fs) {
       fs.RemoveFolder("/sim/QL");
       fs.AddFile("/sim/QL/uninst.swi", "");
       fs.AddFolder(kRecord);
     },
     std::string("Cannot read QL/qlever2.con: not a regular file.") + kMoveAway, false},
    {"RegistryNamesAFile", [](MemoryFileSystem& fs) { fs.AddFile("/simfile", "x"); },
     std::string(texts::kSimulatorNotFound), false, "/simfile"},
    {"RegistryNamesNothing", [](MemoryFileSystem&) {}, std::string(texts::kSimulatorNotFound),
     false, "/nowhere"},
};

class BadInputTest : public ::testing::TestWithParam<BadInput> {};

TEST_P(BadInputTest, ClearSentenceAndNothingChangedOrAnExactRoundTrip) {
  const BadInput& c = GetParam();
  MemoryFileSystem fs;
  fs.AddFile(kRecord, kRecordText);
  fs.AddFile("/sim/QL/uninst.swi", "");
  SetPanel(fs, kPanelText);
  c.spoil(fs);
  const auto before = fs.files();

  RecordingWindow window;
  MemoryRegistry registry(c.registry);
  RecordingShell shell;
  MainWindowLogic logic(window, fs, registry, shell);
  logic.StartupScan();
  const ControlId status = ControlsOf(AtrFamily()).status;
  auto bytes_equal = [&](const std::map<std::string, MemoryFile>& a) {
    if (a.size() != fs.files().size()) return false;
    for (const auto& [path, file] : a) {
      // A record of junk gets the keys the scan writes; its own bytes stay ahead of them.
      if (path == kRecord && c.status.empty()) {
        if (fs.FileBytes(path).compare(0, file.bytes.size(), file.bytes) != 0) return false;
        continue;
      }
      if (!fs.HasFile(path) || fs.FileBytes(path) != file.bytes) return false;
    }
    return true;
  };

  if (!c.offered) {
    EXPECT_FALSE(window.IsClickable(ControlsOf(AtrFamily()).install));
    EXPECT_EQ(window.Caption(status), c.status);
    EXPECT_TRUE(bytes_equal(before));
    return;
  }
  ASSERT_TRUE(window.IsClickable(ControlsOf(AtrFamily()).install)) << window.Caption(status);
  bool installed = logic.Click(ControlsOf(AtrFamily()).install);
  if (!c.status.empty()) {
    EXPECT_FALSE(installed);
    EXPECT_EQ(window.Caption(status), c.status);
    EXPECT_TRUE(bytes_equal(before));
    return;
  }
  ASSERT_TRUE(installed) << window.Caption(status);
  EXPECT_NE(fs.FileBytes(kPanel).find("=Quillever\r\n"), std::string::npos);
  ASSERT_TRUE(logic.Click(ControlsOf(AtrFamily()).remove)) << window.Caption(status);
  EXPECT_TRUE(bytes_equal(before));
}

INSTANTIATE_TEST_SUITE_P(Inputs, BadInputTest, ::testing::ValuesIn(kBadInputs),
                         [](const auto& info) { return std::string(info.param.name); });

// A byte-order mark is not part of the first line: the title goes into the existing section.
TEST(ByteOrderMarkTest, FirstSectionIsStillFound) {
  MemoryFileSystem fs;
  fs.AddFile(kRecord, kRecordText);
  fs.AddFile("/sim/QL/uninst.swi", "");
  SetPanel(fs, std::string("\xEF\xBB\xBF") + kPanelText);
  RecordingWindow window;
  MemoryRegistry registry(kSim);
  RecordingShell shell;
  MainWindowLogic logic(window, fs, registry, shell);
  logic.StartupScan();
  ASSERT_TRUE(logic.Click(ControlsOf(AtrFamily()).install));
  const std::string& panel = fs.FileBytes(kPanel);
  const std::string head = "\xEF\xBB\xBF[Window Titles]\r\nWindow00=Main\r\nWindow1=Quillever\r\n";
  EXPECT_EQ(panel.compare(0, head.size(), head), 0) << panel;
  EXPECT_EQ(panel.find("[Window Titles]", 10), std::string::npos);
}

}  // namespace
}  // namespace ql2
