#include "platform/prefix_manager_files.h"

#include <gtest/gtest.h>

namespace ql2 {
namespace {

TEST(LutrisGamePrefixTest, ReadsThePrefixOfTheGameSectionOnly) {
  struct Case {
    const char* yml;
    std::optional<std::string> prefix;
  };
  const Case cases[] = {
      {"game:\n  exe: fs9.exe\n  prefix: /home/ann/Games/fs9\n", "/home/ann/Games/fs9"},
      {"game:\r\n  prefix: ~/Games/fs9\r\n", "~/Games/fs9"},
      {"game:\n    prefix: '/a/it''s here'\n", "/a/it's here"},
      {"game:\n  prefix: \"/a/\\\"quoted\\\"\"\n", "/a/\"quoted\""},
      {"game:\n  prefix: /a/b # where it is\n", "/a/b"},
      {"# comment\nsystem:\n  prefix: /not/this\ngame:\n  args:\n    prefix: /nor/this\n"
       "  prefix: /this\nwine:\n  prefix: /nor/that\n",
       "/this"},
      {"wine:\n  prefix: /not/a/game/prefix\n", std::nullopt},
      {"game:\n  prefix:\n", std::nullopt},
      {"game:\n  prefix: ~\n", std::nullopt},
      {"game:\n  prefix: null\n", std::nullopt},
      {"game:\n  prefixes: /x\n  prefix:/y\n", std::nullopt},
      {"game: {prefix: /inline}\n", std::nullopt},
      {"", std::nullopt},
      {"\xff\xfe{[", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(LutrisGamePrefix(c.yml), c.prefix) << c.yml;
}

TEST(LutrisGameNameTest, DropsTheTimeStampAndTheExtension) {
  EXPECT_EQ(LutrisGameName("flight-simulator-2004-1704067200.yml"), "flight-simulator-2004");
  EXPECT_EQ(LutrisGameName("fs9.yml"), "fs9");
  EXPECT_EQ(LutrisGameName("fs-2004.yml"), "fs-2004") << "a year is no time stamp";
  EXPECT_EQ(LutrisGameName("fs-2004-999999999"), "fs-2004");
  EXPECT_EQ(LutrisGameName("-1704067200.yml"), "-1704067200");
}

TEST(HeroicWinePrefixesTest, ReadsEveryWinePrefixWithItsEscapes) {
  EXPECT_EQ(HeroicWinePrefixes(R"({"a": {"winePrefix": "/home/ann/Games/Heroic/Prefixes/A",)"
                               R"( "wineVersion": {"bin": "/x"}},)"
                               "\n\"b\":{\"winePrefix\":\"~/G\\u00e9/\\\"B\\\"\\/c\"}}"),
            (std::vector<std::string>{"/home/ann/Games/Heroic/Prefixes/A", "~/G\xC3\xA9/\"B\"/c"}));
  EXPECT_EQ(HeroicWinePrefixes(R"({"winePrefix": 3, "x": "winePrefix", "y": "z"})"),
            std::vector<std::string>{});
  EXPECT_EQ(HeroicWinePrefixes(R"({"winePrefix": "/open)"), std::vector<std::string>{});
}

TEST(SteamLibraryPathsTest, ReadsEveryLibrarysPath) {
  const char vdf[] =
      "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"/home/ann/.local/share/Steam\"\n"
      "\t\t\"label\"\t\t\"\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"228980\"\t\t\"1\"\n\t\t}\n\t}\n"
      "\t\"1\"\n\t{\n\t\t\"path\"\t\t\"/mnt/games/Steam \\\"Library\\\"\"\n\t}\n}\n";
  EXPECT_EQ(SteamLibraryPaths(vdf), (std::vector<std::string>{"/home/ann/.local/share/Steam",
                                                              "/mnt/games/Steam \"Library\""}));
  EXPECT_EQ(SteamLibraryPaths("\"path\" {"), std::vector<std::string>{});
}

}  // namespace
}  // namespace ql2
