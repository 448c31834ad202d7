// ATR 72-500: one panel file; a hidden gauge window and entries in two existing windows.
#include "aircraft/family.h"

namespace ql2 {

const Family& AtrFamily() {
  static const Family family = {
      "atr",
      "ATR",
      {"ATR 72-500", "ATR 72-500 cannot be found.", "The gauge has been installed successfully.",
       "The gauge has been removed successfully.", "", "", ""},
      "\\Aircraft\\Flight 1 ATR-72-500\\panel\\",
      "",
      {{"\\Aircraft\\Flight 1 ATR-72-500\\panel\\panel.cfg",
        "\\Aircraft\\Flight 1 ATR-72-500\\panel\\panel.cfg.backup",
        false,
        {0, 1}}},
      {0},
      {{0}},
      {{0, "Quillever", "size_mm=1024,768", "Visible=0", "ident=80", "window_size=1.000, 1.000",
        "gauge00=QLever2!Cp6uja,  0,0,19,19   //Quillever gauge by Tamsel"}},
      {{"[Window00]", "[Window01]", "Window00"},
       {"[Fixed Window38]", "[Fixed Window39]", "Fixed Window38"}},
      GaugeKeyStyle::kNoLeadingZero,
      "QLever2!QL,  0,0,19,19   //Quillever gauge by Tamsel",
      false,
  };
  return family;
}

}  // namespace ql2
