// Numbers for the names an installation adds that no entry of the file uses yet. A profile write
// replaces a key that already exists, so a name formed from a count that missed a line (a
// "Gauge00=" in capitals, an indented key, a file laid out unlike the reference file) would
// silently overwrite a neighbour's title, window or gauge; the next free number is taken instead.
// Where nothing is taken the number is the one asked for, and so are the bytes written.
#pragma once

#include <string_view>

#include "panelcfg/panel_config.h"

namespace ql2 {

// The first number from `from` on whose window name (FormWindowName) is neither a key of the
// file's "Window Titles" section nor the name of any section of the file.
int FreeWindowNumber(std::string_view bytes, int from);

// The first number from `from` on whose gauge key (FormGaugeKey in `style`) is not a key of the
// section the entry goes to (the first section of that name, where a profile write puts it).
int FreeGaugeNumber(std::string_view bytes, std::string_view section, int from,
                    GaugeKeyStyle style);

}  // namespace ql2
