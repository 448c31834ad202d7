#include "panelcfg/free_numbers.h"

#include <string>

#include "platform/profile.h"
#include "platform/text_lines.h"

namespace ql2 {
namespace {

// The keys of the first section of this name and, when wanted, every section name of the file.
// Only that section's lines are read one by one; the others are skipped from header to header.
void CollectNames(std::string_view bytes, std::string_view section, profile::NameSet* keys,
                  profile::NameSet* sections) {
  bool keys_done = false;
  TextLine header;
  std::size_t pos = TextStart(bytes);
  while (profile::FindHeaderLine(bytes, pos, &header)) {
    std::string_view name;
    profile::ParseHeader(LineText(bytes, header), &name);
    if (sections != nullptr) sections->Add(name);
    pos = header.end;
    if (keys_done || !profile::SameName(name, section)) continue;
    keys_done = true;
    while (pos < bytes.size()) {
      const TextLine line = LineAt(bytes, pos);
      std::string_view key;
      std::string_view value;
      if (profile::ParseHeader(LineText(bytes, line), &key)) break;
      if (profile::ParseKeyLine(LineText(bytes, line), &key, &value)) keys->Add(key);
      pos = line.end;
    }
    // Without the section names, nothing after the first section of the name matters.
    if (sections == nullptr) return;
  }
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
