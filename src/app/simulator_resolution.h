// Which simulator folder the window and ql2cfg work on, and which others the user may pick.
//
// A folder holds the simulator when it is a folder that holds a folder named "Aircraft" (letter
// case aside, as every lookup of the program): every installation of the simulator has one, and
// every add-on this program edits lives in it. One look in one folder tells a simulator from an
// empty or wrong folder, and from a folder a registry still names after it was removed.
//
// The order, the first that applies wins:
//   1. the folder given for this run (--sim-folder), if it holds the simulator; if it does not,
//      no folder is used at all, since the run asked for that one and no other;
//   2. the folder the user chose in the window, while it holds the simulator; one that no longer
//      does is forgotten, and a sentence says so;
//   3. the first folder the system names that holds the simulator: the registry on Windows, the
//      Wine prefixes on Linux (SimulatorFinder).
// The decision is ResolveSimulatorFolder, a pure function of SimulatorFacts; GatherSimulatorFacts
// looks at the disk for it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/simulator_finder.h"

namespace ql2 {

// The option of the window and of ql2cfg that gives the folder for one run.
inline constexpr std::string_view kSimFolderOption = "--sim-folder";

namespace origin {
inline constexpr std::string_view kGiven = kSimFolderOption;
inline constexpr std::string_view kChosen = "chosen";
}  // namespace origin

// The folder every simulator installation has, as the program's relative paths write it.
inline constexpr std::string_view kAircraftFolder = "\\Aircraft";

enum class FolderCheck { kHoldsSimulator, kNoAircraftFolder, kNotAFolder };

struct SimulatorCandidate {
  std::string folder;  // a native path
  std::string origin;  // origin::kGiven, origin::kChosen, or where a SimulatorFinder found it
  FolderCheck check = FolderCheck::kNotAFolder;
};

struct SimulatorFacts {
  std::optional<SimulatorCandidate> given;
  std::optional<SimulatorCandidate> chosen;
  std::vector<SimulatorCandidate> found;  // as the finder gave them
  bool names_ignore_case = false;         // two spellings of a path name one folder (Windows)
};

struct SimulatorResolution {
  std::optional<SimulatorCandidate> in_use;
  // The other folders that hold the simulator, in the order above, each folder once.
  std::vector<SimulatorCandidate> others;
  bool forget_chosen = false;
  // The given or chosen folder when it does not hold the simulator: the user is told why it is
  // not used (and, for the chosen one, that it is forgotten).
  std::vector<SimulatorCandidate> passed_over;
};

SimulatorResolution ResolveSimulatorFolder(const SimulatorFacts& facts);

// Whether two paths name one folder: trailing separators aside, and letter case aside where names
// ignore it.
bool SameFolder(std::string_view a, std::string_view b, bool names_ignore_case);

FolderCheck CheckSimulatorFolder(FileSystem& fs, const std::string& folder);

// How far GatherSimulatorFacts looks: only as far as the folder in use is known, or at every
// folder the finder names (for a list to pick from).
enum class SimulatorSearch { kFolderInUse, kEverySimulator };

// The facts, with each folder looked at on fs. chosen is "" when none was chosen.
SimulatorFacts GatherSimulatorFacts(FileSystem& fs, const std::optional<std::string>& given,
                                    const std::string& chosen, SimulatorFinder& finder,
                                    SimulatorSearch search);

// A folder as a line of the window shows it: the home folder as "~", and a path longer than
// max_chars cut in the middle, keeping its first two names and as many of its last ones as fit
// (always the last), with "..." between.
std::string ShortFolder(std::string_view folder, std::string_view home, char separator,
                        std::size_t max_chars);

// Why a folder passed over is not used, in one sentence; shown is the folder as the user sees it
// (ShortFolder), and forgotten whether a chosen folder was forgotten.
std::string PassedOverSentence(const SimulatorCandidate& folder, const std::string& shown,
                               bool forgotten = true);

// The registry a procedure reads again during a click: the order above run afresh.
class ResolvingRegistry : public Registry {
 public:
  explicit ResolvingRegistry(std::function<Result<std::string>()> read) : read_(std::move(read)) {}
  Result<std::string> ReadSimulatorFolder() override { return read_(); }

 private:
  std::function<Result<std::string>()> read_;
};

}  // namespace ql2
