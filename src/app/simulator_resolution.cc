#include "app/simulator_resolution.h"

#include "app/texts.h"
#include "platform/ascii.h"
#include "platform/sim_path.h"

namespace ql2 {
namespace {

constexpr std::string_view kHomeShorthand = "~";
constexpr std::string_view kElision = "...";

bool IsSeparator(char c) {
  return c == '/' || c == '\\';
}

std::string_view WithoutTrailingSeparators(std::string_view path) {
  while (path.size() > 1 && IsSeparator(path.back())) path.remove_suffix(1);
  return path;
}

bool Holds(const SimulatorCandidate& candidate) {
  return candidate.check == FolderCheck::kHoldsSimulator;
}

}  // namespace

bool SameFolder(std::string_view a, std::string_view b, bool names_ignore_case) {
  a = WithoutTrailingSeparators(a);
  b = WithoutTrailingSeparators(b);
  return names_ignore_case ? EqualIgnoringAsciiCase(a, b) : a == b;
}

SimulatorResolution ResolveSimulatorFolder(const SimulatorFacts& facts) {
  SimulatorResolution resolution;
  std::vector<SimulatorCandidate> holders;
  auto add = [&](const SimulatorCandidate& candidate) {
    if (!Holds(candidate)) return;
    for (const SimulatorCandidate& known : holders) {
      if (SameFolder(known.folder, candidate.folder, facts.names_ignore_case)) return;
    }
    holders.push_back(candidate);
  };

  if (facts.given) {
    add(*facts.given);
    if (!Holds(*facts.given)) resolution.passed_over.push_back(*facts.given);
  }
  if (facts.chosen) {
    add(*facts.chosen);
    if (!Holds(*facts.chosen)) {
      resolution.forget_chosen = true;
      resolution.passed_over.push_back(*facts.chosen);
    }
  }
  for (const SimulatorCandidate& found : facts.found) add(found);

  // A given folder that is no simulator stands for none: the run asked for that folder only.
  const bool given_refused = facts.given && !Holds(*facts.given);
  auto rest = holders.begin();
  if (!given_refused && rest != holders.end()) resolution.in_use = *rest++;
  resolution.others.assign(rest, holders.end());
  return resolution;
}

FolderCheck CheckSimulatorFolder(FileSystem& fs, const std::string& folder) {
  if (folder.empty() || fs.Stat(folder).kind != EntryKind::kFolder) return FolderCheck::kNotAFolder;
  const std::string aircraft =
      JoinSimPath(std::string(WithoutTrailingSeparators(folder)), kAircraftFolder, fs.Separator());
  return fs.Stat(aircraft).kind == EntryKind::kFolder ? FolderCheck::kHoldsSimulator
                                                      : FolderCheck::kNoAircraftFolder;
}

SimulatorFacts GatherSimulatorFacts(FileSystem& fs, const std::optional<std::string>& given,
                                    const std::string& chosen, SimulatorFinder& finder,
                                    SimulatorSearch search) {
  SimulatorFacts facts;
  facts.names_ignore_case = fs.Separator() == '\\';
  auto candidate = [&fs](const std::string& folder, std::string_view origin) {
    return SimulatorCandidate{folder, std::string(origin), CheckSimulatorFolder(fs, folder)};
  };
  const bool every = search == SimulatorSearch::kEverySimulator;
  if (given) {
    facts.given = candidate(*given, origin::kGiven);
    if (!every) return facts;  // it alone decides
  }
  if (!chosen.empty()) {
    facts.chosen = candidate(chosen, origin::kChosen);
    if (!every && Holds(*facts.chosen)) return facts;
  }
  for (const FoundFolder& found : finder.FindSimulatorFolders()) {
    facts.found.push_back(candidate(found.folder, found.origin));
  }
  return facts;
}

std::string PassedOverSentence(const SimulatorCandidate& folder, const std::string& shown,
                               bool forgotten) {
  const bool exists = folder.check != FolderCheck::kNotAFolder;
  if (folder.origin == origin::kChosen) {
    return std::string(texts::kChosenBefore) + shown +
           std::string(exists ? texts::kChosenNoSimulator : texts::kChosenGone) +
           std::string(forgotten ? texts::kChosenForgotten : texts::kChosenNotUsed);
  }
  if (!exists) return std::string(texts::kThereIsNoFolder) + shown + ".";
  return shown + std::string(texts::kHoldsNoSimulator);
}

std::string ShortFolder(std::string_view folder, std::string_view home, char separator,
                        std::size_t max_chars) {
  std::string path(WithoutTrailingSeparators(folder));
  home = WithoutTrailingSeparators(home);
  if (home.size() > 1 && path.compare(0, home.size(), home) == 0 &&
      (path.size() == home.size() || path[home.size()] == separator)) {
    path = std::string(kHomeShorthand) + path.substr(home.size());
  }
  if (path.size() <= max_chars) return path;

  // The head: up to the end of the second name (a leading separator belongs to the first).
  std::size_t head_end = 0;
  for (int names = 0; names < 2; ++names) {
    while (head_end < path.size() && path[head_end] == separator) ++head_end;
    head_end = path.find(separator, head_end);
    if (head_end == std::string::npos) return path;  // two names or fewer: nothing to leave out
  }
  const std::string head = path.substr(0, head_end + 1) + std::string(kElision);
  // The tail: whole names from the end, the last always.
  std::size_t tail_start = path.rfind(separator);
  while (tail_start > head_end) {
    const std::size_t before = path.rfind(separator, tail_start - 1);
    if (before == std::string::npos || before <= head_end ||
        head.size() + (path.size() - before) > max_chars) {
      break;
    }
    tail_start = before;
  }
  if (tail_start <= head_end) return path;
  return head + path.substr(tail_start);
}

}  // namespace ql2
