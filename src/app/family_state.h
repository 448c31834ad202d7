// The state a family's group of controls shows, and the facts on disk it is derived from.
#pragma once

#include <string>
#include <string_view>

#include "aircraft/family_survey.h"

namespace ql2 {

enum class FamilyDisplayState {
  kAbsent,              // the aircraft cannot be found
  kNotInstalled,        // Install offered
  kInstalled,           // Remove offered
  kEdited,              // installed, but the panel file lost the gauge window: Repair offered
  kInterruptedInstall,  // backups without an installation: Remove puts the files back
  kInterruptedRemove,   // an installation missing backups: Remove puts back the rest
  kError,               // the record or the panel file cannot be read; the status line says why
};

std::string_view FamilyDisplayStateName(FamilyDisplayState state);

// What the start-up scan (and the look again before each click) finds of one family.
struct FamilyFacts {
  bool present = false;      // the family's folder exists
  bool record_read = false;  // the record's "Installed" key was read (the ATR's only when present)
  std::string record_error;  // why it could not be read
  double installed = 0;
  std::string full;  // the record's "Full" text, for families with further models
  FamilySurvey survey;

  bool operator==(const FamilyFacts& other) const;
  bool operator!=(const FamilyFacts& other) const { return !(*this == other); }
};

FamilyDisplayState DeriveState(const Family& family, const FamilyFacts& facts);

}  // namespace ql2
