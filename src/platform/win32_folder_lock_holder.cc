// For the folder lock's tests: another copy of the program holding a folder's lock.
//   win32_folder_lock_holder FOLDER release|die
// Takes the lock on FOLDER as the program does and writes "held" on a line. "release": releases it
// when its standard input ends, and exits with 0. "die": ends a moment later without releasing it,
// as a copy that crashed would, with kDiedCode. A refused lock exits with 1, a wrong call with 2.
#include <cstdio>
#include <string>

#include "platform/win32_api.h"
#include "platform/win32_file_system.h"

namespace {

constexpr char kRelease[] = "release";
constexpr char kDie[] = "die";
// Long enough for the test to be waiting for the lock when this ends.
constexpr DWORD kDieAfterMs = 1000;
constexpr UINT kDiedCode = 3;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || (std::string(argv[2]) != kRelease && std::string(argv[2]) != kDie)) {
    std::fputs("usage: win32_folder_lock_holder FOLDER release|die\n", stderr);
    return 2;
  }
  ql2::Win32FileSystem fs;
  ql2::Result<std::unique_ptr<ql2::FolderLock>> lock = fs.LockFolder(argv[1]);
  if (!lock.ok()) {
    std::fprintf(stderr, "%s\n", lock.status().message().c_str());
    return 1;
  }
  std::puts("held");
  std::fflush(stdout);
  if (std::string(argv[2]) == kDie) {
    Sleep(kDieAfterMs);
    TerminateProcess(GetCurrentProcess(), kDiedCode);  // no destructor runs: the lock stays taken
  }
  while (std::getchar() != EOF) {
  }
  return 0;
}
