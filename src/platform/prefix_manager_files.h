// The few entries the program reads from prefix managers' own files to find their Wine prefixes:
// a Lutris game's "prefix", Heroic's "winePrefix" settings and Steam's library folders. Only
// parsing: the bytes come from the caller. Each reader takes what it needs and skips whatever
// else the file holds; a file it cannot make sense of gives nothing.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ql2 {

// The "prefix" of the top-level "game" section of a Lutris game configuration (YAML, as
// ~/.config/lutris/games/<game>-<time>.yml holds it): a plain, 'single-' or "double-quoted"
// scalar, a trailing " # comment" dropped. nullopt when there is none or it is empty or null
// ("~" alone, "null"). A leading "~/" is left for the caller to expand.
std::optional<std::string> LutrisGamePrefix(std::string_view yml);

// The game a Lutris configuration file is for: its name without ".yml" and without the
// "-<time>" stamp (nine digits or more) Lutris adds ("flight-simulator-2004-1704067200.yml" ->
// "flight-simulator-2004").
std::string LutrisGameName(std::string_view file_name);

// Every "winePrefix" string value in a Heroic settings file (JSON), in the file's order, with
// JSON's escapes decoded (\uXXXX to UTF-8).
std::vector<std::string> HeroicWinePrefixes(std::string_view json);

// Every "path" value in Steam's libraryfolders.vdf, in the file's order, with its escapes
// (\\ \" \n \t) decoded.
std::vector<std::string> SteamLibraryPaths(std::string_view vdf);

}  // namespace ql2
