#include "platform/profile.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/memory_file_system.h"

namespace ql2 {
namespace {

using namespace std::string_literals;  // "...\0..."s keeps embedded NUL bytes

constexpr char kPath[] = "/sim/panel.cfg";

struct Write {
  std::string section, key, value;
};

struct WriteCase {
  const char* name;
  std::optional<std::string> before;  // nullopt: no file
  std::vector<Write> writes;
  std::string after;
};

// Every write goes through the file-level entry point, so creating a missing file is covered too.
const WriteCase kWriteCases[] = {
    {"NoFile", std::nullopt, {{"App", "key", "string"}}, "[App]\r\nkey=string\r\n"},
    {"EmptyFile", "", {{"S", "K", "V"}}, "[S]\r\nK=V\r\n"},
    {"KeyOnLastLineWithoutEnding", "[S]\r\nK=V", {{"s", "k", "V2"}}, "[S]\r\nK=V2\r\n"},
    {"NewKeysAfterLastKeyExistingInPlace",
     "[S]\r\nb=value\r\na=value\r\n",
     {{"S", "z", ""}, {"S", "b", ""}, {"S", "y", ""}, {"S", "a", ""}},
     "[S]\r\nb=\r\na=\r\nz=\r\ny=\r\n"},
    {"CommentsAroundKeysStayPut",
     ";c0\r\n[S]\r\n;c1\r\nb=1\r\n;c2\r\n",
     {{"S", "z", "2"}},
     ";c0\r\n[S]\r\n;c1\r\nb=1\r\nz=2\r\n;c2\r\n"},
    {"BlankLineBeforeNextSectionStaysBelow",
     "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n",
     {{"a", "z", "3"}},
     "[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n"},
    {"BytesBeforeFirstHeaderSurviveAndAreNoKeys",
     "K=0\0\xff\r\n[S]\r\nK=1\r\n"s,
     {{"S", "K", "2"}},
     "K=0\0\xff\r\n[S]\r\nK=2\r\n"s},
    {"HeaderNameTrimmed", "[ x ]\r\na=1\r\n", {{"x", "a", "2"}}, "[ x ]\r\na=2\r\n"},
    {"DuplicateSectionFirstUsed",
     "[S]\r\na=1\r\n[S]\r\nb=2\r\n",
     {{"S", "b", "3"}},
     "[S]\r\na=1\r\nb=3\r\n[S]\r\nb=2\r\n"},
    {"CommentedKeyIsNoKey", "[S]\r\n; k=v\r\n", {{"S", "k", "w"}}, "[S]\r\nk=w\r\n; k=v\r\n"},
    {"LfOnlyFileKeepsItsEndings",
     "[S]\nK=V\n\n[T]\n",
     {{"S", "K", "W"}, {"S", "N", "1"}},
     "[S]\nK=W\nN=1\r\n\n[T]\n"},
    {"CrOnlyFileKeepsItsEndings",
     "[S]\rK=V\r[T]\r",
     {{"S", "K", "W"}, {"S", "N", "1"}},
     "[S]\rK=W\rN=1\r\n[T]\r"},
    {"BlanksAroundEqualsKeyTextKept",
     "[S]\r\n  K \t= old\r\n",
     {{"S", "K", "new"}},
     "[S]\r\n  K \t=new\r\n"},
    {"SectionAndKeyIgnoreAsciiCase",
     "[sEcT]\r\nKeY=1\r\n",
     {{"SECT", "key", "2"}},
     "[sEcT]\r\nKeY=2\r\n"},
    {"ValueContainingEqualsReplacedWhole",
     "[S]\r\nK=a=b\r\nL=1\r\n",
     {{"S", "K", "c=d"}},
     "[S]\r\nK=c=d\r\nL=1\r\n"},
    {"HeaderOnlyLastLineWithoutEnding",
     "[A]\r\nx=1\r\n[S]",
     {{"S", "K", "V"}},
     "[A]\r\nx=1\r\n[S]\r\nK=V\r\n"},
    {"MissingSectionAppendedNoBlankLine",
     "[A]\r\nx=1\r\n",
     {{"B", "y", "2"}},
     "[A]\r\nx=1\r\n[B]\r\ny=2\r\n"},
    {"MissingSectionAfterUnendedLastLine",
     "[A]\r\nx=1",
     {{"B", "y", "2"}},
     "[A]\r\nx=1\r\n[B]\r\ny=2\r\n"},
    {"MissingSectionAfterCrOnlyEnding",
     "[A]\rx=1\r",
     {{"B", "y", "2"}},
     "[A]\rx=1\r[B]\r\ny=2\r\n"},
    {"NewKeyInEmptySectionRightAfterHeader",
     "[S]\r\n\r\n;c\r\n[T]\r\n",
     {{"S", "K", "V"}},
     "[S]\r\nK=V\r\n\r\n;c\r\n[T]\r\n"},
    {"NewKeyAfterUnendedLastKeyLine", "[S]\r\nb=1", {{"S", "z", "2"}}, "[S]\r\nb=1\r\nz=2\r\n"},
    {"FirstOfDuplicateKeysReplaced",
     "[S]\r\nk=1\r\nK=2\r\n",
     {{"S", "k", "3"}},
     "[S]\r\nk=3\r\nK=2\r\n"},
    {"NonAsciiBytesNotFoldedOrReencoded",
     "[\xc4]\r\nk=\xe9\r\n",
     {{"\xe4", "k", "1"}},
     "[\xc4]\r\nk=\xe9\r\n[\xe4]\r\nk=1\r\n"},
    // A byte-order mark belongs to no line: a file holding only the mark has no unended last
    // line, so the new section follows the mark directly.
    {"ByteOrderMarkOnlyFile", "\xEF\xBB\xBF", {{"S", "K", "V"}}, "\xEF\xBB\xBF[S]\r\nK=V\r\n"},
    {"ByteOrderMarkBeforeFirstHeader",
     "\xEF\xBB\xBF[S]\r\nK=1",
     {{"s", "k", "2"}, {"T", "x", "3"}},
     "\xEF\xBB\xBF[S]\r\nK=2\r\n[T]\r\nx=3\r\n"},
};

void PrintTo(const WriteCase& c, std::ostream* os) {
  *os << c.name;
}

class ProfileWriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWriteTest, GivesExactBytes) {
  const WriteCase& c = GetParam();
  MemoryFileSystem fs;
  fs.AddFolder("/sim");
  if (c.before) fs.AddFile(kPath, *c.before);
  for (const Write& w : c.writes) {
    ASSERT_TRUE(profile::WriteFileString(fs, kPath, w.section, w.key, w.value).ok());
  }
  EXPECT_EQ(fs.FileBytes(kPath), c.after);
}

INSTANTIATE_TEST_SUITE_P(Golden, ProfileWriteTest, ::testing::ValuesIn(kWriteCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileWriteFileTest, MissingFolderIsAnErrorAndCreatesNothing) {
  MemoryFileSystem fs;
  Status s = profile::WriteFileString(fs, "/nowhere/panel.cfg", "S", "K", "V");
  EXPECT_EQ(s.kind(), ErrorKind::kNotFound);
  EXPECT_TRUE(fs.files().empty());
}

TEST(ProfileWriteFileTest, UnreadableFileIsAnErrorAndKeepsItsBytes) {
  MemoryFileSystem fs;
  fs.AddFile(kPath, "[S]\r\nK=V\r\n").unreadable = true;
  EXPECT_EQ(profile::WriteFileString(fs, kPath, "S", "K", "W").kind(),
            ErrorKind::kPermissionDenied);
  EXPECT_EQ(fs.FileBytes(kPath), "[S]\r\nK=V\r\n");
}

struct ReadCase {
  const char* name;
  std::string file;
  const char* section;
  const char* key;
  const char* default_value;
  std::size_t buffer_size;
  std::string expected;
};

const ReadCase kReadCases[] = {
    {"BlanksTrimmed", "[S]\r\nK = \t v w \t\r\n", "S", "K", "d", 64, "v w"},
    {"DoubleQuotesRemoved", "[S]\r\nK=\"a b\"\r\n", "S", "K", "", 64, "a b"},
    {"SingleQuotesRemoved", "[S]\r\nK='a'\r\n", "S", "K", "", 64, "a"},
    {"QuotesRemovedAfterTrim", "[S]\r\nK=  \" a \"  \r\n", "S", "K", "", 64, " a "},
    {"OnlyOneQuotePairRemoved", "[S]\r\nK=\"\"a\"\"\r\n", "S", "K", "", 64, "\"a\""},
    {"UnmatchedQuotesKept", "[S]\r\nK=\"a'\r\n", "S", "K", "", 64, "\"a'"},
    {"LoneQuoteKept", "[S]\r\nK=\"\r\n", "S", "K", "", 64, "\""},
    {"ValueWithEquals", "[S]\r\nK=a=b\r\n", "S", "K", "", 64, "a=b"},
    {"TenCharBufferKeepsNine", "[S]\r\nK=123456789012\r\n", "S", "K", "", 10, "123456789"},
    {"CutAtNul", "[S]\r\nK=ab\0cd\r\n"s, "S", "K", "", 10, "ab"},
    {"HeaderNameEndsAtFirstBracket", " \t[S] ]; note\r\nK=1\r\n", "S", "K", "", 10, "1"},
    {"HeaderWithoutClosingBracket", "[S \r\nK=1\r\n", "S", "K", "", 10, "1"},
    {"CaseInsensitiveNames", "[sect]\r\nkey=1\r\n", "SECT", "KEY", "", 10, "1"},
    {"LfOnly", "[S]\nK=1\n", "S", "K", "", 10, "1"},
    {"CrOnly", "[S]\rA=0\rK=1\r", "S", "K", "", 10, "1"},
    {"FirstKeyOfName", "[S]\r\nK=1\r\nk=2\r\n", "S", "K", "", 10, "1"},
    {"EmptyValueIsNotDefault", "[S]\r\nK=\r\n", "S", "K", "d", 10, ""},
    {"MissingKeyGivesDefault", "[S]\r\nL=1\r\n", "S", "K", "d", 10, "d"},
    {"MissingSectionGivesDefault", "[T]\r\nK=1\r\n", "S", "K", "d", 10, "d"},
    {"KeyOnlyInSecondDuplicateSection", "[S]\r\nA=1\r\n[S]\r\nK=1\r\n", "S", "K", "d", 10, "d"},
    {"KeyBeforeFirstHeaderIsNotInSection", "K=1\r\n[S]\r\n", "S", "K", "d", 10, "d"},
    {"CommentedKeyGivesDefault", "[S]\r\n ;K=1\r\n", "S", "K", "d", 10, "d"},
    {"DefaultCutToBuffer", "", "S", "K", "abcdefghijkl", 10, "abcdefghi"},
};

void PrintTo(const ReadCase& c, std::ostream* os) {
  *os << c.name;
}

class ProfileReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProfileReadTest, GivesValue) {
  const ReadCase& c = GetParam();
  EXPECT_EQ(profile::ReadString(c.file, c.section, c.key, c.default_value, c.buffer_size),
            c.expected);
}

INSTANTIATE_TEST_SUITE_P(Golden, ProfileReadTest, ::testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileReadFileTest, MissingFileGivesDefaultUnreadableFileIsAnError) {
  MemoryFileSystem fs;
  Result<std::string> missing = profile::ReadFileString(fs, kPath, "S", "K", "d", 10);
  ASSERT_TRUE(missing.ok());
  EXPECT_EQ(missing.value(), "d");

  fs.AddFile(kPath, "[S]\r\nK=1\r\n").unreadable = true;
  EXPECT_EQ(profile::ReadFileString(fs, kPath, "S", "K", "d", 10).status().kind(),
            ErrorKind::kPermissionDenied);
}

struct NumberCase {
  const char* text;
  double expected;
};

TEST(ProfileParseNumberTest, LongestNumericPrefix) {
  const NumberCase cases[] = {
      {"1", 1},    {"1abc", 1},    {"", 0},    {"x", 0},   {"2", 2},   {" 1", 1},
      {"-1", -1},  {"1.5", 1.5},   {"0.0", 0}, {"\t7", 7}, {"+3", 3},  {"-", 0},
      {".5", 0.5}, {"1.2.3", 1.2}, {"1 2", 1}, {"x1", 0},  {"- 1", 0}, {"007", 7},
  };
  for (const NumberCase& c : cases) {
    EXPECT_DOUBLE_EQ(profile::ParseNumber(c.text), c.expected) << '"' << c.text << '"';
  }
}

TEST(ProfileParseNumberTest, LongValueCutByTheTenCharBufferFirst) {
  std::string text = profile::ReadString("[S]\r\nK=123456789012\r\n", "S", "K", "", 10);
  EXPECT_DOUBLE_EQ(profile::ParseNumber(text), 123456789);
}

// Headers found from '[' to '[' are the header lines a line-by-line reading finds, and the line
// before each is the line that reading saw before it, whatever the line ends.
TEST(ProfileTest, HeadersFoundByTheirBracketsAreTheLinesReadOneByOne) {
  const std::string files[] = {
      "[A]\r\nk=v\r\n[B]\r\n",
      "\xEF\xBB\xBF[A]\nk=[not]\n  \t[B] x\n\n[C]",
      "x\r[A]\r\r [B]\r\n\n\r[C]\r",
      "k=v [x]\n;[no]\n\t[yes]\n[",
      "\n\r[A]\r\n\r\n[B]",
      "no headers at all\r\n",
      "",
  };
  for (const std::string& file : files) {
    SCOPED_TRACE(testing::PrintToString(file));
    const std::vector<TextLine> lines = SplitLines(file);
    std::vector<std::size_t> expected;  // indexes of the header lines
    for (std::size_t i = 0; i < lines.size(); ++i) {
      std::string_view name;
      if (profile::ParseHeader(LineText(file, lines[i]), &name)) expected.push_back(i);
    }
    std::vector<std::size_t> found;
    TextLine header;
    for (std::size_t pos = TextStart(file); profile::FindHeaderLine(file, pos, &header);
         pos = header.end) {
      for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].begin != header.begin) continue;
        found.push_back(i);
        EXPECT_EQ(lines[i].end, header.end);
        if (i > 0) {
          const TextLine before = profile::LineBefore(file, header.begin);
          EXPECT_EQ(before.begin, lines[i - 1].begin);
          EXPECT_EQ(before.content_end, lines[i - 1].content_end);
          EXPECT_EQ(before.end, lines[i - 1].end);
        }
      }
    }
    EXPECT_EQ(found, expected);
  }
}

}  // namespace
}  // namespace ql2
