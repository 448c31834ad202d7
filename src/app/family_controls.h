// Each family's row of controls in the main window and its record section's display rules: the
// one place that ties an aircraft family of src/aircraft to the controls that show it.
#pragma once

#include "aircraft/family.h"
#include "app/controls.h"

namespace ql2 {

struct FamilyControls {
  ControlId group;
  ControlId status;
  ControlId not_installed_icon;
  ControlId installed_icon;
  ControlId edited_icon;
  ControlId install;
  ControlId remove;
  // Whether an installation leaves the not-installed icon as it is (the installed icon covers it).
  bool keeps_not_installed_icon;
  // Whether the scan reads the family's record only when its aircraft is there: an absent family
  // then shows Absent, whatever the record says.
  bool shown_only_when_present;
};

const FamilyControls& ControlsOf(const Family& family);

}  // namespace ql2
