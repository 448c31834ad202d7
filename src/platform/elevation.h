// Running with an administrator's full rights. Windows lets only an elevated program change files
// under its program folders, where the simulator is usually installed; a program started normally
// can start itself again elevated, through the system's own prompt.
#pragma once

#include <string>
#include <vector>

#include "platform/status.h"

namespace ql2 {

class Elevation {
 public:
  virtual ~Elevation() = default;

  virtual bool IsElevated() = 0;
  // Whether this program can be started again elevated on this system.
  virtual bool CanRestartElevated() = 0;
  // Starts this program again elevated, with these arguments, after the system's own prompt; the
  // caller then ends. Fails when the user declines the prompt or the system refuses.
  virtual Status RestartElevated(const std::vector<std::string>& arguments) = 0;
};

// A system without elevation (Linux, and the command line, which asks nothing).
class NoElevation : public Elevation {
 public:
  bool IsElevated() override { return false; }
  bool CanRestartElevated() override { return false; }
  Status RestartElevated(const std::vector<std::string>&) override {
    return Status::Fail(ErrorKind::kOther, "not possible here", "not possible here");
  }
};

// Elevation as a test sets it, with every restart it was asked for.
class RecordingElevation : public Elevation {
 public:
  RecordingElevation(bool elevated, bool can_restart)
      : elevated_(elevated), can_restart_(can_restart) {}
  void SetRestartResult(Status result) { result_ = std::move(result); }

  bool IsElevated() override { return elevated_; }
  bool CanRestartElevated() override { return can_restart_; }
  Status RestartElevated(const std::vector<std::string>& arguments) override {
    restarts_.push_back(arguments);
    return result_;
  }
  const std::vector<std::vector<std::string>>& restarts() const { return restarts_; }

 private:
  bool elevated_;
  bool can_restart_;
  Status result_;
  std::vector<std::vector<std::string>> restarts_;
};

}  // namespace ql2
