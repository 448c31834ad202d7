// Boeing 737 Classics: the 737-300 panel file, and the 737-400's and 737-500's when the 737-400
// was present at the latest start. The 737-300 file is the reference file.
#include "aircraft/family.h"

namespace ql2 {

const Family& PicFamily() {
  static const Family family = {
      "pic",
      "PIC",
      {"Boeing 737 Classics", "Boeing 737 Classics PIC cannot be found.",
       "The gauge has been installed successfully.", "The gauge has been removed successfully.", "",
       "", ""},
      "\\Aircraft\\feelThere pic 737-300\\panel",
      "\\Aircraft\\feelThere pic 737-400\\panel",
      {{"\\Aircraft\\feelThere pic 737-300\\panel\\panel.cfg",
        "\\Aircraft\\feelThere pic 737-300\\panel\\panel.cfg.backup",
        false,
        {0}},
       {"\\Aircraft\\feelThere pic 737-400\\panel\\panel.cfg",
        "\\Aircraft\\feelThere pic 737-400\\panel\\panel.cfg.backup",
        true,
        {0}},
       {"\\Aircraft\\feelThere pic 737-500\\panel\\panel.cfg",
        "\\Aircraft\\feelThere pic 737-500\\panel\\panel.cfg.backup",
        true,
        {0}}},
      {1, 2, 0},
      {{0}, {1, 2}},
      {{0, "Quillever", "size_mm=48,164", "Visible=0", "ident=80", "window_size= 0.030, 0.137",
        "gauge00=QLever2!Cp6uja,  0,141,22,22   //Quillever gauge by Tamsel"}},
      {{"[Window08]", "[Window09]", "Window08"}},
      GaugeKeyStyle::kTwoDigits,
      "QLever2!QL,  0,141,22,22   //Quillever gauge by Tamsel",
      false,
  };
  return family;
}

}  // namespace ql2
