// Error values that cross every service boundary. Nothing in the core throws: an operation that
// can fail returns a Status (or a Result<T>), and the caller decides what the user is told.
#pragma once

#include <string>
#include <utility>

namespace ql2 {

// What went wrong, as far as a caller needs to decide what to do about it.
enum class ErrorKind {
  kNone,
  kNotFound,          // the file or folder does not exist
  kPermissionDenied,  // the system refused access
  kReadOnly,          // the file is marked read-only
  kInUse,             // another program holds the file
  kDiskFull,          // no space left on the device
  kNotAFile,          // a folder or device stands where a file was expected
  kBadContent,        // the file's content is not what the operation needs
  kOther,
};

// The plain words for an error kind, as they end a status line ("permission denied").
const char* DescribeErrorKind(ErrorKind kind);

// Success, or a failure with its kind, its cause in plain words ("permission denied", "has no
// [Window01] line") and a whole sentence naming the file ("cannot write /x/panel.cfg: ...").
class Status {
 public:
  Status() = default;
  static Status Ok() { return Status(); }
  static Status Fail(ErrorKind kind, std::string cause, std::string message) {
    Status s;
    s.kind_ = kind;
    s.cause_ = std::move(cause);
    s.message_ = std::move(message);
    return s;
  }
  // "cannot <verb> <path>: <cause>"
  static Status Failed(ErrorKind kind, const std::string& verb, const std::string& path,
                       const std::string& cause);
  // "cannot <verb> <path>: <plain words of kind>"
  static Status Failed(ErrorKind kind, const std::string& verb, const std::string& path) {
    return Failed(kind, verb, path, DescribeErrorKind(kind));
  }

  bool ok() const { return kind_ == ErrorKind::kNone; }
  ErrorKind kind() const { return kind_; }
  const std::string& cause() const { return cause_; }
  const std::string& message() const { return message_; }

 private:
  ErrorKind kind_ = ErrorKind::kNone;
  std::string cause_;
  std::string message_;
};

// A value or the Status that explains why there is none.
template <typename T>
class Result {
 public:
  Result(T value) : value_(std::move(value)) {}          // NOLINT: implicit on purpose
  Result(Status status) : status_(std::move(status)) {}  // NOLINT: implicit on purpose

  bool ok() const { return status_.ok(); }
  const Status& status() const { return status_; }
  const T& value() const { return value_; }
  T& value() { return value_; }

 private:
  T value_{};
  Status status_;
};

}  // namespace ql2
