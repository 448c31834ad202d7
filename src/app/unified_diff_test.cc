#include "app/unified_diff.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace ql2 {
namespace {

struct DiffCase {
  const char* name;
  const char* before;
  const char* after;
  int context;
  const char* expected;  // without the two name lines
};

const DiffCase kCases[] = {
    {"equal files", "a\nb\n", "a\nb\n", 3, ""},
    {"insert in the middle", "1\n2\n3\n4\n5\n6\n7\n8\n", "1\n2\n3\n4\nX\n5\n6\n7\n8\n", 3,
     "@@ -2,6 +2,7 @@\n 2\n 3\n 4\n+X\n 5\n 6\n 7\n"},
    {"changed line", "a\nb\nc\n", "a\nB\nc\n", 3, "@@ -1,3 +1,3 @@\n a\n-b\n+B\n c\n"},
    {"file created", "", "a\nb\n", 3, "@@ -0,0 +1,2 @@\n+a\n+b\n"},
    {"file emptied", "a\n", "", 3, "@@ -1 +0,0 @@\n-a\n"},
    {"insert at the start", "a\nb\n", "X\na\nb\n", 3, "@@ -1,2 +1,3 @@\n+X\n a\n b\n"},
    {"append at the end", "a\nb\nc\nd\ne\n", "a\nb\nc\nd\ne\nX\nY\n", 3,
     "@@ -3,3 +3,5 @@\n c\n d\n e\n+X\n+Y\n"},
    {"last line gets its ending", "a\nb", "a\nb\nc\n", 3,
     "@@ -1,2 +1,3 @@\n a\n-b\n\\ No newline at end of file\n+b\n+c\n"},
    {"last line loses its ending", "a\nb\n", "a\nb", 3,
     "@@ -1,2 +1,2 @@\n a\n-b\n+b\n\\ No newline at end of file\n"},
    {"unended last line as context", "a\nb\nc", "A\nb\nc", 3,
     "@@ -1,3 +1,3 @@\n-a\n+A\n b\n c\n\\ No newline at end of file\n"},
    {"CR LF lines print as LF text", "a\r\nb\r\n", "a\r\nX\r\nb\r\n", 3,
     "@@ -1,2 +1,3 @@\n a\n+X\n b\n"},
    {"changed ending is a changed line", "a\r\nb\r\n", "a\nb\r\n", 3,
     "@@ -1,2 +1,2 @@\n-a\n+a\n b\n"},
    {"CR alone ends a line", "a\rb\rc\r", "a\rB\rc\r", 3, "@@ -1,3 +1,3 @@\n a\n-b\n+B\n c\n"},
    {"far changes make two hunks", "1\n2\n3\n4\n5\n6\n7\n8\n9\n", "1\nA\n3\n4\n5\n6\n7\nB\n9\n", 1,
     "@@ -1,3 +1,3 @@\n 1\n-2\n+A\n 3\n@@ -7,3 +7,3 @@\n 7\n-8\n+B\n 9\n"},
    {"gap of twice the context joins hunks", "1\n2\n3\n4\n5\n6\n", "1\nA\n3\n4\nB\n6\n", 1,
     "@@ -1,6 +1,6 @@\n 1\n-2\n+A\n 3\n 4\n-5\n+B\n 6\n"},
    {"no context", "1\n2\n3\n4\n5\n", "1\n2\n3\n4\nX\n5\n", 0, "@@ -4,0 +5 @@\n+X\n"},
    {"removals before additions", "a\nb\nc\nd\n", "a\nX\nY\nd\n", 3,
     "@@ -1,4 +1,4 @@\n a\n-b\n-c\n+X\n+Y\n d\n"},
    {"repeated lines", "x\nx\nx\n", "x\nx\nx\nx\n", 3, "@@ -1,3 +1,4 @@\n x\n x\n x\n+x\n"},
};

TEST(UnifiedDiffTest, Cases) {
  for (const DiffCase& c : kCases) {
    SCOPED_TRACE(c.name);
    std::string expected = c.expected;
    if (!expected.empty()) expected = "--- a/f\n+++ b/f\n" + expected;
    EXPECT_EQ(UnifiedDiff("a/f", "b/f", c.before, c.after, c.context), expected);
  }
}

// Lines of a diff with all lines as context: ' ' and '-' give the old file, ' ' and '+' the new.
struct ParsedDiff {
  std::vector<std::string> old_lines;
  std::vector<std::string> new_lines;
  int edits = 0;
};

ParsedDiff Parse(const std::string& diff) {
  ParsedDiff parsed;
  std::istringstream in(diff);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("---", 0) == 0 || line.rfind("+++", 0) == 0 || line.rfind("@@", 0) == 0 ||
        line.rfind("\\", 0) == 0) {
      continue;
    }
    std::string text = line.substr(1);
    if (line[0] != '+') parsed.old_lines.push_back(text);
    if (line[0] != '-') parsed.new_lines.push_back(text);
    if (line[0] != ' ') ++parsed.edits;
  }
  return parsed;
}

std::vector<std::string> TextsOf(const std::vector<std::string>& lines) {
  std::vector<std::string> texts;
  for (const std::string& line : lines) texts.push_back(line.substr(0, line.find_first_of("\r\n")));
  return texts;
}

int LongestCommon(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  std::vector<std::vector<int>> table(a.size() + 1, std::vector<int>(b.size() + 1, 0));
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      table[i][j] = a[i - 1] == b[j - 1] ? table[i - 1][j - 1] + 1
                                         : std::max(table[i - 1][j], table[i][j - 1]);
    }
  }
  return table[a.size()][b.size()];
}

