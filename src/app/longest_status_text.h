// For window tests: the longest status line the program writes today for a family, so that each
// front end's test shows the same worst case.
#pragma once

#include <string>

#include "aircraft/family.h"
#include "app/texts.h"
#include "platform/program_files.h"
#include "platform/sim_path.h"

namespace ql2 {

// A refused write under Program Files whose undoing failed too, naming the family's longest file
// in the simulator folder given (with its separator).
inline std::string LongestStatusText(const Family& family, const std::string& sim_folder,
                                     char separator) {
  const PanelFile* longest = &family.files[0];
  for (const PanelFile& file : family.files) {
    if (file.backup.size() > longest->backup.size()) longest = &file;
  }
  const std::string cause(kProgramFilesCause);
  return std::string(texts::kCannotInstall) + "backing up " + DisplaySimPath(longest->backup) +
         " failed: " + cause + "." + std::string(texts::kUndoFailed) + "cannot write " +
         JoinSimPath(sim_folder, longest->config, separator) + ": " + cause + ".";
}

// A deep simulator folder, as a long-standing installation may have it.
inline constexpr char kDeepWindowsSimFolder[] =
    "C:\\Program Files (x86)\\Microsoft Games\\Microsoft Flight Simulator 9 - A Century of Flight";
inline constexpr char kDeepWineSimFolder[] =
    "/home/flight-simulator-enthusiast/.wine/drive_c/Program Files (x86)/Microsoft Games/"
    "Microsoft Flight Simulator 9 - A Century of Flight";

}  // namespace ql2
