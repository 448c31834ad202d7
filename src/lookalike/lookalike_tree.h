// Whole simulator trees of lookalike files: every family's panel files, laid out with the windows
// and sections its installation needs, the install record and the gauge package's files; and a
// Wine prefix that holds such a tree, as the demo simulator.
#pragma once

#include <cstddef>
#include <map>
#include <string>

#include "aircraft/family.h"
#include "lookalike/lookalike_panel.h"

namespace ql2 {
namespace lookalike {

// A panel file of the family: ten titled windows of four gauges each and the family's fixed
// windows, each file of the tree (`variant`) headed otherwise.
PanelLayout LayoutFor(const Family& family, int variant);

struct TreeOptions {
  std::size_t panel_bytes = 0;  // pad every panel file to about this size; 0: as laid out
  bool first_run = false;       // the record asks the first-run question
};

// The files of a simulator tree with nothing installed, by relative path ("\QL\qlever2.con").
std::map<std::string, std::string> SimulatorTree(const TreeOptions& options);

// Writes files by relative path under a folder (folders made as needed, files replaced). False
// when one cannot be written.
bool WriteTree(const std::string& folder, const std::map<std::string, std::string>& files);

// Writes a Wine prefix whose registry names its simulator folder, drive C: and the simulator
// tree (the demo's), some folders spelt in another letter case than the program asks for, as
// they often are on a real disk. Files of the prefix are rewritten; nothing else is touched.
bool WriteWinePrefix(const std::string& prefix);

}  // namespace lookalike
}  // namespace ql2
