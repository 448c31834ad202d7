#include "panelcfg/free_numbers.h"

#include <string>

#include "platform/profile.h"
#include "platform/text_lines.h"

namespace ql2 {
namespace {

// The keys of the first section of this name and, when wanted, every section name of the file.
void CollectNames(std::string_view bytes, std::string_view section, profile::NameSet* keys,
                  profile::NameSet* sections) {
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
  profile::NameSet taken;
  CollectNames(bytes, panel::kWindowTitlesSection, &taken, &taken);
  int number = from;
  while (taken.Has(FormWindowName(number))) ++number;
  return number;
}

int FreeGaugeNumber(std::string_view bytes, std::string_view section, int from,
                    GaugeKeyStyle style) {
  profile::NameSet taken;
  CollectNames(bytes, section, &taken, nullptr);
  int number = from;
  while (taken.Has(FormGaugeKey(number, style))) ++number;
  return number;
}

}  // namespace ql2
