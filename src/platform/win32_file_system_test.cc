// Windows semantics of the real file system, run on Windows or under Wine.
#include "platform/win32_file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/win32_api.h"
#include "platform/win32_test_files.h"
#include "platform/win32_test_process.h"

namespace ql2 {
namespace {

constexpr char kOldBytes[] = "[Window00]\r\nfile=old.bmp\r\n";
// CR LF, a lone LF, a NUL, an end-of-file mark and bytes above 127 must all survive as they are.
const std::string kNewBytes("[Window00]\r\ngauge00=QL!Quillever2\n\0\x1a\xe9\xff\r\n", 31);

// A fresh folder in the system's temporary folder, removed with all it holds.
class Win32FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = win32_test::MakeTempFolder("ql2-fs-test");
    ASSERT_FALSE(dir_.empty());
  }
  void TearDown() override {
    if (!dir_.empty()) win32_test::RemoveTree(dir_);
  }

  std::string Path(const std::string& name) const { return dir_ + "\\" + name; }

  void Put(const std::string& name, const std::string& bytes,
           DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    ASSERT_TRUE(win32_test::WriteWhole(Path(name), bytes)) << name;
    ASSERT_TRUE(SetFileAttributesA(Path(name).c_str(), attributes)) << name;
  }

  // The file's bytes read without the class under test.
  std::string Bytes(const std::string& name) const {
    return win32_test::ReadWhole(Path(name), "<unreadable>");
  }

  DWORD Attributes(const std::string& name) const { return GetFileAttributesA(Path(name).c_str()); }

  std::set<std::string> Entries() const {
    std::set<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(Path("*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
      std::string name = entry.cFileName;
      if (name != "." && name != "..") names.insert(name);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return names;
  }

  Win32FileSystem fs_;
  std::string dir_;
};

constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

TEST_F(Win32FileSystemTest, ReplaceWritesExactBytesAndKeepsAttributes) {
  const DWORD cases[] = {FILE_ATTRIBUTE_NORMAL, FILE_ATTRIBUTE_ARCHIVE, FILE_ATTRIBUTE_HIDDEN,
                         FILE_ATTRIBUTE_SYSTEM, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM};
  for (DWORD attributes : cases) {
    SCOPED_TRACE(attributes);
    const std::string name = "panel" + std::to_string(attributes) + ".cfg";
    Put(name, kOldBytes, attributes);
    const DWORD before = Attributes(name) & kKept;

    Status status = fs_.ReplaceFile(Path(name), kNewBytes);

    ASSERT_TRUE(status.ok()) << status.message();
    EXPECT_EQ(Bytes(name), kNewBytes);
    Result<SharedBytes> read = fs_.ReadBytes(Path(name));
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.value(), kNewBytes);
    EXPECT_EQ(Attributes(name) & kKept, before);
  }
  // Only the files themselves: no temporary file left beside them.
  EXPECT_EQ(Entries().size(), std::size(cases));
}

TEST_F(Win32FileSystemTest, ReplaceCreatesAMissingFileButNotAMissingFolder) {
  ASSERT_TRUE(fs_.ReplaceFile(Path("qlever2.con"), kNewBytes).ok());
  EXPECT_EQ(Bytes("qlever2.con"), kNewBytes);
  EXPECT_EQ(Attributes("qlever2.con") & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM), 0u);

  EXPECT_EQ(fs_.ReplaceFile(Path("QL\\qlever2.con"), "x").kind(), ErrorKind::kNotFound);
  EXPECT_EQ(Entries(), (std::set<std::string>{"qlever2.con"}));
}

// The parts are written one after another, empty ones and one larger than a single write.
TEST_F(Win32FileSystemTest, ReplaceWithPartsWritesThemInOrder) {
  Put("panel.cfg", kOldBytes);
  const std::string large(3u << 19, 'g');  // one and a half times a single write
  const std::vector<std::string_view> parts = {"", kNewBytes, large, "", kOldBytes};
  ASSERT_TRUE(fs_.ReplaceFileWithParts(Path("panel.cfg"), parts).ok());
  EXPECT_EQ(Bytes("panel.cfg"), kNewBytes + large + kOldBytes);
  EXPECT_EQ(Entries(), (std::set<std::string>{"panel.cfg"}));
}

