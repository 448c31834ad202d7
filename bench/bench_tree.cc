#include "bench/bench_tree.h"

#include "lookalike/lookalike_tree.h"
#include "platform/sim_path.h"

namespace ql2 {
namespace bench {

std::string TreePath(const std::string& sim_folder, std::string_view relative) {
  return JoinSimPath(sim_folder, relative, '/');
}

std::map<std::string, std::string> WriteSimulatorTree(const std::string& sim_folder,
                                                      std::size_t panel_bytes, bool* ok) {
  lookalike::TreeOptions options;
  options.panel_bytes = panel_bytes;
  const std::map<std::string, std::string> relative = lookalike::SimulatorTree(options);
  *ok = lookalike::WriteTree(sim_folder, relative);
  std::map<std::string, std::string> files;
  for (const auto& [path, bytes] : relative) files[TreePath(sim_folder, path)] = bytes;
  return files;
}

}  // namespace bench
}  // namespace ql2
