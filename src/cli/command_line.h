// The command line ql2cfg: the main window's logic without a window, for scripts and for users
// without a desktop. Its interface is stable:
//
//   ql2cfg [--sim-folder DIR] status
//   ql2cfg [--sim-folder DIR] install FAMILY [--dry-run]
//   ql2cfg [--sim-folder DIR] remove FAMILY [--dry-run]
//   ql2cfg [--sim-folder DIR] simulators
//   ql2cfg --help | --version          FAMILY: cheyenne | atr | pmdg | pic
//
// The simulator folder is found as the window finds it (app/simulator_resolution.h), the folder
// chosen in the window included. `simulators` prints one line per simulator found: its folder, a
// tab and where it was found; the first line is the folder the other commands work on.
//
// Exit status: 0 success, 1 the procedure failed or its button is not offered (or, for
// `simulators`, no simulator was found), 2 wrong usage.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/folder_memory.h"
#include "platform/simulator_finder.h"

namespace ql2 {

struct CommandLineServices {
  FileSystem& fs;
  SimulatorFinder& finder;
  FolderMemory* folder_memory;  // the folder chosen in the window; null: none is read
};

int RunCommandLine(const std::vector<std::string>& arguments, CommandLineServices services,
                   std::ostream& out, std::ostream& err);

}  // namespace ql2
