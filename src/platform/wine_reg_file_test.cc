#include "platform/wine_reg_file.h"

#include <gtest/gtest.h>

#include <string>

namespace ql2 {
namespace wine {
namespace {

using namespace std::string_literals;

constexpr std::string_view kKey = "SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0";
constexpr std::string_view kValue = "EXE Path";

// The head of a system.reg as Wine 8 writes it.
const std::string kHead =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to REGISTRY\\\\Machine\n"
    "\n"
    "#arch=win64\n"
    "\n";
// The simulator's key line as Wine writes it: doubled backslashes and a time stamp.
const std::string kKeyLine =
    "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\9.0] 1796877881\n"
    "#time=1dd88612bb9dab8\n";

struct FoundCase {
  const char* name;
  std::string body;  // the file after kHead
  std::string text;
  bool expandable;
};

void PrintTo(const FoundCase& c, std::ostream* os) {
  *os << c.name;
}

class FoundTest : public testing::TestWithParam<FoundCase> {};

TEST_P(FoundTest, DecodesTheValue) {
  const FoundCase& c = GetParam();
  RegText found = FindRegistryText(kHead + c.body, kKey, kValue);
  ASSERT_EQ(found.lookup, RegLookup::kFound);
  EXPECT_EQ(found.text, c.text);
  EXPECT_EQ(found.expandable, c.expandable);
}

INSTANTIATE_TEST_SUITE_P(
    WineRegFile, FoundTest,
    testing::Values(
        FoundCase{"Plain",
                  kKeyLine + R"("EXE Path"="C:\\Program Files\\Microsoft Games\\FS9")"
                             "\n",
                  "C:\\Program Files\\Microsoft Games\\FS9", false},
        FoundCase{"KeyAndValueNamesInOtherCase",
                  "[software\\\\MICROSOFT\\\\microsoft games\\\\flight simulator\\\\9.0]\n"
                  R"("exe PATH"="C:\\FS9")"
                  "\n",
                  "C:\\FS9", false},
        FoundCase{"AmongOtherKeysAndValues",
                  "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\8.0]\n"
                  R"("EXE Path"="C:\\FS8")"
                  "\n"
                  "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\9.0\\\\Sub]\n"
                  R"("EXE Path"="C:\\Sub")"
                  "\n" +
                      kKeyLine +
                      R"(@="default")"
                      "\n"
                      R"("Exe Path Old"="C:\\Old")"
                      "\n"
                      R"("Size"=dword:00000010)"
                      "\n"
                      R"("EXE Path"="C:\\FS9")"
                      "\n"
                      R"("Path"="C:\\Other")"
                      "\n"
                      "[Software\\\\Microsoft\\\\Microsoft Games\\\\Other]\n"
                      R"("EXE Path"="C:\\Other")"
                      "\n",
                  "C:\\FS9", false},
        // Keys are passed over to the next line that starts with '[', but a '[' inside a value
        // or a comment starts no key, and a key line may be indented.
        FoundCase{"BracketsInValuesAndCommentsAndAnIndentedKey",
                  "[Software\\\\Other] 1\n"
                  "\"Text\"=\"[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight "
                  "Simulator\\\\9.0]\"\n"
                  ";[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\9.0]\n"
                  "\t  " +
                      kKeyLine +
                      R"("EXE Path"="C:\\FS9")"
                      "\n",
                  "C:\\FS9", false},
        // A line ending in a backslash continues only a value: a comment does not.
        FoundCase{"KeyAfterACommentEndingInABackslash",
                  "[Software\\\\Other]\n;see C:\\\n" + kKeyLine +
                      R"("EXE Path"="C:\\FS9")"
                      "\n",
                  "C:\\FS9", false},
        FoundCase{"CEscapes",
                  kKeyLine + R"("EXE Path"="a\\b\"c\nd\re\tf\ag\qh")"
                             "\n",
                  "a\\b\"c\nd\re\tf\ag"
                  "qh",
                  false},
        FoundCase{"HexEscapesAsUtf8",
                  // é (2 bytes), € (3 bytes), a surrogate pair (4 bytes); \x takes at most four
                  // digits, so the "a" after \x00e9 is a letter.
                  kKeyLine + R"("EXE Path"="Vol \xe9\x20ac\xd83d\xde00 \x00e9a")"
                             "\n",
                  "Vol \xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80 \xC3\xA9"
                  "a",
                  false},
        FoundCase{"LoneSurrogateAndBareX",
                  kKeyLine + R"("EXE Path"="\xd800z\xdc00\xq")"
                             "\n",
                  "\xEF\xBF\xBDz\xEF\xBF\xBDxq", false},
        FoundCase{"OctalEscapesAndNul",
                  kKeyLine + R"("EXE Path"="C:\\FS9\0\101\1011")"
                             "\n",
                  "C:\\FS9\0AA1"s, false},
        FoundCase{"ExpandString",
                  kKeyLine + R"("EXE Path"=str(2):"%SystemDrive%\\FS9")"
                             "\n",
                  "%SystemDrive%\\FS9", true},
        FoundCase{"ExpandStringClosedAfterText",
                  kKeyLine + R"("EXE Path"=str(2:"%SystemDrive%\\FS9"))"
                             "\n",
                  "%SystemDrive%\\FS9", true},
        FoundCase{"MultiString",
                  kKeyLine + R"("EXE Path"=str(7):"C:\\FS9\0C:\\X\0")"
                             "\n",
                  "C:\\FS9\0C:\\X\0"s, false},
        FoundCase{"ContinuedString",
                  kKeyLine + "\"EXE Path\"=\"C:\\\\Program \\\n    Files\\\\FS9\"\n",
                  "C:\\Program Files\\FS9", false},
        FoundCase{"EscapedBackslashBeforeContinuation",
                  kKeyLine + "\"EXE Path\"=\"C:\\\\\\\n  FS9\"\n", "C:\\FS9", false},
        FoundCase{"HexExpandStringOverLines",
                  kKeyLine +
                      "\"EXE Path\"=hex(2):43,00,3a,00,5c,00,\\\n  46,00,53,00,39,00,e9,00,00,00\n",
                  "C:\\FS9\xC3\xA9\0"s, true},
        FoundCase{"CrLfLineEnds",
                  "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\9.0]\r\n"
                  "\"EXE Path\"=\"C:\\\\FS9\"\r\n",
                  "C:\\FS9", false},
        FoundCase{"KeyInTwoPlacesLastLineCounts",
                  kKeyLine +
                      R"("EXE Path"="C:\\First")"
                      "\n"
                      "[Software\\\\Other]\n"
                      R"("EXE Path"="C:\\Other")"
                      "\n" +
                      kKeyLine +
                      R"("Version"="9")"
                      "\n"
                      R"("EXE Path"="C:\\Last")"
                      "\n",
                  "C:\\Last", false},
        FoundCase{"Empty",
                  kKeyLine + R"("EXE Path"="")"
                             "\n",
                  "", false}),
    [](const testing::TestParamInfo<FoundCase>& info) { return std::string(info.param.name); });

struct MissingCase {
  const char* name;
  std::string file;
  RegLookup lookup;
};

void PrintTo(const MissingCase& c, std::ostream* os) {
  *os << c.name;
}

class MissingTest : public testing::TestWithParam<MissingCase> {};

TEST_P(MissingTest, SaysWhatIsMissing) {
  const MissingCase& c = GetParam();
  EXPECT_EQ(FindRegistryText(c.file, kKey, kValue).lookup, c.lookup);
}

INSTANTIATE_TEST_SUITE_P(
    WineRegFile, MissingTest,
    testing::Values(
        MissingCase{"NoKey",
                    kHead +
                        "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\8.0]\n"
                        R"("EXE Path"="C:\\FS8")"
                        "\n",
                    RegLookup::kNoKey},
        MissingCase{
            "OnlyASubkey",
            kHead + "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\9.0\\\\X]\n"
                    R"("EXE Path"="C:\\FS9")"
                    "\n",
            RegLookup::kNoKey},
        MissingCase{"NoValue",
                    kHead + kKeyLine +
                        R"("EXE Paths"="C:\\A")"
                        "\n"
                        R"("Path"="C:\\B")"
                        "\n"
                        R"(@="C:\\C")"
                        "\n",
                    RegLookup::kNoValue},
        MissingCase{"ValueUnderTheNextKey",
                    kHead + kKeyLine +
                        "\n[Software\\\\Other]\n"
                        R"("EXE Path"="C:\\FS9")"
                        "\n",
                    RegLookup::kNoValue},
        MissingCase{"ValueCommentedOut",
                    kHead + kKeyLine +
                        R"(;"EXE Path"="C:\\FS9")"
                        "\n",
                    RegLookup::kNoValue},
        MissingCase{"Number",
                    kHead + kKeyLine +
                        R"("EXE Path"=dword:00000001)"
                        "\n",
                    RegLookup::kNotText},
        MissingCase{"Binary",
                    kHead + kKeyLine +
                        R"("EXE Path"=hex:43,3a,5c)"
                        "\n",
                    RegLookup::kNotText},
        MissingCase{"UnclosedString",
                    kHead + kKeyLine +
                        R"("EXE Path"="C:\\FS9)"
                        "\n",
                    RegLookup::kNotText},
        // An even run of backslashes is escaped backslashes, not a continuation.
        MissingCase{"EvenBackslashesDoNotContinue",
                    kHead + kKeyLine + "\"EXE Path\"=\"C:\\\\\n  FS9\"\n", RegLookup::kNotText},
        // A key's path inside another key's value starts no key.
        MissingCase{"KeyPathInsideAValue",
                    kHead + "[Software\\\\Other]\n"
                            "\"Text\"=\"[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight "
                            "Simulator\\\\9.0]\"\n"
                            R"("EXE Path"="C:\\Other")"
                            "\n",
                    RegLookup::kNoKey},
        // A '[' line that a value continues onto is part of the value, not a key.
        MissingCase{"KeyLineContinuingAValue",
                    kHead + "[Software\\\\Other]\n\"Data\"=hex:01,\\\n" + kKeyLine +
                        R"("EXE Path"="C:\\FS9")"
                        "\n",
                    RegLookup::kNoKey},
        MissingCase{"NoHeader",
                    kKeyLine + R"("EXE Path"="C:\\FS9")"
                               "\n",
                    RegLookup::kNotRegistry},
        MissingCase{"EmptyFile", "", RegLookup::kNotRegistry}),
    [](const testing::TestParamInfo<MissingCase>& info) { return std::string(info.param.name); });

TEST(FindRegistryTextsTest, ReadsEachKeyInOnePass) {
  const std::string wow64_key =
      "SOFTWARE\\Wow6432Node\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0";
  const std::string file = kHead + kKeyLine +
                           R"("EXE Path"="C:\\Plain")"
                           "\n"
                           "[Software\\\\Other]\n";
  std::vector<RegText> found = FindRegistryTexts(file, {wow64_key, kKey}, kValue);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].lookup, RegLookup::kNoKey);
  EXPECT_EQ(found[1].lookup, RegLookup::kFound);
  EXPECT_EQ(found[1].text, "C:\\Plain");
  found = FindRegistryTexts("junk", {wow64_key, kKey}, kValue);
  EXPECT_EQ(found[0].lookup, RegLookup::kNotRegistry);
  EXPECT_EQ(found[1].lookup, RegLookup::kNotRegistry);
}

}  // namespace
}  // namespace wine
}  // namespace ql2
