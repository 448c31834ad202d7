#include "app/simulator_resolution.h"

#include <gtest/gtest.h>

#include "app/elevated_restart.h"
#include "platform/memory_file_system.h"
#include "platform/program_files.h"

namespace ql2 {
namespace {

constexpr FolderCheck kHolds = FolderCheck::kHoldsSimulator;
constexpr FolderCheck kNoAircraft = FolderCheck::kNoAircraftFolder;
constexpr FolderCheck kGone = FolderCheck::kNotAFolder;

SimulatorCandidate Given(std::string folder, FolderCheck check) {
  return {std::move(folder), std::string(origin::kGiven), check};
}
SimulatorCandidate Chosen(std::string folder, FolderCheck check) {
  return {std::move(folder), std::string(origin::kChosen), check};
}
SimulatorCandidate Found(std::string folder, std::string origin, FolderCheck check) {
  return {std::move(folder), std::move(origin), check};
}

// A resolution written as the origins of its folders: the one in use ("" for none), the others,
// and the folders passed over.
struct Expected {
  std::string in_use;
  std::vector<std::string> others;
  std::vector<std::string> passed_over;
  bool forget_chosen = false;
};

struct ResolutionCase {
  const char* name;
  SimulatorFacts facts;
  Expected expected;
};

void PrintTo(const ResolutionCase& c, std::ostream* os) {
  *os << c.name;
}

std::vector<std::string> Origins(const std::vector<SimulatorCandidate>& candidates) {
  std::vector<std::string> origins;
  for (const SimulatorCandidate& c : candidates) origins.push_back(c.origin);
  return origins;
}

class ResolutionTest : public ::testing::TestWithParam<ResolutionCase> {};

TEST_P(ResolutionTest, UsesTheFirstFolderThatHoldsTheSimulatorInTheOrder) {
  const ResolutionCase& c = GetParam();
  const SimulatorResolution resolution = ResolveSimulatorFolder(c.facts);
  EXPECT_EQ(resolution.in_use ? resolution.in_use->origin : "", c.expected.in_use);
  EXPECT_EQ(Origins(resolution.others), c.expected.others);
  EXPECT_EQ(Origins(resolution.passed_over), c.expected.passed_over);
  EXPECT_EQ(resolution.forget_chosen, c.expected.forget_chosen);
}

SimulatorFacts Facts(std::optional<SimulatorCandidate> given,
                     std::optional<SimulatorCandidate> chosen,
                     std::vector<SimulatorCandidate> found, bool ignore_case = false) {
  return {std::move(given), std::move(chosen), std::move(found), ignore_case};
}

const ResolutionCase kResolutionCases[] = {
    {"NothingAnywhere", Facts({}, {}, {}), {"", {}, {}}},
    {"TheRegistrysFolder",
     Facts({}, {}, {Found("/fs9", "registry", kHolds)}),
     {"registry", {}, {}}},
    {"FoundFoldersWithoutTheSimulatorDoNotCount",
     Facts({}, {},
           {Found("/a", "$WINEPREFIX", kNoAircraft), Found("/b", "~/.wine", kGone),
            Found("/c", "bottles:FS2004", kHolds), Found("/d", "proton:1", kHolds)}),
     {"bottles:FS2004", {"proton:1"}, {}}},
    {"TheChosenFolderComesBeforeTheFoundOnes",
     Facts({}, Chosen("/mine", kHolds), {Found("/fs9", "registry", kHolds)}),
     {"chosen", {"registry"}, {}}},
    {"AChosenFolderThatIsGoneIsForgottenAndSaidSo",
     Facts({}, Chosen("/gone", kGone), {Found("/fs9", "registry", kHolds)}),
     {"registry", {}, {"chosen"}, true}},
    {"AChosenFolderWithoutAircraftIsForgottenToo",
     Facts({}, Chosen("/empty", kNoAircraft), {}),
     {"", {}, {"chosen"}, true}},
    {"TheGivenFolderComesFirst",
     Facts(Given("/given", kHolds), Chosen("/mine", kHolds), {Found("/fs9", "registry", kHolds)}),
     {"--sim-folder", {"chosen", "registry"}, {}}},
    {"AGivenFolderThatIsNoSimulatorStandsForNone",
     Facts(Given("/empty", kNoAircraft), Chosen("/mine", kHolds),
           {Found("/fs9", "registry", kHolds)}),
     {"", {"chosen", "registry"}, {"--sim-folder"}}},
    {"AMissingGivenFolderIsSaidSo",
     Facts(Given("/nowhere", kGone), {}, {}),
     {"", {}, {"--sim-folder"}}},
    {"OneFolderReachedTwiceIsListedOnceUnderItsFirstOrigin",
     Facts({}, Chosen("/fs9/", kHolds),
           {Found("/fs9", "$WINEPREFIX", kHolds), Found("/fs9", "~/.wine", kHolds),
            Found("/other", "lutris:fs9", kHolds)}),
     {"chosen", {"lutris:fs9"}, {}}},
    {"WindowsNamesIgnoreCase",
     Facts({}, Chosen("C:\\FS9", kHolds), {Found("c:\\fs9\\", "registry", kHolds)}, true),
     {"chosen", {}, {}}},
    {"OtherSystemsTellCaseApart",
     Facts({}, Chosen("/FS9", kHolds), {Found("/fs9", "~/.wine", kHolds)}),
     {"chosen", {"~/.wine"}, {}}},
};

INSTANTIATE_TEST_SUITE_P(Order, ResolutionTest, ::testing::ValuesIn(kResolutionCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CheckSimulatorFolderTest, AFolderHoldsTheSimulatorWhenItHasAnAircraftFolder) {
  MemoryFileSystem fs;
  fs.AddFolder("/fs9/Aircraft");
  fs.AddFolder("/empty");
  fs.AddFile("/file", "");
  fs.AddFile("/fake/Aircraft", "");
  EXPECT_EQ(CheckSimulatorFolder(fs, "/fs9"), kHolds);
  EXPECT_EQ(CheckSimulatorFolder(fs, "/fs9/"), kHolds);
  EXPECT_EQ(CheckSimulatorFolder(fs, "/empty"), kNoAircraft);
  EXPECT_EQ(CheckSimulatorFolder(fs, "/fake"), kNoAircraft) << "a file named Aircraft";
  EXPECT_EQ(CheckSimulatorFolder(fs, "/file"), kGone);
  EXPECT_EQ(CheckSimulatorFolder(fs, "/nowhere"), kGone);
  EXPECT_EQ(CheckSimulatorFolder(fs, ""), kGone);
}

TEST(GatherSimulatorFactsTest, LooksOnlyAsFarAsTheFolderInUseUnlessAskedForEvery) {
  MemoryFileSystem fs;
  fs.AddFolder("/given/Aircraft");
  fs.AddFolder("/mine/Aircraft");
  MemoryFinder finder(std::vector<FoundFolder>{{"/fs9", "registry"}});

  SimulatorFacts facts = GatherSimulatorFacts(fs, std::string("/given"), "/mine", finder,
                                              SimulatorSearch::kFolderInUse);
  EXPECT_TRUE(facts.given.has_value());
  EXPECT_FALSE(facts.chosen.has_value());
  EXPECT_TRUE(facts.found.empty());

  facts = GatherSimulatorFacts(fs, std::nullopt, "/mine", finder, SimulatorSearch::kFolderInUse);
  EXPECT_TRUE(facts.found.empty()) << "the chosen folder holds the simulator";

  facts = GatherSimulatorFacts(fs, std::string("/given"), "/mine", finder,
                               SimulatorSearch::kEverySimulator);
  ASSERT_TRUE(facts.given && facts.chosen);
  EXPECT_EQ(facts.given->check, kHolds);
  EXPECT_EQ(facts.chosen->origin, "chosen");
  ASSERT_EQ(facts.found.size(), 1u);
  EXPECT_EQ(facts.found[0].origin, "registry");
  EXPECT_EQ(facts.found[0].check, kGone);
  EXPECT_FALSE(facts.names_ignore_case);
}

TEST(ShortFolderTest, ShowsHomeAsTildeAndCutsTheMiddleOfALongPath) {
  struct Case {
    const char* folder;
    const char* home;
    char separator;
    std::size_t max;
    const char* shown;
  };
  const Case cases[] = {
      {"/home/ann/.wine/drive_c/FS9", "/home/ann", '/', 64, "~/.wine/drive_c/FS9"},
      {"/home/ann", "/home/ann/", '/', 64, "~"},
      {"/home/anna/FS9", "/home/ann", '/', 64, "/home/anna/FS9"},
      {"/home/ann/FS9", "", '/', 64, "/home/ann/FS9"},
      {"/home/ann/.local/share/bottles/bottles/FS2004/drive_c/Program Files/Microsoft "
       "Games/Flight Simulator 9/",
       "/home/ann", '/', 64, "~/.local/.../Program Files/Microsoft Games/Flight Simulator 9"},
      {"/home/ann/.local/share/bottles/bottles/FS2004/drive_c/Program Files/Microsoft "
       "Games/Flight Simulator 9",
       "/home/ann", '/', 40, "~/.local/.../Flight Simulator 9"},
      {"/a/b/c/a-very-long-last-folder-name-that-is-longer-than-the-limit", "", '/', 20,
       "/a/b/.../a-very-long-last-folder-name-that-is-longer-than-the-limit"},
      {"/a/b/a-very-long-last-folder-name-that-is-longer-than-the-limit", "", '/', 20,
       "/a/b/a-very-long-last-folder-name-that-is-longer-than-the-limit"},
      {"C:\\Program Files\\Microsoft Games\\Flight Simulator 9", "", '\\', 64,
       "C:\\Program Files\\Microsoft Games\\Flight Simulator 9"},
      {"D:\\Games\\Simulators\\Microsoft\\Flight Simulator 2004 - A Century of Flight", "", '\\',
       50, "D:\\Games\\...\\Flight Simulator 2004 - A Century of Flight"},
      {"/one/two/three-is-long", "", '/', 5, "/one/two/three-is-long"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShortFolder(c.folder, c.home, c.separator, c.max), c.shown) << c.folder;
  }
}

TEST(PassedOverSentenceTest, SaysWhyInOneSentence) {
  EXPECT_EQ(PassedOverSentence(Given("/x", kGone), "/x"), "There is no folder /x.");
  EXPECT_EQ(PassedOverSentence(Given("/x", kNoAircraft), "/x"),
            "/x does not hold Flight Simulator 9.0: it has no Aircraft folder.");
  EXPECT_EQ(PassedOverSentence(Chosen("/x", kGone), "/x"),
            "The folder chosen before, /x, no longer exists, so it has been forgotten.");
  EXPECT_EQ(PassedOverSentence(Chosen("/x", kNoAircraft), "/x"),
            "The folder chosen before, /x, no longer holds Flight Simulator 9.0 (it has no "
            "Aircraft folder), so it has been forgotten.");
}

// Wine runs every program elevated, so the decision is shown here rather than under Wine.
TEST(ElevatedRestartTest, OfferedOnlyForAWriteRefusedUnderProgramFilesToAProgramNotElevated) {
  struct Case {
    const char* name;
    ElevationFacts facts;
    bool offered;
  };
  const Case cases[] = {
      {"refused under Program Files", {true, true, false, true}, true},
      {"the click succeeded", {false, true, false, true}, false},
      {"refused elsewhere", {true, false, false, true}, false},
      {"already elevated (Wine)", {true, true, true, true}, false},
      {"no way to restart (Linux, ql2cfg)", {true, true, false, false}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShouldOfferElevatedRestart(c.facts), c.offered) << c.name;
  }
  const std::string refused =
      "Cannot install: cannot write C:\\Program Files\\FS9\\Aircraft\\x: " +
      AccessDeniedCause("C:\\Program Files\\FS9", {"C:\\Program Files"}, false) +
      ". Nothing was changed.";
  EXPECT_TRUE(TellsOfRefusalUnderProgramFiles(refused));
  EXPECT_FALSE(TellsOfRefusalUnderProgramFiles(
      "Cannot install: cannot write D:\\FS9\\x: " +
      AccessDeniedCause("D:\\FS9", {"C:\\Program Files"}, false) + "."));
  EXPECT_FALSE(TellsOfRefusalUnderProgramFiles(
      AccessDeniedCause("C:\\Program Files\\FS9", {"C:\\Program Files"}, true)));
}

}  // namespace
}  // namespace ql2
