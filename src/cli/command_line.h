// The command line ql2cfg: the main window's logic without a window, for scripts and for users
// without a desktop. Its interface is stable:
//
//   ql2cfg [--sim-folder DIR] status
//   ql2cfg [--sim-folder DIR] install FAMILY [--dry-run]
//   ql2cfg [--sim-folder DIR] remove FAMILY [--dry-run]
//   ql2cfg --help | --version          FAMILY: cheyenne | atr | pmdg | pic
//
// Exit status: 0 success, 1 the procedure failed or its button is not offered, 2 wrong usage.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/registry.h"

namespace ql2 {

struct CommandLineServices {
  FileSystem& fs;
  Registry& registry;  // used unless --sim-folder names the folder
};

int RunCommandLine(const std::vector<std::string>& arguments, CommandLineServices services,
                   std::ostream& out, std::ostream& err);

}  // namespace ql2
