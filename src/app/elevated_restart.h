// Whether a click that Windows refused should offer to start the Configurator again as
// administrator. Only a write refused under Program Files to a program that is not elevated
// calls for it (the file system's message then ends with kProgramFilesCause); an elevated
// program, such as every program under Wine, is never asked, and neither is the command line.
#pragma once

#include <string_view>

namespace ql2 {

struct ElevationFacts {
  bool click_failed = false;
  bool refused_under_program_files = false;  // the status line gives kProgramFilesCause
  bool elevated = false;
  bool can_restart = false;  // the system can start the program again elevated
};

bool ShouldOfferElevatedRestart(const ElevationFacts& facts);

// Whether a status line tells of a write refused under Program Files.
bool TellsOfRefusalUnderProgramFiles(std::string_view status_line);

}  // namespace ql2
