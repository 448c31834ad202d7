#include "platform/wine_prefixes.h"

#include <dirent.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string_view>

#include "platform/posix_file_system.h"
#include "platform/prefix_manager_files.h"

namespace ql2 {
namespace {

constexpr std::string_view kDataHomeVariable = "XDG_DATA_HOME";
constexpr std::string_view kConfigHomeVariable = "XDG_CONFIG_HOME";
constexpr std::string_view kDefaultDataHome = "/.local/share";
constexpr std::string_view kDefaultConfigHome = "/.config";
constexpr std::string_view kHomeShorthand = "~/";

constexpr std::string_view kWinePrefixOrigin = "$WINEPREFIX";
constexpr std::string_view kDefaultPrefixOrigin = "~/.wine";
constexpr std::string_view kDriveC = "/drive_c";

constexpr std::string_view kBottlesOrigin = "bottles:";
constexpr std::string_view kBottlesInDataHome = "/bottles/bottles";
constexpr std::string_view kBottlesFlatpak =
    "/.var/app/com.usebottles.bottles/data/bottles/bottles";

constexpr std::string_view kLutrisOrigin = "lutris:";
constexpr std::string_view kLutrisGames = "/lutris/games";
constexpr std::string_view kLutrisFlatpak = "/.var/app/net.lutris.Lutris";
constexpr std::string_view kFlatpakConfig = "/config";
constexpr std::string_view kFlatpakData = "/data";
constexpr std::string_view kLutrisExtension = ".yml";

constexpr std::string_view kPlayOnLinuxOrigin = "playonlinux:";
constexpr std::string_view kPlayOnLinuxPrefixes = "/.PlayOnLinux/wineprefix";

constexpr std::string_view kCrossOverOrigin = "crossover:";
constexpr std::string_view kCrossOverBottles = "/.cxoffice";

constexpr std::string_view kHeroicOrigin = "heroic:";
constexpr std::string_view kHeroicPrefixes = "/Games/Heroic/Prefixes";
constexpr std::string_view kHeroicGamesConfig = "/heroic/GamesConfig";
constexpr std::string_view kHeroicFlatpakConfig = "/.var/app/com.heroicgameslauncher.hgl/config";
constexpr std::string_view kHeroicExtension = ".json";
constexpr std::string_view kProtonPrefixFolder = "pfx";

constexpr std::string_view kProtonOrigin = "proton:";
constexpr std::string_view kSteamInDataHome = "/Steam";
constexpr std::string_view kSteamFoldersInHome[] = {
    "/.steam/steam",
    "/.steam/root",
    "/.steam/debian-installation",
    "/.var/app/com.valvesoftware.Steam/.local/share/Steam",
    "/.var/app/com.valvesoftware.Steam/data/Steam",
    "/snap/steam/common/.local/share/Steam",
};
constexpr std::string_view kSteamLibraryLists[] = {"/steamapps/libraryfolders.vdf",
                                                   "/config/libraryfolders.vdf"};
constexpr std::string_view kCompatData = "/steamapps/compatdata";

constexpr char kSeparator = '/';

bool IsFolder(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool Exists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

bool EndsWith(std::string_view s, std::string_view end) {
  return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

// The names in a folder (links followed), by name; none when it cannot be read.
std::vector<std::string> EntriesOf(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return names;
  while (const dirent* entry = readdir(dir)) {
    std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    names.emplace_back(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

std::string BaseName(const std::string& path) {
  std::string trimmed = TrimTrailingSeparators(path, kSeparator);
  const size_t slash = trimmed.rfind(kSeparator);
  return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

std::optional<std::string> ReadSmallFile(const std::string& path) {
  PosixFileSystem disk;
  Result<std::string> bytes = disk.ReadFile(path);
  if (!bytes.ok()) return std::nullopt;
  return bytes.value();
}

// The environment's folders every list starts from.
struct Homes {
  std::string home;         // "" when unknown: then nothing under it is looked at
  std::string data_home;    // $XDG_DATA_HOME
  std::string config_home;  // $XDG_CONFIG_HOME
};

// An XDG folder: the variable when it is an absolute path, else the default under home.
std::string XdgFolder(const EnvironmentLookup& environment, std::string_view variable,
                      const std::string& home, std::string_view default_in_home) {
  std::optional<std::string> value = environment(variable);
  if (value && !value->empty() && value->front() == kSeparator) return *value;
  return home.empty() ? "" : home + std::string(default_in_home);
}

Homes HomesFrom(const EnvironmentLookup& environment) {
  Homes homes;
  std::optional<std::string> home = environment(wine::kHomeVariable);
  if (home && !home->empty() && home->front() == kSeparator) {
    homes.home = TrimTrailingSeparators(*home, kSeparator);
  }
  homes.data_home = XdgFolder(environment, kDataHomeVariable, homes.home, kDefaultDataHome);
  homes.config_home = XdgFolder(environment, kConfigHomeVariable, homes.home, kDefaultConfigHome);
  return homes;
}

// A path from a manager's settings as a native absolute path: "~/x" is under home; nullopt for a
// relative path.
std::optional<std::string> Expand(const std::string& path, const Homes& homes) {
  if (path.compare(0, kHomeShorthand.size(), kHomeShorthand) == 0) {
    if (homes.home.empty()) return std::nullopt;
    return homes.home + kSeparator + path.substr(kHomeShorthand.size());
  }
  if (path.empty() || path.front() != kSeparator) return std::nullopt;
  return path;
}

// The prefixes found so far, each folder once.
class PrefixList {
 public:
  void Add(const std::string& folder, std::string origin) {
    if (folder.empty()) return;
    char resolved[PATH_MAX];
    if (realpath(folder.c_str(), resolved) == nullptr || !IsFolder(resolved)) return;
    if (!seen_.insert(resolved).second) return;
    prefixes_.push_back({TrimTrailingSeparators(folder, kSeparator), std::move(origin)});
  }
  // Every folder in `parent` as a prefix named after it.
  void AddEach(const std::string& parent, std::string_view origin) {
    if (parent.empty()) return;
    for (const std::string& name : EntriesOf(parent)) {
      Add(parent + kSeparator + name, std::string(origin) + name);
    }
  }
  std::vector<WinePrefix> Take() { return std::move(prefixes_); }

 private:
  std::vector<WinePrefix> prefixes_;
  std::set<std::string> seen_;
};

// Where Wine's own files lie in a folder Heroic names: the folder itself, or the "pfx" folder of
// a prefix made for Proton; nullopt when it is neither.
std::optional<std::string> HeroicPrefixIn(const std::string& folder) {
  if (Exists(folder + std::string(wine::kSystemRegistryFile))) return folder;
  const std::string proton = folder + kSeparator + std::string(kProtonPrefixFolder);
  if (IsFolder(proton)) return proton;
  return std::nullopt;
}

// A Heroic prefix is named after its folder, or after the folder holding its "pfx".
std::string HeroicName(const std::string& prefix) {
  std::string name = BaseName(prefix);
  if (name != kProtonPrefixFolder) return name;
  return BaseName(prefix.substr(0, prefix.rfind(kSeparator)));
}

void AddBottles(PrefixList& list, const Homes& homes) {
  if (!homes.data_home.empty()) {
    list.AddEach(homes.data_home + std::string(kBottlesInDataHome), kBottlesOrigin);
  }
  if (!homes.home.empty()) list.AddEach(homes.home + std::string(kBottlesFlatpak), kBottlesOrigin);
}

void AddLutris(PrefixList& list, const Homes& homes) {
  std::vector<std::string> folders;
  if (!homes.config_home.empty()) folders.push_back(homes.config_home + std::string(kLutrisGames));
  if (!homes.data_home.empty()) folders.push_back(homes.data_home + std::string(kLutrisGames));
  if (!homes.home.empty()) {
    const std::string flatpak = homes.home + std::string(kLutrisFlatpak);
    folders.push_back(flatpak + std::string(kFlatpakConfig) + std::string(kLutrisGames));
    folders.push_back(flatpak + std::string(kFlatpakData) + std::string(kLutrisGames));
  }
  for (const std::string& folder : folders) {
    for (const std::string& name : EntriesOf(folder)) {
      if (!EndsWith(name, kLutrisExtension)) continue;
      std::optional<std::string> yml = ReadSmallFile(folder + kSeparator + name);
      if (!yml) continue;
      std::optional<std::string> prefix = LutrisGamePrefix(*yml);
      if (!prefix) continue;
      if (std::optional<std::string> path = Expand(*prefix, homes)) {
        list.Add(*path, std::string(kLutrisOrigin) + LutrisGameName(name));
      }
    }
  }
}

void AddHeroic(PrefixList& list, const Homes& homes) {
  auto add = [&](const std::string& folder) {
    if (std::optional<std::string> prefix = HeroicPrefixIn(folder)) {
      list.Add(*prefix, std::string(kHeroicOrigin) + HeroicName(*prefix));
      return true;
    }
    return false;
  };
  if (!homes.home.empty()) {
    const std::string prefixes = homes.home + std::string(kHeroicPrefixes);
    for (const std::string& name : EntriesOf(prefixes)) {
      const std::string folder = prefixes + kSeparator + name;
      if (add(folder)) continue;
      // A folder of prefixes, as Heroic's "default" one.
      for (const std::string& inner : EntriesOf(folder)) add(folder + kSeparator + inner);
    }
  }
  std::vector<std::string> configs;
  if (!homes.config_home.empty()) {
    configs.push_back(homes.config_home + std::string(kHeroicGamesConfig));
  }
  if (!homes.home.empty()) {
    configs.push_back(homes.home + std::string(kHeroicFlatpakConfig) +
                      std::string(kHeroicGamesConfig));
  }
  for (const std::string& folder : configs) {
    for (const std::string& name : EntriesOf(folder)) {
      if (!EndsWith(name, kHeroicExtension)) continue;
      std::optional<std::string> json = ReadSmallFile(folder + kSeparator + name);
      if (!json) continue;
      for (const std::string& prefix : HeroicWinePrefixes(*json)) {
        if (std::optional<std::string> path = Expand(prefix, homes)) {
          add(TrimTrailingSeparators(*path, kSeparator));
        }
      }
    }
  }
}

void AddProton(PrefixList& list, const Homes& homes) {
  std::vector<std::string> steam_folders;
  if (!homes.data_home.empty())
    steam_folders.push_back(homes.data_home + std::string(kSteamInDataHome));
  if (!homes.home.empty()) {
    for (std::string_view folder : kSteamFoldersInHome) {
      steam_folders.push_back(homes.home + std::string(folder));
    }
  }
  // Each library once, whichever Steam folder or link it is reached through.
  std::vector<std::string> libraries;
  std::set<std::string> seen;
  auto add_library = [&](const std::string& folder) {
    char resolved[PATH_MAX];
    if (realpath(folder.c_str(), resolved) == nullptr) return;
    if (seen.insert(resolved).second) libraries.push_back(folder);
  };
  for (const std::string& steam : steam_folders) {
    if (!IsFolder(steam)) continue;
    add_library(steam);
    for (std::string_view list_file : kSteamLibraryLists) {
      std::optional<std::string> vdf = ReadSmallFile(steam + std::string(list_file));
      if (!vdf) continue;
      for (const std::string& path : SteamLibraryPaths(*vdf)) {
        if (std::optional<std::string> library = Expand(path, homes)) add_library(*library);
      }
    }
  }
  for (const std::string& library : libraries) {
    const std::string compat =
        TrimTrailingSeparators(library, kSeparator) + std::string(kCompatData);
    for (const std::string& appid : EntriesOf(compat)) {
      list.Add(compat + kSeparator + appid + kSeparator + std::string(kProtonPrefixFolder),
               std::string(kProtonOrigin) + appid);
    }
  }
}

}  // namespace

std::vector<WinePrefix> ListWinePrefixes(const EnvironmentLookup& environment) {
  const Homes homes = HomesFrom(environment);
  PrefixList list;
  std::optional<std::string> wine_prefix = environment(wine::kPrefixVariable);
  if (wine_prefix && !wine_prefix->empty()) list.Add(*wine_prefix, std::string(kWinePrefixOrigin));
  if (!homes.home.empty()) {
    list.Add(homes.home + std::string(wine::kDefaultPrefixInHome),
             std::string(kDefaultPrefixOrigin));
  }
  AddBottles(list, homes);
  AddLutris(list, homes);
  if (!homes.home.empty()) {
    list.AddEach(homes.home + std::string(kPlayOnLinuxPrefixes), kPlayOnLinuxOrigin);
    list.AddEach(homes.home + std::string(kCrossOverBottles), kCrossOverOrigin);
  }
  AddHeroic(list, homes);
  AddProton(list, homes);
  return list.Take();
}

std::vector<FoundFolder> WineDiscovery::FindSimulatorFolders() {
  std::vector<FoundFolder> found;
  for (WinePrefix& prefix : ListWinePrefixes(environment_)) {
    Result<std::string> folder = WineRegistry(prefix.folder).ReadSimulatorFolder();
    if (folder.ok()) found.push_back({folder.value(), std::move(prefix.origin)});
  }
  return found;
}

std::string WineDiscovery::BrowseStart() {
  const std::string prefix = WinePrefixFrom(environment_);
  if (!prefix.empty()) {
    const std::string drive = TrimTrailingSeparators(prefix, kSeparator) + std::string(kDriveC);
    if (IsFolder(drive)) return drive;
  }
  return HomeFolder();
}

std::string WineDiscovery::HomeFolder() {
  return HomesFrom(environment_).home;
}

}  // namespace ql2
