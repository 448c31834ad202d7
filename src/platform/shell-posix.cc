#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include "platform/case_folding_file_system.h"
#include "platform/shell.h"

extern char** environ;

namespace ql2 {
namespace {

constexpr char kVerb[] = "open";
// The opener's exit codes (xdg-open's): the file is missing, no program to open it was found,
// the program failed; 127, the opener itself is missing.
constexpr int kExitNoFile = 2;
constexpr int kExitNoProgram = 3;
constexpr int kExitNoOpener = 127;
constexpr char kNoProgram[] = "no program to open this kind of file was found";
constexpr char kOpenerFailed[] = "the program that opens it failed";

}  // namespace

Status PosixShell::OpenDocument(const std::string& given) {
#ifdef __APPLE__
  const char* opener = "open";
#else
  const char* opener = "xdg-open";
#endif
  // Found as Wine finds it, whatever the letter case of its name on disk.
  const std::string path = ResolvePathIgnoringCase(given);
  struct stat entry;
  if (stat(path.c_str(), &entry) != 0 || !S_ISREG(entry.st_mode)) {
    return Status::Failed(ErrorKind::kNotFound, kVerb, path);
  }
  // A short-lived shell starts the opener in the background and waits a moment for it: an opener
  // that fails, fails at once, but on some desktops one that succeeds waits for the viewer, which
  // must never hold up the window. The path travels as an argument, never as code.
  std::string script = std::string("command -v ") + opener + " >/dev/null 2>&1 || exit 127\n" +
                       opener +
                       " \"$1\" >/dev/null 2>&1 &\n"
                       "pid=$!; tries=0\n"
                       "while kill -0 $pid 2>/dev/null; do\n"
                       "  tries=$((tries + 1)); [ $tries -gt 10 ] && exit 0; sleep 0.1\n"
                       "done\n"
                       "wait $pid";
  std::string shell = "/bin/sh", dash_c = "-c", name = "ql2-open", argument = path;
  char* argv[] = {&shell[0], &dash_c[0], &script[0], &name[0], &argument[0], nullptr};
  pid_t pid;
  if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, argv, environ) != 0) {
    return Status::Failed(ErrorKind::kOther, kVerb, path, "the shell could not be started");
  }
  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return Status::Ok();
  switch (WIFEXITED(status) ? WEXITSTATUS(status) : -1) {
    case kExitNoOpener:
      return Status::Failed(ErrorKind::kNotFound, kVerb, path,
                            std::string(opener) + " is not available");
    case kExitNoFile:
      return Status::Failed(ErrorKind::kNotFound, kVerb, path);
    case kExitNoProgram:
      return Status::Failed(ErrorKind::kNotFound, kVerb, path, kNoProgram);
    default:
      return Status::Failed(ErrorKind::kOther, kVerb, path, kOpenerFailed);
  }
}

}  // namespace ql2
