#include "bench/bench_prefixes.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace ql2 {
namespace bench {
namespace {

namespace fs = std::filesystem;

constexpr int kKeys = 8700;  // as many as a fresh Wine 8 prefix's system.reg holds
constexpr char kHead[] =
    "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n"
    "#arch=win64\n\n";
constexpr char kSimulatorKey[] =
    "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\9.0] 1796915510\n"
    "#time=1dd88b8c7f7f994\n"
    "\"EXE Path\"=\"C:\\\\Program Files\\\\Microsoft Games\\\\Flight Simulator 9\"\n\n";
constexpr char kSimInDrive[] = "drive_c/Program Files/Microsoft Games/Flight Simulator 9";

// A system.reg of Wine's own keys, sorted as Wine writes them, with the simulator's key among
// them when it is installed.
std::string SystemReg(bool with_simulator) {
  std::string reg = kHead;
  reg.reserve(1800000);
  char line[512];
  for (int key = 0; key < kKeys; ++key) {
    if (with_simulator && key == kKeys * 3 / 4) reg += kSimulatorKey;
    std::snprintf(line, sizeof line,
                  "[Software\\\\Classes\\\\CLSID\\\\{%08X-19C1-11D1-89E0-00C04FD7A829}"
                  "\\\\InprocServer32] 1796915503\n#time=1dd88b8c41e0ad4\n"
                  "@=\"C:\\\\Program Files\\\\Common Files\\\\System\\\\OLE DB\\\\x%d.dll\"\n"
                  "\"ThreadingModel\"=\"Both\"\n\n",
                  0x2206CDB0u + static_cast<unsigned>(key), key);
    reg += line;
  }
  return reg;
}

bool Write(const fs::path& path, const std::string& bytes) {
  std::error_code error;
  fs::create_directories(path.parent_path(), error);
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  return static_cast<bool>(out.flush());
}

bool WritePrefix(const fs::path& prefix, const std::string& system_reg, bool with_simulator) {
  std::error_code error;
  fs::create_directories(prefix / "dosdevices", error);
  fs::create_directories(prefix / "drive_c/windows/system32", error);
  fs::create_directory_symlink("../drive_c", prefix / "dosdevices/c:", error);
  if (with_simulator) fs::create_directories(prefix / kSimInDrive / "Aircraft", error);
  return Write(prefix / "system.reg", system_reg);
}

}  // namespace

int WriteWinePrefixes(const std::string& home, int count, int simulator_every) {
  const std::string plain = SystemReg(false);
  const std::string with_simulator = SystemReg(true);
  const fs::path root(home);
  int holding = 0;
  for (int i = 0; i < count; ++i) {
    const std::string name = "Game " + std::to_string(i);
    fs::path prefix;
    switch (i % 7) {
      case 0:
        prefix = i == 0 ? root / ".wine" : root / ".local/share/bottles/bottles" / name;
        break;
      case 1:
        prefix = root / "Games/lutris" / name;
        if (!Write(
                root / ".config/lutris/games" / ("game-" + std::to_string(i) + "-1700000000.yml"),
                "game:\n  exe: game.exe\n  prefix: " + prefix.string() + "\nwine: {}\n")) {
          return -1;
        }
        break;
      case 2:
        prefix = root / ".PlayOnLinux/wineprefix" / name;
        break;
      case 3:
        prefix = root / ".cxoffice" / name;
        break;
      case 4:
        prefix = root / "Games/Heroic/Prefixes/default" / name;
        break;
      case 5:
        prefix =
            root / ".local/share/Steam/steamapps/compatdata" / std::to_string(1000 + i) / "pfx";
        break;
      default:
        prefix = root / ".var/app/com.usebottles.bottles/data/bottles/bottles" / name;
        break;
    }
    const bool simulator = i % simulator_every == 0;
    if (!WritePrefix(prefix, simulator ? with_simulator : plain, simulator)) return -1;
    holding += simulator ? 1 : 0;
  }
  return holding;
}

}  // namespace bench
}  // namespace ql2
