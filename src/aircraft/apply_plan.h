// Carries out a plan: its steps in order (kept copies and backups, then panel files, then the
// record), each file replaced atomically. The first failure stops the rest and puts back, newest
// first, every file the plan changed so far, from the bytes the plan says they held.
#pragma once

#include <string>

#include "aircraft/plan.h"
#include "platform/file_system.h"

namespace ql2 {

// Told when the click moves on to steps of another role, so that a window can show progress.
class PlanProgress {
 public:
  virtual ~PlanProgress() = default;
  virtual void Starting(StepRole role) = 0;
};

struct ApplyOutcome {
  bool ok = true;
  // What failed, as a status line says it: "writing Aircraft/.../panel.cfg failed: the disk is
  // full"; empty on success.
  std::string failure;
  Status failed;  // the failed step's own error, for its kind and cause
  // Whether putting the files back after the failure worked, and if not, what failed.
  bool undone = true;
  std::string undo_failure;
};

ApplyOutcome ApplyPlan(FileSystem& fs, const Plan& plan, PlanProgress* progress = nullptr);

// Whether each step can be made, looked at before the first one is: a file to be replaced or
// deleted must be a writable file, and the folder its new bytes go to must take a new file. Ok,
// or a Refusal whose cause says the problem in plain words ("Aircraft/.../panel.cfg is
// read-only").
Status CheckPlan(FileSystem& fs, const Plan& plan);

}  // namespace ql2
