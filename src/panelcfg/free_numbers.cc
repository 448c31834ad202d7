#include "panelcfg/free_numbers.h"

#include <set>
#include <string>

#include "platform/ascii.h"
#include "platform/profile.h"
#include "platform/text_lines.h"

namespace ql2 {
namespace {

// Names as the profile functions compare them: blanks trimmed, ASCII letters in one case.
class NameSet {
 public:
  void Add(std::string_view name) { names_.insert(Folded(name)); }
  bool Has(std::string_view name) const { return names_.count(Folded(name)) != 0; }

 private:
  static std::string Folded(std::string_view name) {
    std::string folded;
    const std::size_t first = name.find_first_not_of(" \t");
    if (first == std::string_view::npos) return folded;
    name = name.substr(first, name.find_last_not_of(" \t") - first + 1);
    for (char c : name) folded += AsciiLower(c);
    return folded;
  }

  std::set<std::string> names_;
};

// The keys of the first section of this name and, when wanted, every section name of the file.
void CollectNames(std::string_view bytes, std::string_view section, NameSet* keys,
                  NameSet* sections) {
  enum { kBefore, kInside, kAfter } where = kBefore;
  ForEachLine(bytes, [&](std::string_view line) {
    std::string_view name;
    std::string_view value;
    if (profile::ParseHeader(line, &name)) {
      if (sections != nullptr) sections->Add(name);
      if (where == kInside) {
        where = kAfter;
      } else if (where == kBefore && profile::SameName(name, section)) {
        where = kInside;
      }
      // Without the section names, nothing after the first section of the name matters.
      return where != kAfter || sections != nullptr;
    }
    if (where == kInside && profile::ParseKeyLine(line, &name, &value)) keys->Add(name);
    return true;
  });
}

}  // namespace

int FreeWindowNumber(std::string_view bytes, int from) {
  NameSet taken;
  CollectNames(bytes, panel::kWindowTitlesSection, &taken, &taken);
  int number = from;
  while (taken.Has(FormWindowName(number))) ++number;
  return number;
}

int FreeGaugeNumber(std::string_view bytes, std::string_view section, int from,
                    GaugeKeyStyle style) {
  NameSet taken;
  CollectNames(bytes, section, &taken, nullptr);
  int number = from;
  while (taken.Has(FormGaugeKey(number, style))) ++number;
  return number;
}

}  // namespace ql2
