// Opens a document with the program the desktop associates with it, in a normal, visible window.
#pragma once

#include <string>
#include <vector>

#include "platform/status.h"

namespace ql2 {

class Shell {
 public:
  virtual ~Shell() = default;
  // Starts the opening and returns without waiting for the program.
  virtual Status OpenDocument(const std::string& path) = 0;
};

// Opens nothing and succeeds: for runs that never show a document, such as the command line.
class NullShell : public Shell {
 public:
  Status OpenDocument(const std::string&) override { return Status::Ok(); }
};

// Remembers what it was asked to open, for tests, and answers with the status it is given.
class RecordingShell : public Shell {
 public:
  Status OpenDocument(const std::string& path) override {
    opened_.push_back(path);
    return answer_;
  }
  const std::vector<std::string>& opened() const { return opened_; }
  // Every opening from now on fails so (Status::Ok() to succeed again).
  void Answer(Status status) { answer_ = std::move(status); }

 private:
  std::vector<std::string> opened_;
  Status answer_;
};

// The desktop's opener: xdg-open on Linux, open on macOS.
class PosixShell : public Shell {
 public:
  Status OpenDocument(const std::string& path) override;
};

}  // namespace ql2