// Random files of a few lines with mixed endings: the diff must rebuild both files and use the
// fewest edits there are (the longest common subsequence of whole lines, endings included, decides
// how few).
TEST(UnifiedDiffTest, RandomFilesGetAShortestCorrectScript) {
  std::mt19937 random(12345);
  const char* pieces[] = {"a\n", "b\n", "c\n", "a\r\n", "b\r\n", "a\r"};
  for (int round = 0; round < 5000; ++round) {
    std::vector<std::string> files[2];
    std::string bytes[2];
    for (int f = 0; f < 2; ++f) {
      int count = static_cast<int>(random() % (round % 10 == 0 ? 40 : 12));
      for (int i = 0; i < count; ++i) files[f].push_back(pieces[random() % 6]);
      if (count > 0 && random() % 4 == 0) {
        std::string& last = files[f].back();
        last.erase(last.find_first_of("\r\n"));
      }
      for (const std::string& line : files[f]) bytes[f] += line;
    }
    std::string diff = UnifiedDiff("a/f", "b/f", bytes[0], bytes[1], 1000);
    SCOPED_TRACE(bytes[0] + "=>\n" + bytes[1] + "diff:\n" + diff);
    if (bytes[0] == bytes[1]) {
      EXPECT_EQ(diff, "");
      continue;
    }
    ParsedDiff parsed = Parse(diff);
    ASSERT_EQ(parsed.old_lines, TextsOf(files[0]));
    ASSERT_EQ(parsed.new_lines, TextsOf(files[1]));
    int common = LongestCommon(files[0], files[1]);
    ASSERT_EQ(parsed.edits, static_cast<int>(files[0].size() + files[1].size()) - 2 * common);
  }
}

// A panel file of the size the largest aircraft ship: sections of gauge lines, CR LF endings.
std::vector<std::string> BigPanelLines(std::size_t bytes) {
  std::vector<std::string> lines;
  std::size_t size = 0;
  for (int window = 0; size < bytes; ++window) {
    char header[32];
    std::snprintf(header, sizeof header, "[Window%02d]\r\n", window % 100);
    lines.push_back(header);
    for (int gauge = 0; gauge < 40 && size < bytes; ++gauge) {
      char text[96];
      std::snprintf(text, sizeof text, "gauge%02d=Aircraft_Gauges!Instrument_%d, %d,%d,%d,%d\r\n",
                    gauge, window * 40 + gauge, gauge * 7, window * 3, 120, 80);
      lines.push_back(text);
      size += lines.back().size();
    }
    lines.push_back("\r\n");
    size += lines.back().size() + std::string(header).size();
  }
  return lines;
}

TEST(UnifiedDiffTest, ThirtyLinesInsertedIntoA256KiBFile) {
  std::vector<std::string> lines = BigPanelLines(256 * 1024);
  std::string before;
  for (const std::string& line : lines) before += line;
  std::vector<std::string> edited = lines;
  const int kInserted = 30;
  for (int i = kInserted; i > 0; --i) {
    std::size_t at = lines.size() * static_cast<std::size_t>(i) / (kInserted + 1);
    edited.insert(edited.begin() + static_cast<std::ptrdiff_t>(at),
                  "gauge" + std::to_string(i) + "=Quillever!Quillever2, 0,0,1,1\r\n");
  }
  std::string after;
  for (const std::string& line : edited) after += line;

  auto start = std::chrono::steady_clock::now();
  std::string diff = UnifiedDiff("a/panel.cfg", "b/panel.cfg", before, after);
  auto elapsed = std::chrono::steady_clock::now() - start;
  std::printf("[ timing ] %zu bytes, %zu lines, %d inserted: %.2f ms\n", before.size(),
              lines.size(), kInserted, std::chrono::duration<double, std::milli>(elapsed).count());

  int added = 0, removed = 0;
  std::istringstream in(diff);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("+++", 0) == 0 || line.rfind("---", 0) == 0) continue;
    if (!line.empty() && line[0] == '+') ++added;
    if (!line.empty() && line[0] == '-') ++removed;
  }
  EXPECT_EQ(added, kInserted);
  EXPECT_EQ(removed, 0);
}

// `patch -p1` in the old file's folder must turn it into the new one.
TEST(UnifiedDiffTest, PatchAppliesTheDiffToAnLfFile) {
  if (std::system("command -v patch >/dev/null 2>&1") != 0) GTEST_SKIP() << "no patch program";
  namespace fs = std::filesystem;
  const fs::path dir =
      fs::temp_directory_path() /
      ("ql2_unified_diff_" +
       std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  fs::remove_all(dir);
  fs::create_directories(dir / "panel");

  std::string before;
  for (int i = 0; i < 60; ++i) before += "line " + std::to_string(i) + "\n";
  std::string after = before;
  after.replace(after.find("line 5\n"), 7, "line five\nnew line\n");
  after.replace(after.find("line 40\n"), 8, "");
  after += "[Window Titles]\nwindow09=Quillever";  // and no ending on the last line

  {
    std::ofstream old_file(dir / "panel" / "panel.cfg", std::ios::binary);
    old_file << before;
    std::ofstream diff_file(dir / "change.diff", std::ios::binary);
    diff_file << UnifiedDiff("a/panel/panel.cfg", "b/panel/panel.cfg", before, after);
  }
  const std::string command =
      "cd '" + dir.string() + "' && patch -p1 -s --no-backup-if-mismatch < change.diff";
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::ifstream patched(dir / "panel" / "panel.cfg", std::ios::binary);
  std::string result((std::istreambuf_iterator<char>(patched)), std::istreambuf_iterator<char>());
  EXPECT_EQ(result, after);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace ql2
