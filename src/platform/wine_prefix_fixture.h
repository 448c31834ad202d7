// For tests: a Wine prefix on disk as Wine makes it, with the simulator installed in it.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

namespace ql2 {
namespace testing_prefix {

// Where the simulator lies in the prefix.
inline constexpr char kSimInDrive[] = "/drive_c/Program Files/Microsoft Games/Flight Simulator 9";

// Both views of the key, as a 64-bit prefix holds a 32-bit installer's key, with Wine's escapes.
inline constexpr char kSystemReg[] =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\Machine\n"
    "\n"
    "#arch=win64\n"
    "\n"
    "[Software\\\\Classes\\\\.txt] 1700000000\n"
    "@=\"txtfile\"\n"
    "\n"
    "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\9.0] 1700000000\n"
    "\"EXE Path\"=\"C:\\\\Program Files\\\\Microsoft Games\\\\Flight Simulator 9\"\n"
    "\n"
    "[Software\\\\Wow6432Node\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\9.0] "
    "1700000000\n"
    "\"EXE Path\"=\"C:\\\\Program Files\\\\Microsoft Games\\\\Flight Simulator 9\"\n";

// Makes the prefix: system.reg naming the simulator, drive C: linked as Wine links it, and the
// simulator folder with its Aircraft folder. Returns the simulator folder.
inline std::string MakeWinePrefix(const std::string& prefix) {
  namespace fs = std::filesystem;
  fs::create_directories(prefix + "/dosdevices");
  std::ofstream(prefix + "/system.reg", std::ios::binary) << kSystemReg;
  fs::create_directory_symlink("../drive_c", prefix + "/dosdevices/c:");
  const std::string sim = prefix + kSimInDrive;
  fs::create_directories(sim + "/Aircraft");
  return sim;
}

}  // namespace testing_prefix
}  // namespace ql2
