#include "app/family_state.h"

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
  return present == other.present && record_read == other.record_read &&
         record_error == other.record_error && installed == other.installed && full == other.full &&
         panel_checked == other.panel_checked && title_found == other.title_found &&
         panel_error == other.panel_error && backups == other.backups;
}

FamilyDisplayState DeriveState(const Family& family, const FamilyFacts& facts) {
  if (!facts.record_read) {
    return facts.present ? FamilyDisplayState::kError : FamilyDisplayState::kAbsent;
  }
  if (!facts.present) {
    // An installed family shows so even when its folder has gone.
    return facts.installed == 0 ? FamilyDisplayState::kAbsent : FamilyDisplayState::kInstalled;
  }
  if (!facts.panel_error.empty()) return FamilyDisplayState::kError;
  if (facts.installed == 0) {
    return facts.backups.AnyPresent() ? FamilyDisplayState::kInterruptedInstall
                                      : FamilyDisplayState::kNotInstalled;
  }
  if (!facts.backups.AllRequiredPresent(family) || facts.reference_restored) {
    return FamilyDisplayState::kInterruptedRemove;
  }
  if (facts.panel_checked && facts.installed == 1 && !facts.title_found) {
    return FamilyDisplayState::kEdited;
  }
  return FamilyDisplayState::kInstalled;
}

}  // namespace ql2
