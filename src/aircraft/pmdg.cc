// Boeing 737NG: the 737-700's 2D and virtual-cockpit panel files, and the 737-800's when it was
// present at the latest start. Two gauge windows, numbered two and three past the reference
// file's window count, and no entries in existing windows.
#include "aircraft/family.h"

namespace ql2 {

const Family& PmdgFamily() {
  static const Family family = {
      "pmdg",
      "PMDG",
      {"Boeing 737NG", "Boeing 737NG cannot be found.",
       "The gauge has been installed successfully.", "The gauge has been removed successfully.", "",
       "", ""},
      "\\Aircraft\\PMDG737-700\\panel",
      "\\Aircraft\\PMDG737-800\\panel",
      {{"\\Aircraft\\PMDG737-700\\panel\\panel.cfg",
        "\\Aircraft\\PMDG737-700\\panel\\panel.cfg.backup",
        false,
        {}},
       {"\\Aircraft\\PMDG737-700\\panel.VC\\panel.cfg",
        "\\Aircraft\\PMDG737-700\\panel.VC\\panel.cfg.backup",
        false,
        {}},
       {"\\Aircraft\\PMDG737-800\\panel\\panel.cfg",
        "\\Aircraft\\PMDG737-800\\panel\\panel.cfg.backup",
        true,
        {}},
       {"\\Aircraft\\PMDG737-800\\panel.VC\\panel.cfg",
        "\\Aircraft\\PMDG737-800\\panel.VC\\panel.cfg.backup",
        true,
        {}}},
      {2, 3, 0, 1},
      {{0, 1}, {2, 3}},
      {{2, "Quillever", "size_mm=1280,960", "Visible=0", "ident=80", "window_size=1.000, 1.000",
        "gauge00=QLever2!Cp6uja,  0,0,19,19   //Quillever gauge by Tamsel"},
       {3, "QL", "size_mm=1280,960", "Visible=1", "ident=400", "window_size=1.000, 1.000",
        "gauge00=QLever2!QL,  0,0,19,19   //Quillever gauge by Tamsel"}},
      {},
      GaugeKeyStyle::kNoLeadingZero,
      "",
      false,
  };
  return family;
}

}  // namespace ql2
