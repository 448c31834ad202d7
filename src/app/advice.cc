#include "app/advice.h"

#include "app/texts.h"
#include "platform/program_files.h"

namespace ql2 {

std::string AdviceAfter(const Status& problem) {
  if (problem.ok() || problem.cause() == kProgramFilesCause) return "";
  for (const texts::Advice& advice : texts::kAdvice) {
    if (advice.kind == problem.kind()) return " " + std::string(advice.text);
  }
  return "";
}

}  // namespace ql2
