#include "aircraft/family.h"

namespace ql2 {

const std::vector<const Family*>& AllFamilies() {
  static const std::vector<const Family*> families = {&CheyenneFamily(), &AtrFamily(),
                                                      &PmdgFamily(), &PicFamily()};
  return families;
}

InstallationMarks MarksOf(const Family& family) {
  InstallationMarks marks;
  // A gauge line or value begins with the gauge's name, up to the first comma.
  auto gauge_name = [](std::string_view text) {
    text = text.substr(text.find('=') + 1);
    return text.substr(0, text.find(','));
  };
  for (const GaugeWindow& window : family.windows) {
    marks.windows.push_back({window.title, gauge_name(window.gauge_line)});
  }
  for (const GaugeSection& section : family.gauge_sections) {
    marks.entry_sections.push_back(section.section_name);
  }
  marks.entry_gauge = gauge_name(family.gauge_value);
  return marks;
}

const Family* FindFamily(std::string_view id) {
  for (const Family* family : AllFamilies()) {
    if (family->id == id) return family;
  }
  return nullptr;
}

}  // namespace ql2