TEST_F(Win32FileSystemTest, ReplaceAcceptsForwardSlashes) {
  Put("panel.cfg", kOldBytes);
  std::string path = dir_ + "/panel.cfg";
  ASSERT_TRUE(fs_.ReplaceFile(path, kNewBytes).ok());
  EXPECT_EQ(Bytes("panel.cfg"), kNewBytes);
}

// Each way of writing or removing a read-only file is refused, and the file stays as it was.
TEST_F(Win32FileSystemTest, ReadOnlyFileIsRefusedByEveryWrite) {
  Put("source.cfg", kNewBytes);
  struct Case {
    const char* what;
    Status (*run)(Win32FileSystem&, const std::string& dir);
  };
  const Case cases[] = {
      {"replace",
       [](Win32FileSystem& fs, const std::string& dir) {
         return fs.ReplaceFile(dir + "\\panel.cfg", kNewBytes);
       }},
      {"copy over",
       [](Win32FileSystem& fs, const std::string& dir) {
         return fs.CopyFile(dir + "\\source.cfg", dir + "\\panel.cfg");
       }},
      {"delete", [](Win32FileSystem& fs,
                    const std::string& dir) { return fs.DeleteFile(dir + "\\panel.cfg"); }},
      {"check editable",
       [](Win32FileSystem& fs, const std::string& dir) {
         return fs.CheckEditable(dir + "\\panel.cfg");
       }},
  };
  Put("panel.cfg", kOldBytes, FILE_ATTRIBUTE_READONLY);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Status status = c.run(fs_, dir_);
    EXPECT_EQ(status.kind(), ErrorKind::kReadOnly) << status.message();
    EXPECT_EQ(Bytes("panel.cfg"), kOldBytes);
    EXPECT_NE(Attributes("panel.cfg") & FILE_ATTRIBUTE_READONLY, 0u);
  }
  EXPECT_EQ(Entries(), (std::set<std::string>{"panel.cfg", "source.cfg"}));
  // Reading stays allowed.
  Result<std::string> read = fs_.ReadFile(Path("panel.cfg"));
  ASSERT_TRUE(read.ok()) << read.status().message();
  EXPECT_EQ(read.value(), kOldBytes);
}

// Another program holding the file: how it shares it decides what may still be done.
TEST_F(Win32FileSystemTest, FileHeldByAnotherHandleIsInUse) {
  struct Case {
    const char* what;
    DWORD access;
    DWORD share;
    bool readable;
  };
  const Case cases[] = {
      {"held with no sharing", GENERIC_READ | GENERIC_WRITE, 0, false},
      {"read, shared with readers only", GENERIC_READ, FILE_SHARE_READ, true},
      {"read, shared with readers and writers", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
       true},
  };
  Put("panel.cfg", kOldBytes);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HANDLE holder = CreateFileA(Path("panel.cfg").c_str(), c.access, c.share, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);

    Status replace = fs_.ReplaceFile(Path("panel.cfg"), kNewBytes);
    Status check = fs_.CheckEditable(Path("panel.cfg"));
    Status remove = fs_.DeleteFile(Path("panel.cfg"));
    Result<std::string> read = fs_.ReadFile(Path("panel.cfg"));
    CloseHandle(holder);

    EXPECT_EQ(replace.kind(), ErrorKind::kInUse) << replace.message();
    EXPECT_EQ(check.kind(), ErrorKind::kInUse) << check.message();
    EXPECT_EQ(remove.kind(), ErrorKind::kInUse) << remove.message();
    if (c.readable) {
      EXPECT_TRUE(read.ok()) << read.status().message();
    } else {
      EXPECT_EQ(read.status().kind(), ErrorKind::kInUse) << read.status().message();
    }
    EXPECT_EQ(Bytes("panel.cfg"), kOldBytes);
    EXPECT_EQ(Entries(), (std::set<std::string>{"panel.cfg"}));
  }
  // Released, the same file is written at once.
  ASSERT_TRUE(fs_.ReplaceFile(Path("panel.cfg"), kNewBytes).ok());
  EXPECT_EQ(Bytes("panel.cfg"), kNewBytes);
}

