// ql2_bench: how long each family's Install and Remove clicks take on panel files of 16, 64 and
// 256 KB, how long the start-up scan takes, how long finding the simulator among 50 Wine prefixes
// takes, and how much memory ql2cfg needs for the largest Cheyenne installation. The clicks run
// through the main window's logic on the program's own file system (the case-folding one over the
// real disk) in a temporary folder.
//
//   ql2_bench [--runs N] [--ql2cfg PATH] [--floor PATH] [--work-dir DIR] [--floor-only]
//   ql2_bench --make-tree DIR [--kb N]    only writes a simulator tree (for the window benchmark)
//
// Exit status: 0 when everything was measured (over budget or not), 1 when a click failed or a
// round trip did not restore the files, 2 on wrong usage.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "aircraft/family.h"
#include "app/family_controls.h"
#include "app/main_window.h"
#include "app/recording_window.h"
#include "app/simulator_resolution.h"
#include "bench/bench_prefixes.h"
#include "bench/bench_tree.h"
#include "platform/forwarding_file_system.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system.h"
#include "platform/wine_prefixes.h"

namespace ql2 {
namespace bench {
namespace {

constexpr std::size_t kKilobyte = 1024;
constexpr std::size_t kSizesKb[] = {16, 64, 256};
constexpr std::size_t kLargestKb = kSizesKb[std::size(kSizesKb) - 1];
constexpr double kClickBudgetMs = 100;
constexpr double kLinearGrowth = 4;  // each size is four times the one before
constexpr double kPeakMemoryBudgetMb = 20;
constexpr int kDefaultRuns = 7;
constexpr int kDiscoveryPrefixes = 50;
constexpr int kSimulatorEvery = 5;  // of the prefixes, every fifth holds the simulator
constexpr double kDiscoveryBudgetMs = 100;
constexpr double kFloorWallGoal = 1.3;
constexpr double kFloorCpuGoal = 2;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  if (n == 0) return 0;
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// A time on two clocks: the wall clock (what the user waits for, the disk's flushes included)
// and the CPU time of this process (its own work, hardly disturbed by other programs on a busy
// machine).
struct Time {
  double wall_ms = 0;
  double cpu_ms = 0;
};

double CpuMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

template <typename Work>
Time Measure(Work&& work) {
  const auto wall_start = std::chrono::steady_clock::now();
  const double cpu_start = CpuMilliseconds();
  work();
  Time time;
  time.cpu_ms = CpuMilliseconds() - cpu_start;
  time.wall_ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wall_start)
          .count();
  return time;
}

// The times of several runs, and their medians.
struct Times {
  std::vector<double> wall_ms;
  std::vector<double> cpu_ms;

  void Add(const Time& time) {
    wall_ms.push_back(time.wall_ms);
    cpu_ms.push_back(time.cpu_ms);
  }
  Time Median() const { return {bench::Median(wall_ms), bench::Median(cpu_ms)}; }
};

// The program's file system, counting the files a click writes: each one is a durable replace
// (written beside, flushed to the disk, renamed over, the folder flushed).
class CountingFileSystem : public ForwardingFileSystem {
 public:
  explicit CountingFileSystem(FileSystem& inner) : ForwardingFileSystem(inner) {}

  Status ReplaceFileWithParts(const std::string& path,
                              const std::vector<std::string_view>& parts) override {
    ++writes_;
    return ForwardingFileSystem::ReplaceFileWithParts(path, parts);
  }
  Status CopyFile(const std::string& from, const std::string& to) override {
    ++writes_;
    return ForwardingFileSystem::CopyFile(from, to);
  }

  int TakeWrites() { return std::exchange(writes_, 0); }

 private:
  int writes_ = 0;
};

// The window's logic on a simulator folder, as the program sets it up.
struct Session {
  explicit Session(const std::string& sim_folder)
      : system_fs(MakeSystemFileSystem()),
        fs(*system_fs),
        registry(sim_folder),
        logic(window, fs, registry, shell) {}

