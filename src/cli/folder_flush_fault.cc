// A stand-in for fsync, loaded before the C library in a test of the real ql2cfg (LD_PRELOAD):
// the flush of a folder numbered QL2_FAIL_FOLDER_FLUSH (1 for the first) fails with EIO, as a
// failing disk would make it; every other call is the C library's own.
#include <dlfcn.h>
#include <errno.h>
#include <sys/stat.h>

#include <cstdlib>

extern "C" int fsync(int fd) {
  using Fsync = int (*)(int);
  static const Fsync real = reinterpret_cast<Fsync>(dlsym(RTLD_NEXT, "fsync"));
  static int folders_seen = 0;
  struct stat st;
  const char* fail = std::getenv("QL2_FAIL_FOLDER_FLUSH");
  if (fail != nullptr && fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) &&
      ++folders_seen == std::atoi(fail)) {
    errno = EIO;
    return -1;
  }
  return real(fd);
}
