// The Windows shell's document opener.
#pragma once

#include "platform/shell.h"

namespace ql2 {

// ShellExecute's "open" verb: the program associated with the document's type opens it in a
// normal, visible window. kNotFound when the document or an associated program is missing,
// kPermissionDenied when the system refuses, kOther otherwise.
class Win32Shell : public Shell {
 public:
  Status OpenDocument(const std::string& path) override;
};

}  // namespace ql2