  std::unique_ptr<FileSystem> system_fs;
  CountingFileSystem fs;
  MemoryRegistry registry;
  RecordingWindow window;
  NullShell shell;  // the command line never opens the manual; neither does the benchmark
  MainWindowLogic logic;
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

struct ClickTimes {
  Times install;
  Times remove;
  int install_writes = 0;  // files written by one click
  int remove_writes = 0;
};

// Installs and removes the family `runs` times after one uncounted warm-up round; false (with the
// status line in *error) when a click fails or a round trip leaves a file changed.
bool TimeClicks(const std::string& sim_folder, const std::map<std::string, std::string>& tree,
                const Family& family, int runs, ClickTimes* times, std::string* error) {
  Session session(sim_folder);
  session.logic.StartupScan();
  const FamilyControls& controls = ControlsOf(family);
  auto click = [&](ControlId button, Times* times, int* writes, bool counted) {
    if (!session.window.IsClickable(button)) {
      *error = "the button is not offered: " + session.window.Caption(controls.status);
      return false;
    }
    session.fs.TakeWrites();
    bool succeeded = false;
    const Time time = Measure([&] { succeeded = session.logic.Click(button); });
    *writes = session.fs.TakeWrites();
    if (!succeeded) {
      *error = session.window.Caption(controls.status);
      return false;
    }
    if (counted) times->Add(time);
    return true;
  };
  for (int run = -1; run < runs; ++run) {
    if (!click(controls.install, &times->install, &times->install_writes, run >= 0)) return false;
    if (!click(controls.remove, &times->remove, &times->remove_writes, run >= 0)) return false;
  }
  for (const PanelFile& file : family.files) {
    const std::string config = TreePath(sim_folder, file.config);
    if (ReadAll(config) != tree.at(config)) {
      *error = config + " differs after install and remove";
      return false;
    }
    if (std::filesystem::exists(TreePath(sim_folder, file.backup))) {
      *error = TreePath(sim_folder, file.backup) + " is left after the removal";
      return false;
    }
  }
  return true;
}

Time TimeStartupScans(const std::string& sim_folder, int runs) {
  Times times;
  for (int run = -1; run < runs; ++run) {
    Session session(sim_folder);
    const Time time = Measure([&] { session.logic.StartupScan(); });
    if (run >= 0) times.Add(time);
  }
  return times.Median();
}

// Finding every simulator in the Wine prefixes of a home folder, as the window and ql2cfg do with
// no folder given or chosen; *found is how many were found.
Time TimeDiscovery(const std::string& home, int runs, int* found) {
  const EnvironmentLookup environment = [home](std::string_view name) {
    return name == wine::kHomeVariable ? std::optional<std::string>(home) : std::nullopt;
  };
  std::unique_ptr<FileSystem> fs = MakeSystemFileSystem();
  Times times;
  for (int run = -1; run < runs; ++run) {
    WineDiscovery discovery(environment);
    SimulatorResolution resolution;
    const Time time = Measure([&] {
      resolution = ResolveSimulatorFolder(
          GatherSimulatorFacts(*fs, std::nullopt, "", discovery, SimulatorSearch::kEverySimulator));
    });
    if (run >= 0) times.Add(time);
    *found = static_cast<int>(resolution.others.size()) + (resolution.in_use ? 1 : 0);
  }
  return times.Median();
}

struct ChildRun {
  bool exited = false;
  int status = -1;
  double max_rss_mb = 0;
  Time time;  // the child's wall clock and CPU time (user and system)

