#include "app/elevated_restart.h"

#include "platform/program_files.h"

namespace ql2 {

bool ShouldOfferElevatedRestart(const ElevationFacts& facts) {
  return facts.click_failed && facts.refused_under_program_files && !facts.elevated &&
         facts.can_restart;
}

bool TellsOfRefusalUnderProgramFiles(std::string_view status_line) {
  return status_line.find(kProgramFilesCause) != std::string_view::npos;
}

}  // namespace ql2
