#include "app/family_state.h"

#include <tuple>

namespace ql2 {

std::string_view FamilyDisplayStateName(FamilyDisplayState state) {
  switch (state) {
    case FamilyDisplayState::kAbsent:
      return "Absent";
    case FamilyDisplayState::kNotInstalled:
      return "NotInstalled";
    case FamilyDisplayState::kInstalled:
      return "Installed";
    case FamilyDisplayState::kEdited:
      return "Edited";
    case FamilyDisplayState::kInterruptedInstall:
      return "InterruptedInstall";
    case FamilyDisplayState::kInterruptedRemove:
      return "InterruptedRemove";
    case FamilyDisplayState::kError:
      break;
  }
  return "Error";
}

bool FamilyFacts::operator==(const FamilyFacts& other) const {
  return std::tie(present, record_read, record_error, installed, full, survey) ==
         std::tie(other.present, other.record_read, other.record_error, other.installed, other.full,
                  other.survey);
}

FamilyDisplayState DeriveState(const Family& family, const FamilyFacts& facts) {
  if (!facts.record_read) {
    return facts.present ? FamilyDisplayState::kError : FamilyDisplayState::kAbsent;
  }
  if (!facts.present) {
    // An installed family shows so even when its folder has gone.
    return facts.installed == 0 ? FamilyDisplayState::kAbsent : FamilyDisplayState::kInstalled;
  }
  const FamilySurvey& survey = facts.survey;
  if (facts.installed == 0) {
    return survey.AnyOwnBackup() ? FamilyDisplayState::kInterruptedInstall
                                 : FamilyDisplayState::kNotInstalled;
  }
  if (!survey.reference_error.empty()) return FamilyDisplayState::kError;
  if (!survey.AllRequiredBackups(family) || survey.reference_restored ||
      survey.reference_stripped) {
    return FamilyDisplayState::kInterruptedRemove;
  }
  // Exactly 1 arms the check; another number says installed whatever the file holds.
  if (facts.installed == 1 && !survey.title_found) return FamilyDisplayState::kEdited;
  return FamilyDisplayState::kInstalled;
}

}  // namespace ql2
