// Simulator trees for the benchmarks (lookalike files, src/lookalike): every family's panel files,
// padded with gauge lines to a chosen size, with the sections each family's installation needs,
// the install record (nothing installed, no first-run question) and the gauge package's marker,
// so every Install is offered.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

namespace ql2 {
namespace bench {

// Writes the whole tree under sim_folder (created if needed; existing files are replaced) and
// returns each file written, by its path, with its bytes. False in `ok` when a file cannot be
// written.
std::map<std::string, std::string> WriteSimulatorTree(const std::string& sim_folder,
                                                      std::size_t panel_bytes, bool* ok);

// The path of a file of the tree: the simulator folder joined with a relative path written with
// backslashes ("\Aircraft\...\panel.cfg").
std::string TreePath(const std::string& sim_folder, std::string_view relative);

}  // namespace bench
}  // namespace ql2
