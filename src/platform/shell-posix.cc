#include <spawn.h>
#include <sys/wait.h>

#include "platform/shell.h"

extern char** environ;

namespace ql2 {

Status PosixShell::OpenDocument(const std::string& path) {
#ifdef __APPLE__
  const char* opener = "open";
#else
  const char* opener = "xdg-open";
#endif
  // A short-lived shell starts the opener in the background, so that a desktop whose opener waits
  // for the viewer never holds up the window; the path travels as an argument, never as code.
  std::string script = std::string("command -v ") + opener + " >/dev/null 2>&1 || exit 127; " +
                       opener + " \"$1\" >/dev/null 2>&1 &";
  std::string shell = "/bin/sh", dash_c = "-c", name = "ql2-open", argument = path;
  char* argv[] = {&shell[0], &dash_c[0], &script[0], &name[0], &argument[0], nullptr};
  pid_t pid;
  if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, argv, environ) != 0) {
    return Status::Failed(ErrorKind::kOther, "open", path, "the shell could not be started");
  }
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    return Status::Failed(ErrorKind::kNotFound, "open", path,
                          std::string(opener) + " is not available");
  }
  return Status::Ok();
}

}  // namespace ql2
