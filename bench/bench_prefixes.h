// Wine prefixes for the discovery benchmark: a home folder holding many prefixes of the common
// prefix managers, each with a system.reg the size of a fresh Wine 8 prefix's (1.7 MB, 8,700
// keys), some with the simulator installed.
#pragma once

#include <string>

namespace ql2 {
namespace bench {

// Writes `count` prefixes under home, spread over ~/.wine, Bottles, Lutris (with its game
// configurations), PlayOnLinux, CrossOver, Heroic and Steam's compatdata; every
// `simulator_every`th holds the simulator. Returns how many hold it, -1 when a file cannot be
// written.
int WriteWinePrefixes(const std::string& home, int count, int simulator_every);

}  // namespace bench
}  // namespace ql2
