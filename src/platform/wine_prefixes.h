// Where the simulator may be installed on Linux: Wine's own prefix and every prefix of the common
// prefix managers, each read as Wine would read it (see wine_registry.h). Only the prefixes'
// system.reg files and the managers' small settings files are read, never a drive's tree, so that
// the search stays fast with many prefixes.
//
// The prefixes, in this order (XDG_DATA_HOME and XDG_CONFIG_HOME default to ~/.local/share and
// ~/.config; within one place, by name):
//   $WINEPREFIX                                                   "$WINEPREFIX"
//   ~/.wine                                                       "~/.wine"
//   $XDG_DATA_HOME/bottles/bottles/*, then the Flatpak's
//     ~/.var/app/com.usebottles.bottles/data/bottles/bottles/*    "bottles:<bottle>"
//   the "prefix" of the game section of each Lutris game's configuration,
//     $XDG_CONFIG_HOME/lutris/games/*.yml, $XDG_DATA_HOME/lutris/games/*.yml and the Flatpak's
//     ~/.var/app/net.lutris.Lutris/{config,data}/lutris/games/*.yml  "lutris:<game>"
//   ~/.PlayOnLinux/wineprefix/*                                   "playonlinux:<name>"
//   ~/.cxoffice/*                                                 "crossover:<bottle>"
//   ~/Games/Heroic/Prefixes/* (and one level deeper, as in Prefixes/default/*), then every
//     "winePrefix" of $XDG_CONFIG_HOME/heroic/GamesConfig/*.json and the Flatpak's
//     ~/.var/app/com.heroicgameslauncher.hgl/config/heroic/GamesConfig/*.json  "heroic:<name>"
//   steamapps/compatdata/*/pfx under every Steam library: each Steam folder
//     ($XDG_DATA_HOME/Steam, ~/.steam/steam, ~/.steam/root, ~/.steam/debian-installation, the
//     Flatpak's ~/.var/app/com.valvesoftware.Steam/{.local/share,data}/Steam, the Snap's
//     ~/snap/steam/common/.local/share/Steam) and the libraries its
//     steamapps/libraryfolders.vdf names                          "proton:<appid>"
// A Heroic prefix made for Proton keeps Wine's files in its "pfx" folder, which is then the one
// read. A leading "~/" in a configured path is the home folder; other relative paths are skipped.
// Only folders that exist are listed, and a folder reached twice (through a link, or named by two
// managers) only once, under its first origin.
#pragma once

#include <string>
#include <vector>

#include "platform/simulator_finder.h"
#include "platform/wine_registry.h"

namespace ql2 {

struct WinePrefix {
  std::string folder;
  std::string origin;
};

std::vector<WinePrefix> ListWinePrefixes(const EnvironmentLookup& environment);

// The simulator folder each prefix registers (WineRegistry), in ListWinePrefixes' order; prefixes
// that register none, or whose registry cannot be read, are passed over.
class WineDiscovery : public SimulatorFinder {
 public:
  explicit WineDiscovery(EnvironmentLookup environment) : environment_(std::move(environment)) {}

  std::vector<FoundFolder> FindSimulatorFolders() override;
  // Drive C: of the prefix Wine would use, else the home folder.
  std::string BrowseStart() override;
  std::string HomeFolder() override;

 private:
  EnvironmentLookup environment_;
};

}  // namespace ql2
