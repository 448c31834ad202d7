// The state the start-up scan leaves a family's group of controls in.
#pragma once

#include <string_view>

namespace ql2 {

enum class FamilyDisplayState {
  kAbsent,        // the aircraft cannot be found
  kNotInstalled,  // Install offered
  kInstalled,     // Remove offered
  kEdited,        // installed, but the panel file lost the gauge window: Repair offered
  kError,         // the record or the panel file cannot be read; the status line says why
};

inline std::string_view FamilyDisplayStateName(FamilyDisplayState state) {
  switch (state) {
    case FamilyDisplayState::kAbsent:
      return "Absent";
    case FamilyDisplayState::kNotInstalled:
      return "NotInstalled";
    case FamilyDisplayState::kInstalled:
      return "Installed";
    case FamilyDisplayState::kEdited:
      return "Edited";
    case FamilyDisplayState::kError:
      break;
  }
  return "Error";
}

}  // namespace ql2