  bool succeeded() const { return exited && status == 0; }
};

double Milliseconds(const timeval& time) {
  return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_usec) / 1e3;
}

// Runs a program with its output discarded and reports its times and peak resident memory.
ChildRun RunMeasured(const std::vector<std::string>& arguments) {
  ChildRun run;
  std::fflush(stdout);  // or the child would write out what is still buffered
  const auto wall_start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid < 0) return run;
  if (pid == 0) {
    std::freopen("/dev/null", "w", stdout);
    std::freopen("/dev/null", "w", stderr);
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return run;
  run.time.wall_ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wall_start)
          .count();
  run.time.cpu_ms = Milliseconds(usage.ru_utime) + Milliseconds(usage.ru_stime);
  run.exited = WIFEXITED(status);
  run.status = run.exited ? WEXITSTATUS(status) : -1;
  run.max_rss_mb = static_cast<double>(usage.ru_maxrss) / 1024;  // ru_maxrss is in kilobytes
  return run;
}

// The program and the floor, each as whole processes: an install and a remove of one family.
struct FloorRow {
  const Family* family;
  Time program;  // medians
  Time floor;
  Time floor_with_record;  // the floor that also writes the install record again
};

// Runs `ql2cfg install` + `ql2cfg remove` and the floor's install + remove of the family `runs`
// times each, alternately and on the same tree, after one uncounted warm-up round of each; which
// goes first changes from run to run. False (with *error) when either fails or leaves a panel
// file changed.
bool CompareWithFloor(const std::string& sim_folder, const std::map<std::string, std::string>& tree,
                      const Family& family, int runs, const std::string& ql2cfg,
                      const std::string& floor, FloorRow* row, std::string* error) {
  const std::string id(family.id);
  enum Contender { kProgram, kFloor, kFloorWithRecord };
  Times times[3];
  auto round = [&](Contender contender, bool counted) {
    const std::string& binary = contender == kProgram ? ql2cfg : floor;
    std::vector<std::string> install =
        contender == kProgram
            ? std::vector<std::string>{binary, "--sim-folder", sim_folder, "install", id}
            : std::vector<std::string>{binary, sim_folder, "install", id};
    if (contender == kFloorWithRecord) install.insert(install.begin() + 1, "--with-record");
    std::vector<std::string> remove = install;
    remove[remove.size() - 2] = "remove";
    const ChildRun installed = RunMeasured(install);
    const ChildRun removed = installed.succeeded() ? RunMeasured(remove) : ChildRun();
    if (!installed.succeeded() || !removed.succeeded()) {
      *error = binary + " failed (exit " + std::to_string(installed.status) + ", " +
               std::to_string(removed.status) + ")";
      return false;
    }
    if (counted) {
      times[contender].Add({installed.time.wall_ms + removed.time.wall_ms,
                            installed.time.cpu_ms + removed.time.cpu_ms});
    }
    return true;
  };
  for (int run = -1; run < runs; ++run) {
    // Each goes first, second and third in turn.
    for (int turn = 0; turn < 3; ++turn) {
      if (!round(static_cast<Contender>((run + 3 + turn) % 3), run >= 0)) return false;
    }
  }
  for (const PanelFile& file : family.files) {
    const std::string config = TreePath(sim_folder, file.config);
    if (ReadAll(config) != tree.at(config)) {
      *error = config + " differs after install and remove";
      return false;
    }
  }
  *row = {&family, times[kProgram].Median(), times[kFloor].Median(),
          times[kFloorWithRecord].Median()};
  return true;
}

// Prints the floor's table; false when a ratio is over its goal.
bool PrintFloorTable(const std::vector<FloorRow>& rows, std::size_t kb) {
  std::printf("%-9s %5s %7s | %10s %8s %6s | %11s %9s %6s | %12s %6s %6s\n", "family", "files",
              "KB/file", "program ms", "floor ms", "ratio", "program cpu", "floor cpu", "ratio",
              "+record ms", "ratio", "cpu");
  bool within = true;
  for (const FloorRow& row : rows) {
    const double wall = row.program.wall_ms / row.floor.wall_ms;
    const double cpu = row.program.cpu_ms / row.floor.cpu_ms;
    within = within && wall <= kFloorWallGoal && cpu <= kFloorCpuGoal;
    std::printf("%-9s %5zu %7zu | %10.1f %8.1f %6.2f | %11.1f %9.1f %6.2f | %12.1f %6.2f %6.2f\n",
                std::string(row.family->id).c_str(), row.family->files.size(), kb,
                row.program.wall_ms, row.floor.wall_ms, wall, row.program.cpu_ms, row.floor.cpu_ms,
                cpu, row.floor_with_record.wall_ms,
                row.program.wall_ms / row.floor_with_record.wall_ms,
                row.program.cpu_ms / row.floor_with_record.cpu_ms);
  }
  std::printf(
      "program: ql2cfg install + ql2cfg remove; floor: ql2_floor install + remove (the same file "
      "traffic, no parsing);\n+record: the floor that also writes the install record again, as "
      "each click must (ratios: program/+record);\nms: wall clock; cpu: user + system time of "
      "the processes.\n");
  std::printf("budget: ratio to the floor at most %.1f (wall clock) and %.1f (cpu): %s\n",
              kFloorWallGoal, kFloorCpuGoal, within ? "yes" : "NO");
  return within;
}

struct Row {
  const Family* family;
  std::size_t kb;
  Time install;  // medians
  Time remove;
  int install_writes;
  int remove_writes;
};

// "install/remove": the growth from the size before; *worst keeps the largest.
std::string Ratios(double install, double remove, double install_before, double remove_before,
                   double* worst) {
  if (install_before <= 0 || remove_before <= 0) return "?";
  *worst = std::max({*worst, install / install_before, remove / remove_before});
  char text[32];
  std::snprintf(text, sizeof text, "%.2f/%.2f", install / install_before, remove / remove_before);
  return text;
}

// The floor's table on a tree of its own at the largest size; false when something failed.
bool CompareAllWithFloor(const std::filesystem::path& root, int runs, const std::string& ql2cfg,
                         const std::string& floor) {
  const std::string sim = (root / "sim-floor").string();
  bool written = false;
  const std::map<std::string, std::string> tree =
      WriteSimulatorTree(sim, kLargestKb * kKilobyte, &written);
  if (!written) {
    std::fprintf(stderr, "ql2_bench: cannot write the tree in %s\n", sim.c_str());
    return false;
  }
  std::vector<FloorRow> rows;
  for (const Family* family : AllFamilies()) {
    FloorRow row{};
    std::string error;
    if (!CompareWithFloor(sim, tree, *family, runs, ql2cfg, floor, &row, &error)) {
      std::fprintf(stderr, "ql2_bench: %s beside the floor: %s\n", std::string(family->id).c_str(),
                   error.c_str());
      return false;
    }
    rows.push_back(row);
  }
  PrintFloorTable(rows, kLargestKb);
  return true;
}

int Usage() {
  std::fprintf(stderr,
               "usage: ql2_bench [--runs N] [--ql2cfg PATH] [--floor PATH] [--work-dir DIR] "
               "[--floor-only]\n"
               "       ql2_bench --make-tree DIR [--kb N]\n");
  return 2;
}

int Run(int argc, char** argv) {
  int runs = kDefaultRuns;
  std::string ql2cfg = QL2_BENCH_QL2CFG;
  std::string floor = QL2_BENCH_FLOOR;
  bool floor_only = false;
  std::string work_dir;
  std::string tree_only;
  std::size_t tree_kb = 256;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--floor-only") {
      floor_only = true;
      continue;
    }
    if (i + 1 >= argc) return Usage();
    const std::string value = argv[++i];
    if (argument == "--runs") {
      runs = std::atoi(value.c_str());
    } else if (argument == "--ql2cfg") {
      ql2cfg = value;
    } else if (argument == "--floor") {
      floor = value;
    } else if (argument == "--work-dir") {
      work_dir = value;
    } else if (argument == "--make-tree") {
      tree_only = value;
    } else if (argument == "--kb") {
      tree_kb = static_cast<std::size_t>(std::atol(value.c_str()));
    } else {
      return Usage();
    }
  }
  if (runs < 1 || tree_kb < 16) return Usage();

  if (!tree_only.empty()) {
    bool written = false;
    WriteSimulatorTree(tree_only, tree_kb * kKilobyte, &written);
    if (!written)
      std::fprintf(stderr, "ql2_bench: cannot write the tree in %s\n", tree_only.c_str());
    return written ? 0 : 1;
  }

  namespace fs = std::filesystem;
  const fs::path root = work_dir.empty()
                            ? fs::temp_directory_path() / ("ql2-bench-" + std::to_string(getpid()))
                            : fs::path(work_dir);
  std::error_code ignored;
  fs::remove_all(root, ignored);
  std::printf("QL2 benchmarks in %s: median of %d runs after one warm-up run\n\n", root.c_str(),
              runs);

  if (floor_only) return CompareAllWithFloor(root, runs, ql2cfg, floor) ? 0 : 1;

  std::vector<Row> rows;
  std::string largest_tree;
  for (std::size_t kb : kSizesKb) {
    const std::string sim = (root / ("sim-" + std::to_string(kb) + "k")).string();
    bool written = false;
    const std::map<std::string, std::string> tree =
        WriteSimulatorTree(sim, kb * kKilobyte, &written);
    if (!written) {
      std::fprintf(stderr, "ql2_bench: cannot write the tree in %s\n", sim.c_str());
      return 1;
    }
    largest_tree = sim;
    for (const Family* family : AllFamilies()) {
      ClickTimes times;
      std::string error;
      if (!TimeClicks(sim, tree, *family, runs, &times, &error)) {
        std::fprintf(stderr, "ql2_bench: %s at %zu KB: %s\n", std::string(family->id).c_str(), kb,
                     error.c_str());
        return 1;
      }
      rows.push_back({family, kb, times.install.Median(), times.remove.Median(),
                      times.install_writes, times.remove_writes});
    }
  }

  std::printf("%-9s %5s %7s | %10s %9s %9s | %10s %9s %9s | %6s\n", "family", "files", "KB/file",
              "install ms", "remove ms", "x", "cpu inst.", "cpu rem.", "x", "writes");
  double slowest_ms = 0;
  std::string slowest;
  double worst_wall = 0;
  double worst_cpu = 0;
  for (const Family* family : AllFamilies()) {
    const Row* before = nullptr;
    for (const Row& row : rows) {
      if (row.family != family) continue;
      std::string wall_x = "-";
      std::string cpu_x = "-";
      if (before) {
        wall_x = Ratios(row.install.wall_ms, row.remove.wall_ms, before->install.wall_ms,
                        before->remove.wall_ms, &worst_wall);
        cpu_x = Ratios(row.install.cpu_ms, row.remove.cpu_ms, before->install.cpu_ms,
                       before->remove.cpu_ms, &worst_cpu);
      }
      const std::string writes =
          std::to_string(row.install_writes) + "+" + std::to_string(row.remove_writes);
      std::printf("%-9s %5zu %7zu | %10.1f %9.1f %9s | %10.1f %9.1f %9s | %6s\n",
                  std::string(family->id).c_str(), family->files.size(), row.kb,
                  row.install.wall_ms, row.remove.wall_ms, wall_x.c_str(), row.install.cpu_ms,
                  row.remove.cpu_ms, cpu_x.c_str(), writes.c_str());
      if (row.kb == kLargestKb) {
        for (bool install : {true, false}) {
          const double ms = install ? row.install.wall_ms : row.remove.wall_ms;
          if (ms > slowest_ms) {
            slowest_ms = ms;
            slowest = std::string(family->id) + (install ? " install" : " remove");
          }
        }
      }
      before = &row;
    }
  }
  std::printf(
      "ms: wall clock; cpu: this process's CPU time. x: install/remove time divided by the one at "
      "the size before,\nwhose files are %.0f times smaller (%.1f is linear). writes: files "
      "written by an install + a remove, each flushed to the disk.\n\n",
      kLinearGrowth, kLinearGrowth);

  const Time scan = TimeStartupScans(largest_tree, runs);
  std::printf("start-up scan, %zu KB per file: %.1f ms (cpu %.1f ms)\n", kLargestKb, scan.wall_ms,
              scan.cpu_ms);

  const std::string home = (root / "discovery-home").string();
  const int holding = WriteWinePrefixes(home, kDiscoveryPrefixes, kSimulatorEvery);
  if (holding < 0) {
    std::fprintf(stderr, "ql2_bench: cannot write the Wine prefixes in %s\n", home.c_str());
    return 1;
  }
  int found = 0;
  const Time discovery = TimeDiscovery(home, runs, &found);
  std::printf(
      "discovery over %d Wine prefixes (1.7 MB system.reg each, %d with the simulator): %.1f ms "
      "(cpu %.1f ms), %d found\n",
      kDiscoveryPrefixes, holding, discovery.wall_ms, discovery.cpu_ms, found);

  ChildRun install = RunMeasured({ql2cfg, "--sim-folder", largest_tree, "install", "cheyenne"});
  ChildRun remove = RunMeasured({ql2cfg, "--sim-folder", largest_tree, "remove", "cheyenne"});
  const bool measured =
      install.exited && install.status == 0 && remove.exited && remove.status == 0;
  if (measured) {
    std::printf(
        "ql2cfg peak memory, Cheyenne at %zu KB per file: install %.1f MB, remove %.1f MB\n",
        kLargestKb, install.max_rss_mb, remove.max_rss_mb);
  } else {
    std::printf("ql2cfg peak memory: not measured (%s exited with %d and %d)\n", ql2cfg.c_str(),
                install.status, remove.status);
  }

  std::printf("\nbudget: every click under %.0f ms at %zu KB per file: %s (slowest: %s, %.1f ms)\n",
              kClickBudgetMs, kLargestKb, slowest_ms < kClickBudgetMs ? "yes" : "NO",
              slowest.c_str(), slowest_ms);
  std::printf(
      "budget: growth no worse than linear: wall clock %s (largest x: %.2f), cpu %s "
      "(largest x: %.2f)\n",
      worst_wall <= kLinearGrowth ? "yes" : "NO", worst_wall,
      worst_cpu <= kLinearGrowth ? "yes" : "NO", worst_cpu);
  std::printf("budget: discovery over %d Wine prefixes under %.0f ms: %s\n", kDiscoveryPrefixes,
              kDiscoveryBudgetMs,
              discovery.wall_ms < kDiscoveryBudgetMs && found == holding ? "yes" : "NO");
  if (measured) {
    std::printf("budget: ql2cfg peak memory under %.0f MB: %s\n", kPeakMemoryBudgetMb,
                install.max_rss_mb < kPeakMemoryBudgetMb ? "yes" : "NO");
  }
  std::printf("\nbeside the floor, %zu KB per file: median of %d runs of each, alternately\n",
              kLargestKb, runs);
  const bool compared = CompareAllWithFloor(root, runs, ql2cfg, floor);
  fs::remove_all(root, ignored);
  return measured && compared && found == holding ? 0 : 1;
}

}  // namespace
}  // namespace bench
}  // namespace ql2

int main(int argc, char** argv) {
  return ql2::bench::Run(argc, argv);
}
