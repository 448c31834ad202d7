// Piper Cheyenne: four models with three panel variants each, twelve panel files edited alike.
// The first model's main panel is the reference file; its backups are named "panel.backup".
#include "aircraft/family.h"

namespace ql2 {

const Family& CheyenneFamily() {
  // Every variant gets entries in "Fixed Window30" and "Window00"; the panel.vfr variants have
  // no "Fixed Window31".
  static const std::vector<int> kAllSections = {0, 1, 2};
  static const std::vector<int> kVfrSections = {0, 2};
  static const Family family = {
      "cheyenne",
      "Cheyenne",
      {"Piper Cheyenne", "Piper Cheyenne cannot be found.", "The gauge has been installed.",
       "The gauge has been removed.", "Backing up files...", "Installing the gauge...",
       "Uninstalling..."},
      "\\Aircraft\\Digital Aviation PA31T1 Cheyenne I\\panel\\",
      "",
      {
          {"\\Aircraft\\Digital Aviation PA31T1 Cheyenne I\\panel\\panel.cfg",
           "\\Aircraft\\Digital Aviation PA31T1 Cheyenne I\\panel\\panel.backup", false,
           kAllSections},
          {"\\Aircraft\\Digital Aviation PA31T1 Cheyenne I\\panel.ifrvfr\\panel.cfg",
           "\\Aircraft\\Digital Aviation PA31T1 Cheyenne I\\panel.ifrvfr\\panel.backup", false,
           kAllSections},
          {"\\Aircraft\\Digital Aviation PA31T1 Cheyenne I\\panel.vfr\\panel.cfg",
           "\\Aircraft\\Digital Aviation PA31T1 Cheyenne I\\panel.vfr\\panel.backup", false,
           kVfrSections},
          {"\\Aircraft\\Digital Aviation PA31T1 Cheyenne IA\\panel\\panel.cfg",
           "\\Aircraft\\Digital Aviation PA31T1 Cheyenne IA\\panel\\panel.backup", false,
           kAllSections},
          {"\\Aircraft\\Digital Aviation PA31T1 Cheyenne IA\\panel.ifrvfr\\panel.cfg",
           "\\Aircraft\\Digital Aviation PA31T1 Cheyenne IA\\panel.ifrvfr\\panel.backup", false,
           kAllSections},
          {"\\Aircraft\\Digital Aviation PA31T1 Cheyenne IA\\panel.vfr\\panel.cfg",
           "\\Aircraft\\Digital Aviation PA31T1 Cheyenne IA\\panel.vfr\\panel.backup", false,
           kVfrSections},
          {"\\Aircraft\\Digital Aviation PA31T Cheyenne II\\panel\\panel.cfg",
           "\\Aircraft\\Digital Aviation PA31T Cheyenne II\\panel\\panel.backup", false,
           kAllSections},
          {"\\Aircraft\\Digital Aviation PA31T Cheyenne II\\panel.ifrvfr\\panel.cfg",
           "\\Aircraft\\Digital Aviation PA31T Cheyenne II\\panel.ifrvfr\\panel.backup", false,
           kAllSections},
          {"\\Aircraft\\Digital Aviation PA31T Cheyenne II\\panel.vfr\\panel.cfg",
           "\\Aircraft\\Digital Aviation PA31T Cheyenne II\\panel.vfr\\panel.backup", false,
           kVfrSections},
          {"\\Aircraft\\Digital Aviation PA31T2 Cheyenne IIXL\\panel\\panel.cfg",
           "\\Aircraft\\Digital Aviation PA31T2 Cheyenne IIXL\\panel\\panel.backup", false,
           kAllSections},
          {"\\Aircraft\\Digital Aviation PA31T2 Cheyenne IIXL\\panel.ifrvfr\\panel.cfg",
           "\\Aircraft\\Digital Aviation PA31T2 Cheyenne IIXL\\panel.ifrvfr\\panel.backup", false,
           kAllSections},
          {"\\Aircraft\\Digital Aviation PA31T2 Cheyenne IIXL\\panel.vfr\\panel.cfg",
           "\\Aircraft\\Digital Aviation PA31T2 Cheyenne IIXL\\panel.vfr\\panel.backup", false,
           kVfrSections},
      },
      {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},
      {{0, 1, 2}, {3, 4, 5}, {6, 7, 8}, {9, 10, 11}},
      {{0, "Quillever", "size_mm=1280,960", "Visible=0", "ident=80", "window_size=1.000, 1.000",
        "gauge00=QLever2!Cp6uja,  0,0,30,30   //Quillever gauge by Tamsel"}},
      {{"[Fixed Window30]", "[Fixed Window31]", "Fixed Window30"},
       {"[Fixed Window31]", "[Fixed Window32]", "Fixed Window31"},
       {"[Window00]", "[Window01]", "Window00"}},
      GaugeKeyStyle::kNoLeadingZero,
      "QLever2!QL,  0,0,30,30   //Quillever gauge by Tamsel",
      true,
  };
  return family;
}

}  // namespace ql2