TEST_F(Win32FileSystemTest, StatReportsKindAndHiddenSystemAttributes) {
  ASSERT_TRUE(CreateDirectoryA(Path("panel").c_str(), nullptr));
  Put("plain.swi", "");
  Put("hidden.swi", "", FILE_ATTRIBUTE_HIDDEN);
  Put("system.swi", "", FILE_ATTRIBUTE_SYSTEM);
  Put("both.swi", "", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  struct Case {
    std::string path;
    EntryKind kind;
    bool hidden;
    bool system;
    bool plain_file;
  };
  const Case cases[] = {
      {Path("plain.swi"), EntryKind::kFile, false, false, true},
      {Path("hidden.swi"), EntryKind::kFile, true, false, false},
      {Path("system.swi"), EntryKind::kFile, false, true, false},
      {Path("both.swi"), EntryKind::kFile, true, true, false},
      {Path("panel"), EntryKind::kFolder, false, false, false},
      {Path("panel\\"), EntryKind::kFolder, false, false, false},
      {Path("missing.swi"), EntryKind::kNone, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EntryInfo info = fs_.Stat(c.path);
    EXPECT_EQ(info.kind, c.kind);
    EXPECT_EQ(info.hidden, c.hidden);
    EXPECT_EQ(info.system, c.system);
    EXPECT_EQ(PlainFileExists(fs_, c.path), c.plain_file);
  }
  // The trailing separator asks for a folder.
  EXPECT_TRUE(PathExists(fs_, Path("panel\\")));
  EXPECT_FALSE(PathExists(fs_, Path("plain.swi\\")));
}

TEST_F(Win32FileSystemTest, FoldersAndMissingFilesAreReportedByKind) {
  ASSERT_TRUE(CreateDirectoryA(Path("panel").c_str(), nullptr));
  EXPECT_EQ(fs_.ReadFile(Path("panel")).status().kind(), ErrorKind::kNotAFile);
  EXPECT_EQ(fs_.ReadBytes(Path("panel")).status().kind(), ErrorKind::kNotAFile);
  EXPECT_EQ(fs_.ReplaceFile(Path("panel"), "x").kind(), ErrorKind::kNotAFile);
  EXPECT_EQ(fs_.DeleteFile(Path("panel")).kind(), ErrorKind::kNotAFile);
  EXPECT_EQ(fs_.CheckEditable(Path("panel")).kind(), ErrorKind::kNotAFile);
  EXPECT_EQ(fs_.ReadFile(Path("missing.cfg")).status().kind(), ErrorKind::kNotFound);
  EXPECT_EQ(fs_.ReadBytes(Path("missing.cfg")).status().kind(), ErrorKind::kNotFound);
  EXPECT_EQ(fs_.DeleteFile(Path("missing.cfg")).kind(), ErrorKind::kNotFound);
  EXPECT_EQ(fs_.CheckEditable(Path("missing.cfg")).kind(), ErrorKind::kNotFound);
  EXPECT_EQ(fs_.CopyFile(Path("missing.cfg"), Path("copy.cfg")).kind(), ErrorKind::kNotFound);
  EXPECT_EQ(Entries(), (std::set<std::string>{"panel"}));
}

TEST_F(Win32FileSystemTest, MessageNamesTheFileAndTheCause) {
  Put("panel.cfg", kOldBytes, FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(fs_.ReplaceFile(Path("panel.cfg"), "x").message(),
            "cannot write " + Path("panel.cfg") + ": the file is read-only");
}

TEST_F(Win32FileSystemTest, PathOnDiskGivesEachNameTheCaseFoundOnDisk) {
  ASSERT_TRUE(CreateDirectoryA(Path("Sub Folder").c_str(), nullptr));
  Put("Sub Folder\\Panel.CFG", kOldBytes);
  // The test's own folder as the disk spells it, for the expectations.
  const std::string dir = fs_.PathOnDisk(dir_);
  struct Case {
    std::string asked;
    std::string found;
  };
  const Case cases[] = {
      {Path("sub folder\\panel.cfg"), dir + "\\Sub Folder\\Panel.CFG"},
      // Separators as given; a missing name and what follows it as given.
      {Path("SUB FOLDER/panel.cfg"), dir + "\\Sub Folder/Panel.CFG"},
      {Path("sub folder\\panel.cfg.backup"), dir + "\\Sub Folder\\panel.cfg.backup"},
      {Path("none\\sub folder"), dir + "\\none\\sub folder"},
      {Path("sub folder\\"), dir + "\\Sub Folder\\"},
  };
  for (const Case& c : cases) EXPECT_EQ(fs_.PathOnDisk(c.asked), c.found) << c.asked;
  // The drive is kept as written.
  EXPECT_EQ(fs_.PathOnDisk("c:"), "c:");
}

TEST_F(Win32FileSystemTest, CopyAndDeleteWholeFiles) {
  Put("panel.cfg", kNewBytes);
  Put("panel.cfg.backup", kOldBytes, FILE_ATTRIBUTE_HIDDEN);

  ASSERT_TRUE(fs_.CopyFile(Path("panel.cfg"), Path("panel.cfg.backup")).ok());
  EXPECT_EQ(Bytes("panel.cfg.backup"), kNewBytes);
  EXPECT_NE(Attributes("panel.cfg.backup") & FILE_ATTRIBUTE_HIDDEN, 0u);
  ASSERT_TRUE(fs_.CopyFile(Path("panel.cfg"), Path("panel.backup")).ok());
  EXPECT_EQ(Bytes("panel.backup"), kNewBytes);

  ASSERT_TRUE(fs_.DeleteFile(Path("panel.cfg.backup")).ok());
  EXPECT_EQ(Entries(), (std::set<std::string>{"panel.backup", "panel.cfg"}));
}

TEST_F(Win32FileSystemTest, FolderWritableCheck) {
  ASSERT_TRUE(CreateDirectoryA(Path("QL").c_str(), nullptr));
  Put("panel.cfg", kOldBytes);
  EXPECT_TRUE(fs_.CheckFolderWritable(Path("QL")).ok());
  EXPECT_TRUE(fs_.CheckFolderWritable(Path("QL\\")).ok());
  EXPECT_EQ(fs_.CheckFolderWritable(Path("missing")).kind(), ErrorKind::kNotFound);
  EXPECT_EQ(fs_.CheckFolderWritable(Path("panel.cfg")).kind(), ErrorKind::kNotFound);
  // Nothing was created to find out.
  EXPECT_EQ(Entries(), (std::set<std::string>{"QL", "panel.cfg"}));
}

// Through a symbolic link the file it points to is written, and the link stays a link.
TEST_F(Win32FileSystemTest, ReplaceThroughASymbolicLinkWritesItsTarget) {
  ASSERT_TRUE(CreateDirectoryA(Path("real").c_str(), nullptr));
  Put("real\\panel.cfg", kOldBytes);
  constexpr DWORD kUnprivileged = 0x2;  // SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
  // Windows makes them only for administrators or in developer mode; Wine 8 answers success
  // and makes nothing.
  const bool made = CreateSymbolicLinkA(Path("panel.cfg").c_str(), Path("real\\panel.cfg").c_str(),
                                        kUnprivileged);
  const DWORD link = Attributes("panel.cfg");
  if (!made || link == INVALID_FILE_ATTRIBUTES || (link & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    GTEST_SKIP() << "symbolic links cannot be made here";
  }

  Status status = fs_.ReplaceFile(Path("panel.cfg"), kNewBytes);

  ASSERT_TRUE(status.ok()) << status.message();
  EXPECT_EQ(Bytes("real\\panel.cfg"), kNewBytes);
  EXPECT_NE(Attributes("panel.cfg") & FILE_ATTRIBUTE_REPARSE_POINT, 0u);
  EXPECT_EQ(fs_.Stat(Path("panel.cfg")).kind, EntryKind::kFile);
}

using Lock = Result<std::unique_ptr<FolderLock>>;
using Clock = std::chrono::steady_clock;

// A refused lock has waited this long at least (the system's timers may end a wait a tick early).
constexpr auto kRefusedAfter = kFolderLockWait - std::chrono::milliseconds(100);

// Every way of writing the folder's path reaches one lock: while it is held, the others are refused
// (at once, as the thread that holds it could not release it meanwhile), and released it is free.
// Taking it writes nothing in the folder.
TEST_F(Win32FileSystemTest, EverySpellingOfAFolderReachesOneLock) {
  const std::string sim = Path("Flight Simulator 9");
  ASSERT_TRUE(CreateDirectoryA(sim.c_str(), nullptr));
  char short_name[MAX_PATH + 1];
  const DWORD n = GetShortPathNameA(sim.c_str(), short_name, sizeof short_name);
  ASSERT_GT(n, 0u);
  ASSERT_LT(n, sizeof short_name);
  std::string upper = sim, lower = sim, slashes = sim;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  std::replace(slashes.begin(), slashes.end(), '\\', '/');
  const std::string spellings[] = {
      sim,
      upper,
      lower,
      sim + "\\",
      slashes,
      "Flight Simulator 9",  // relative to the current folder, dir_
      ".\\flight simulator 9\\.",
      Path("Flight Simulator 9\\..\\Flight Simulator 9"),
      std::string(short_name, n),
  };
  char current[MAX_PATH + 1];
  ASSERT_GT(GetCurrentDirectoryA(sizeof current, current), 0u);
  ASSERT_TRUE(SetCurrentDirectoryA(dir_.c_str()));
  for (const std::string& spelling : spellings) {
    SCOPED_TRACE(spelling);
    Lock held = fs_.LockFolder(spelling);
    EXPECT_TRUE(held.ok()) << held.status().message();
    if (!held.ok()) continue;  // on to the next, so the current folder is set back
    Lock second = fs_.LockFolder(sim);
    EXPECT_EQ(second.status().kind(), ErrorKind::kInUse) << second.status().message();
    held.value().reset();
    Lock again = fs_.LockFolder(sim);
    EXPECT_TRUE(again.ok()) << again.status().message();
  }
  SetCurrentDirectoryA(current);
  // Nothing was written in the folder: it is still empty, so it can be removed.
  EXPECT_TRUE(RemoveDirectoryA(sim.c_str()));
  EXPECT_EQ(Entries(), (std::set<std::string>{}));
}

// A lock keeps its own folder only: not the folder around it, one inside it, or one beside it.
TEST_F(Win32FileSystemTest, ALockKeepsOnlyItsOwnFolder) {
  for (const char* name : {"Aircraft", "Aircraft\\panel", "Gauges"}) {
    ASSERT_TRUE(CreateDirectoryA(Path(name).c_str(), nullptr)) << name;
  }
  std::vector<Lock> held;
  for (const std::string& folder :
       {Path("Aircraft"), dir_, Path("Aircraft\\panel"), Path("Gauges")}) {
    held.push_back(fs_.LockFolder(folder));
    EXPECT_TRUE(held.back().ok()) << held.back().status().message();
  }
}

// A folder that is not there, or a file, cannot be locked; nothing is created to find out.
TEST_F(Win32FileSystemTest, ALockNeedsAnExistingFolder) {
  Put("panel.cfg", kOldBytes);
  for (const std::string& path :
       {Path("missing"), Path("missing\\panel"), Path("panel.cfg"), Path("panel.cfg\\")}) {
    Lock lock = fs_.LockFolder(path);
    EXPECT_EQ(lock.status().kind(), ErrorKind::kNotFound) << path;
  }
  EXPECT_EQ(Entries(), (std::set<std::string>{"panel.cfg"}));
}

// Another thread's lock is waited for: refused when it is held past the wait, taken as soon as it
// is released within it.
TEST_F(Win32FileSystemTest, ALockAnotherThreadHoldsIsWaitedFor) {
  HANDLE taken = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE let_go = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ASSERT_TRUE(taken != nullptr && let_go != nullptr);
  bool holder_locked = false;
  std::thread holder([&] {
    Lock lock = fs_.LockFolder(dir_);
    holder_locked = lock.ok();
    SetEvent(taken);
    WaitForSingleObject(let_go, INFINITE);
    Sleep(300);  // released while the other thread waits for it
  });
  WaitForSingleObject(taken, INFINITE);

  const Clock::time_point start = Clock::now();
  Lock refused = fs_.LockFolder(dir_ + "\\");
  const Clock::duration waited = Clock::now() - start;
  SetEvent(let_go);
  Lock taken_over = fs_.LockFolder(dir_ + "\\");
  holder.join();
  CloseHandle(taken);
  CloseHandle(let_go);

  ASSERT_TRUE(holder_locked);
  EXPECT_EQ(refused.status().kind(), ErrorKind::kInUse) << refused.status().message();
  EXPECT_GE(waited, kRefusedAfter);
  EXPECT_TRUE(taken_over.ok()) << taken_over.status().message();
}

// The lock as another copy of the program holds it, in a process of its own.
class Win32FolderLockHolder : public win32_test::ChildProcess {
 public:
  Win32FolderLockHolder(const std::string& folder, const std::string& mode)
      : ChildProcess("\"" + win32_test::BesideThisProgram("win32_folder_lock_holder.exe") +
                     "\" \"" + folder + "\" " + mode) {}
};
// win32_folder_lock_holder's exit code when it ended without releasing the lock.
constexpr DWORD kHolderDied = 3;
constexpr DWORD kHolderExitMs = 10000;

TEST_F(Win32FileSystemTest, ALockAnotherProcessHoldsIsRefusedUntilItIsReleased) {
  std::string upper_slashes = dir_;
  for (char& c : upper_slashes) {
    c = c == '\\' ? '/' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  Win32FolderLockHolder holder(upper_slashes, "release");
  ASSERT_TRUE(holder.started()) << GetLastError();
  ASSERT_EQ(holder.ReadLine(), "held");

  const Clock::time_point start = Clock::now();
  Lock refused = fs_.LockFolder(dir_);
  const Clock::duration waited = Clock::now() - start;
  EXPECT_EQ(refused.status().kind(), ErrorKind::kInUse) << refused.status().message();
  EXPECT_GE(waited, kRefusedAfter);

  holder.CloseInput();
  EXPECT_EQ(holder.ExitCode(kHolderExitMs), 0u);
  Lock free = fs_.LockFolder(dir_);
  EXPECT_TRUE(free.ok()) << free.status().message();
  EXPECT_EQ(Entries(), (std::set<std::string>{}));
}

// A copy that ended while holding the lock (it crashed, or was ended) leaves it to the next.
TEST_F(Win32FileSystemTest, ALockWhoseHolderEndedWithoutReleasingItIsTakenOver) {
  Win32FolderLockHolder holder(dir_, "die");
  ASSERT_TRUE(holder.started()) << GetLastError();
  ASSERT_EQ(holder.ReadLine(), "held");

  Lock lock = fs_.LockFolder(dir_);  // the holder ends while this waits

  EXPECT_TRUE(lock.ok()) << lock.status().message();
  EXPECT_EQ(holder.ExitCode(kHolderExitMs), kHolderDied);
}

TEST(Win32ParentFolderTest, BothSeparatorsAndDriveRoots) {
  Win32FileSystem fs;
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\FS9\\Aircraft\\panel.cfg", "C:\\FS9\\Aircraft"},
      {"C:\\FS9/Aircraft/panel.cfg", "C:\\FS9/Aircraft"},
      {"C:/FS9\\panel.cfg", "C:/FS9"},
      {"C:\\panel.cfg", "C:\\"},
      {"C:/panel.cfg", "C:/"},
      {"\\\\server\\share\\panel.cfg", "\\\\server\\share"},
      {"panel.cfg", "."},
  };
  for (const auto& [path, parent] : cases) {
    EXPECT_EQ(ParentFolder(fs, path), parent) << path;
  }
}

}  // namespace
}  // namespace ql2
