// For window tests: the longest status line the program writes today for a family, so that each
// front end's test shows the same worst case.
#pragma once

#include <string>

#include "aircraft/family.h"
#include "app/texts.h"
#include "platform/program_files.h"
#include "platform/sim_path.h"

namespace ql2 {

// A write refused under Program Files, and a second refusal while the click puts the files back:
// writing the family's longest backup name fails, and deleting it again (as the undoing of an
// earlier backup does) fails too. Status lines name files relative to the simulator folder (a
// whole path only for the folder a linked file lies in, which is shorter than this), written
// with the separator given; the cause says what to do already, so no advice follows it.
inline std::string LongestStatusText(const Family& family, char separator) {
  const PanelFile* longest = &family.files[0];
  for (const PanelFile& file : family.files) {
    if (file.backup.size() > longest->backup.size()) longest = &file;
  }
  const std::string cause(kProgramFilesCause);
  const std::string name = DisplaySimPath(longest->backup, separator);
  return std::string(texts::kCannotInstall) + "writing the backup " + name + " failed: " + cause +
         "." + std::string(texts::kUndoFailed) + "cannot delete " + name + ": " + cause + ".";
}

}  // namespace ql2
