#include "platform/status.h"

namespace ql2 {

const char* DescribeErrorKind(ErrorKind kind) {
  switch (kind) {
    case ErrorKind::kNone:
      return "no error";
    case ErrorKind::kNotFound:
      return "no such file or folder";
    case ErrorKind::kPermissionDenied:
      return "permission denied";
    case ErrorKind::kReadOnly:
      return "the file is read-only";
    case ErrorKind::kInUse:
      return "the file is in use by another program";
    case ErrorKind::kDiskFull:
      return "the disk is full";
    case ErrorKind::kNotAFile:
      return "not a regular file";
    case ErrorKind::kBadContent:
      return "unexpected content";
    case ErrorKind::kOther:
      break;
  }
  return "input/output error";
}

Status Status::Failed(ErrorKind kind, const std::string& verb, const std::string& path,
                      const std::string& cause) {
  return Fail(kind, cause, "cannot " + verb + " " + path + ": " + cause);
}

}  // namespace ql2
