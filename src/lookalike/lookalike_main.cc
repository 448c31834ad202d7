// ql2_lookalike: writes lookalike simulator files where a person wants them.
//   ql2_lookalike prefix DIR          the demo: a Wine prefix whose simulator holds every family
//   ql2_lookalike tree DIR [--kb N]   a simulator tree, panel files padded to about N KB
// Exit status: 0 written, 1 a file could not be written, 2 wrong usage.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "lookalike/lookalike_tree.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: ql2_lookalike prefix DIR\n       ql2_lookalike tree DIR [--kb N]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string command = argv[1];
  const std::string folder = argv[2];
  bool written = false;
  if (command == "prefix" && argc == 3) {
    written = ql2::lookalike::WriteWinePrefix(folder);
  } else if (command == "tree" && (argc == 3 || (argc == 5 && std::string(argv[3]) == "--kb"))) {
    ql2::lookalike::TreeOptions options;
    if (argc == 5) options.panel_bytes = std::strtoul(argv[4], nullptr, 10) * 1024;
    written = ql2::lookalike::WriteTree(folder, ql2::lookalike::SimulatorTree(options));
  } else {
    return Usage();
  }
  if (!written) std::fprintf(stderr, "ql2_lookalike: cannot write in %s\n", folder.c_str());
  return written ? 0 : 1;
}
