// Finding the simulator on Linux: fake home folders, one per prefix manager with its real layout,
// several at once and broken ones, searched by the Wine discovery and resolved as the window does.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/simulator_resolution.h"
#include "platform/case_folding_file_system.h"
#include "platform/posix_file_system.h"
#include "platform/wine_prefix_fixture.h"
#include "platform/wine_prefixes.h"

namespace ql2 {
namespace {

namespace fs = std::filesystem;

using testing_prefix::kSimInDrive;

void Write(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// A fake home folder and what lies around it, in a temporary folder of its own.
class FakeHome {
 public:
  FakeHome() {
    char pattern[] = "/tmp/ql2-discovery-XXXXXX";
    if (mkdtemp(pattern) == nullptr) ADD_FAILURE() << "no temporary folder";
    root_ = pattern;
    fs::create_directories(Home());
    environment_["HOME"] = Home();
  }
  ~FakeHome() { fs::remove_all(root_); }

  std::string Root() const { return root_; }
  std::string Home() const { return root_ + "/home"; }
  void Set(const std::string& variable, const std::string& value) {
    environment_[variable] = value;
  }

  // A prefix as Wine makes it: system.reg with the simulator's key, drive C: linked, and the
  // simulator installed on it.
  void Prefix(const std::string& prefix) { testing_prefix::MakeWinePrefix(prefix); }

  EnvironmentLookup Environment() const {
    return [variables = environment_](std::string_view name) -> std::optional<std::string> {
      auto found = variables.find(std::string(name));
      if (found == variables.end()) return std::nullopt;
      return found->second;
    };
  }

  // Every simulator found, as "<origin> <prefix folder, ~ for home and @ for the root>".
  std::vector<std::string> Simulators() const {
    PosixFileSystem posix;
    CaseFoldingFileSystem disk(posix);
    WineDiscovery discovery(Environment());
    const SimulatorResolution resolution = ResolveSimulatorFolder(
        GatherSimulatorFacts(disk, std::nullopt, "", discovery, SimulatorSearch::kEverySimulator));
    std::vector<SimulatorCandidate> all;
    if (resolution.in_use) all.push_back(*resolution.in_use);
    all.insert(all.end(), resolution.others.begin(), resolution.others.end());
    std::vector<std::string> lines;
    for (const SimulatorCandidate& simulator : all) {
      std::string folder = simulator.folder;
      const std::string sim_end = kSimInDrive;
      if (folder.size() > sim_end.size() &&
          folder.compare(folder.size() - sim_end.size(), sim_end.size(), sim_end) == 0) {
        folder.resize(folder.size() - sim_end.size());
      } else {
        folder += " (not in its prefix's drive C:)";
      }
      if (folder.compare(0, Home().size(), Home()) == 0) {
        folder = "~" + folder.substr(Home().size());
      } else if (folder.compare(0, root_.size(), root_) == 0) {
        folder = "@" + folder.substr(root_.size());
      }
      lines.push_back(simulator.origin + " " + folder);
    }
    return lines;
  }

 private:
  std::string root_;
  std::map<std::string, std::string> environment_;
};

struct DiscoveryCase {
  const char* name;
  std::function<void(FakeHome&)> make;
  std::vector<std::string> found;
};

void PrintTo(const DiscoveryCase& c, std::ostream* os) {
  *os << c.name;
}

void Bottles(FakeHome& h) {
  h.Prefix(h.Home() + "/.local/share/bottles/bottles/FS2004");
}
void Lutris(FakeHome& h) {
  Write(h.Home() + "/.config/lutris/games/flight-simulator-2004-1700000000.yml",
        "game:\n  exe: drive_c/Program Files/Microsoft Games/Flight Simulator 9/fs9.exe\n"
        "  prefix: ~/Games/flight-simulator-2004\nsystem: {}\nwine:\n  version: lutris-7.2\n");
  h.Prefix(h.Home() + "/Games/flight-simulator-2004");
}
void PlayOnLinux(FakeHome& h) {
  h.Prefix(h.Home() + "/.PlayOnLinux/wineprefix/FS2004");
}
void CrossOver(FakeHome& h) {
  h.Prefix(h.Home() + "/.cxoffice/Flight Simulator");
}
void Heroic(FakeHome& h) {
  h.Prefix(h.Home() + "/Games/Heroic/Prefixes/default/Flight Simulator 2004");
}
void Proton(FakeHome& h) {
  h.Prefix(h.Home() + "/.local/share/Steam/steamapps/compatdata/2400/pfx");
}

const DiscoveryCase kDiscoveryCases[] = {
    {"NothingAnywhere", [](FakeHome&) {}, {}},
    {"DefaultPrefix", [](FakeHome& h) { h.Prefix(h.Home() + "/.wine"); }, {"~/.wine ~/.wine"}},
    {"WinePrefixVariable",
     [](FakeHome& h) {
       h.Prefix(h.Root() + "/custom");
       h.Set("WINEPREFIX", h.Root() + "/custom/");
     },
     {"$WINEPREFIX @/custom"}},
    {"BottlesNative", Bottles, {"bottles:FS2004 ~/.local/share/bottles/bottles/FS2004"}},
    {"BottlesInXdgDataHome",
     [](FakeHome& h) {
       h.Set("XDG_DATA_HOME", h.Root() + "/data");
       h.Prefix(h.Root() + "/data/bottles/bottles/Clean");
     },
     {"bottles:Clean @/data/bottles/bottles/Clean"}},
    {"BottlesFlatpak",
     [](FakeHome& h) {
       h.Prefix(h.Home() + "/.var/app/com.usebottles.bottles/data/bottles/bottles/FS9");
     },
     {"bottles:FS9 ~/.var/app/com.usebottles.bottles/data/bottles/bottles/FS9"}},
    {"Lutris", Lutris, {"lutris:flight-simulator-2004 ~/Games/flight-simulator-2004"}},
    {"LutrisPrefixElsewhere",
     [](FakeHome& h) {
       Write(h.Home() + "/.local/share/lutris/games/fs9-1700000000.yml",
             "# installed by hand\ngame:\n    prefix: '" + h.Root() + "/disk/fs9'  \n");
       h.Prefix(h.Root() + "/disk/fs9");
     },
     {"lutris:fs9 @/disk/fs9"}},
    {"PlayOnLinux", PlayOnLinux, {"playonlinux:FS2004 ~/.PlayOnLinux/wineprefix/FS2004"}},
    {"CrossOver", CrossOver, {"crossover:Flight Simulator ~/.cxoffice/Flight Simulator"}},
    {"HeroicDefaultPrefixes",
     Heroic,
     {"heroic:Flight Simulator 2004 ~/Games/Heroic/Prefixes/default/Flight Simulator 2004"}},
    {"HeroicConfiguredProtonPrefix",
     [](FakeHome& h) {
       Write(h.Home() + "/.config/heroic/GamesConfig/Sim.json",
             "{\"Sim\": {\"wineVersion\": {\"type\": \"proton\"}, \"winePrefix\": \"" + h.Root() +
                 "/games/FS9\"}}");
       h.Prefix(h.Root() + "/games/FS9/pfx");
     },
     {"heroic:FS9 @/games/FS9/pfx"}},
    {"Proton", Proton, {"proton:2400 ~/.local/share/Steam/steamapps/compatdata/2400/pfx"}},
    {"ProtonInAnotherLibraryAndTheFlatpak",
     [](FakeHome& h) {
       const std::string steam = h.Home() + "/.local/share/Steam";
       Write(steam + "/steamapps/libraryfolders.vdf",
             "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" + steam +
                 "\"\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" + h.Root() +
                 "/SteamLibrary\"\n\t\t\"apps\"\n\t\t{\n\t\t}\n\t}\n}\n");
       h.Prefix(h.Root() + "/SteamLibrary/steamapps/compatdata/7/pfx");
       h.Prefix(h.Home() +
                "/.var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/compatdata/9/pfx");
     },
     {"proton:7 @/SteamLibrary/steamapps/compatdata/7/pfx",
      "proton:9 ~/.var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/compatdata/9/"
      "pfx"}},
    {"SteamReachedThroughItsLinksOnce",
     [](FakeHome& h) {
       Proton(h);
       fs::create_directories(h.Home() + "/.steam");
       fs::create_directory_symlink(h.Home() + "/.local/share/Steam", h.Home() + "/.steam/steam");
       fs::create_directory_symlink(h.Home() + "/.local/share/Steam", h.Home() + "/.steam/root");
     },
     {"proton:2400 ~/.local/share/Steam/steamapps/compatdata/2400/pfx"}},
    {"SeveralAtOnceInTheirOrder",
     [](FakeHome& h) {
       Proton(h);
       Heroic(h);
       CrossOver(h);
       PlayOnLinux(h);
       Lutris(h);
       Bottles(h);
       h.Prefix(h.Home() + "/.local/share/bottles/bottles/Another");
       h.Prefix(h.Home() + "/.wine");
     },
     {"~/.wine ~/.wine", "bottles:Another ~/.local/share/bottles/bottles/Another",
      "bottles:FS2004 ~/.local/share/bottles/bottles/FS2004",
      "lutris:flight-simulator-2004 ~/Games/flight-simulator-2004",
      "playonlinux:FS2004 ~/.PlayOnLinux/wineprefix/FS2004",
      "crossover:Flight Simulator ~/.cxoffice/Flight Simulator",
      "heroic:Flight Simulator 2004 ~/Games/Heroic/Prefixes/default/Flight Simulator 2004",
      "proton:2400 ~/.local/share/Steam/steamapps/compatdata/2400/pfx"}},
    {"OnePrefixNamedByTwoManagersOnce",
     [](FakeHome& h) {
       h.Prefix(h.Home() + "/.wine");
       h.Set("WINEPREFIX", h.Home() + "/.wine");
       Write(h.Home() + "/.config/lutris/games/fs9-1.yml", "game:\n  prefix: ~/.wine\n");
     },
     {"$WINEPREFIX ~/.wine"}},
    {"BrokenPrefixesArePassedOver",
     [](FakeHome& h) {
       const std::string bottles = h.Home() + "/.local/share/bottles/bottles/";
       // system.reg that cannot be read.
       h.Prefix(bottles + "A unreadable");
       fs::remove(bottles + "A unreadable/system.reg");
       fs::create_directory(bottles + "A unreadable/system.reg");
       // Drive C: linked to nowhere.
       h.Prefix(bottles + "B dangling");
       fs::remove(bottles + "B dangling/dosdevices/c:");
       fs::create_directory_symlink("../gone", bottles + "B dangling/dosdevices/c:");
       // A registry value naming a folder that is not there.
       h.Prefix(bottles + "C removed");
       fs::remove_all(bottles + "C removed/drive_c/Program Files");
       // A folder that is no longer a simulator.
       h.Prefix(bottles + "D uninstalled");
       fs::remove_all(bottles + "D uninstalled" + kSimInDrive + "/Aircraft");
       // Not a Wine registry, no registry, a file where a prefix should be.
       h.Prefix(bottles + "E junk");
       Write(bottles + "E junk/system.reg", "\x01\x02junk");
       fs::create_directories(bottles + "F empty");
       Write(bottles + "G file", "");
       // A Lutris game without a prefix, with a relative one, with junk.
       Write(h.Home() + "/.config/lutris/games/a-1.yml", "game:\n  exe: x.exe\n");
       Write(h.Home() + "/.config/lutris/games/b-1.yml", "game:\n  prefix: Games/fs9\n");
       Write(h.Home() + "/.config/lutris/games/c-1.yml", "\xff\xfe{[");
       // And one good one among them.
       h.Prefix(bottles + "H good");
     },
     {"bottles:H good ~/.local/share/bottles/bottles/H good"}},
};

class DiscoveryTest : public ::testing::TestWithParam<DiscoveryCase> {};

TEST_P(DiscoveryTest, FindsEverySimulatorInItsPrefixManagersLayout) {
  FakeHome home;
  GetParam().make(home);
  EXPECT_EQ(home.Simulators(), GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(Homes, DiscoveryTest, ::testing::ValuesIn(kDiscoveryCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DiscoveryStartTest, TheFolderDialogStartsAtThePrefixsDriveElseAtHome) {
  FakeHome home;
  WineDiscovery discovery(home.Environment());
  EXPECT_EQ(discovery.BrowseStart(), home.Home());
  EXPECT_EQ(discovery.HomeFolder(), home.Home());
  home.Prefix(home.Home() + "/.wine");
  EXPECT_EQ(WineDiscovery(home.Environment()).BrowseStart(), home.Home() + "/.wine/drive_c");
  home.Set("WINEPREFIX", home.Root() + "/other");
  home.Prefix(home.Root() + "/other");
  EXPECT_EQ(WineDiscovery(home.Environment()).BrowseStart(), home.Root() + "/other/drive_c");
}

}  // namespace
}  // namespace ql2
