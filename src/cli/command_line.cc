#include "cli/command_line.h"

#include <optional>
#include <ostream>

#include "aircraft/family.h"
#include "app/main_window.h"
#include "app/recording_window.h"
#include "cli/dry_run_report.h"
#include "platform/overlay_file_system.h"
#include "platform/shell.h"

namespace ql2 {
namespace {

constexpr const char* kUsage =
    "usage: ql2cfg [--sim-folder DIR] status\n"
    "       ql2cfg [--sim-folder DIR] install FAMILY [--dry-run]\n"
    "       ql2cfg [--sim-folder DIR] remove FAMILY [--dry-run]\n"
    "       ql2cfg --help | --version          FAMILY: cheyenne | atr | pmdg | pic\n";
constexpr const char* kVersion = "ql2cfg 2.0\n";

constexpr const char* kAlreadyInstalled = "The gauge is already installed.";
constexpr const char* kNotInstalled = "The gauge is not installed.";
constexpr const char* kRepairFirst =
    "The panel configuration file has been edited; repair the gauge before removing it.";
constexpr const char* kNoMarker =
    "The gauge package is not installed: QL\\uninst.swi is missing, so nothing can be installed.";
constexpr const char* kDryRunDone = "Dry run: nothing was changed.";

enum class Command { kStatus, kInstall, kRemove };

struct Arguments {
  Command command = Command::kStatus;
  const Family* family = nullptr;
  std::optional<std::string> sim_folder;
  bool dry_run = false;
};

// Parses the arguments; false on any misuse.
bool Parse(const std::vector<std::string>& arguments, Arguments* parsed) {
  std::vector<std::string> words;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--sim-folder") {
      if (i + 1 >= arguments.size() || parsed->sim_folder) return false;
      parsed->sim_folder = arguments[++i];
    } else if (argument == "--dry-run") {
      parsed->dry_run = true;
    } else if (!argument.empty() && argument[0] == '-') {
      return false;
    } else {
      words.push_back(argument);
    }
  }
  if (words.empty()) return false;
  if (words[0] == "status") {
    parsed->command = Command::kStatus;
    return words.size() == 1 && !parsed->dry_run;
  }
  if (words[0] == "install") {
    parsed->command = Command::kInstall;
  } else if (words[0] == "remove") {
    parsed->command = Command::kRemove;
  } else {
    return false;
  }
  if (words.size() != 2) return false;
  parsed->family = FindFamily(words[1]);
  return parsed->family != nullptr;
}

// Why a family's button cannot be pressed, in plain words.
std::string WhyNotOffered(const MainWindowLogic& logic, const RecordingWindow& window,
                          const Family& family, Command command) {
  FamilyDisplayState state = logic.StateOf(family);
  if (state == FamilyDisplayState::kAbsent || state == FamilyDisplayState::kError ||
      state == FamilyDisplayState::kInterruptedInstall ||
      state == FamilyDisplayState::kInterruptedRemove) {
    return window.Caption(family.controls.status);
  }
  if (command == Command::kInstall) {
    if (!logic.installer_marker_found()) return kNoMarker;
    return kAlreadyInstalled;
  }
  if (state == FamilyDisplayState::kEdited) return kRepairFirst;
  if (state == FamilyDisplayState::kInstalled) return window.Caption(family.controls.status);
  return kNotInstalled;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& arguments, CommandLineServices services,
                   std::ostream& out, std::ostream& err) {
  if (arguments.size() == 1 && arguments[0] == "--help") {
    out << kUsage;
    return 0;
  }
  if (arguments.size() == 1 && arguments[0] == "--version") {
    out << kVersion;
    return 0;
  }
  Arguments parsed;
  if (!Parse(arguments, &parsed)) {
    err << kUsage;
    return 2;
  }

  MemoryRegistry chosen_folder(parsed.sim_folder.value_or(""));
  Registry& registry = parsed.sim_folder ? chosen_folder : services.registry;
  // A dry run works on an overlay that keeps every change in memory, and reports them.
  OverlayFileSystem overlay(services.fs);
  FileSystem& fs = parsed.dry_run ? static_cast<FileSystem&>(overlay) : services.fs;

  RecordingWindow window;
  // The command line never asks the first-run question, so never opens the manual.
  NullShell shell;
  MainWindowLogic logic(window, fs, registry, shell);
  MainWindowLogic::ScanOptions options;
  options.ask_first_run = false;
  logic.StartupScan(options);

  if (parsed.command == Command::kStatus) {
    for (const Family* family : AllFamilies()) {
      out << family->id << '\t' << FamilyDisplayStateName(logic.StateOf(*family)) << '\t'
          << window.Caption(family->controls.status) << '\n';
    }
    return 0;
  }

  const Family& family = *parsed.family;
  ControlId button =
      parsed.command == Command::kInstall ? family.controls.install : family.controls.remove;
  int status = 0;
  if (!window.IsClickable(button)) {
    err << WhyNotOffered(logic, window, family, parsed.command) << '\n';
    status = 1;
  } else {
    bool succeeded = logic.Click(button);
    out << window.Caption(family.controls.status) << '\n';
    status = succeeded ? 0 : 1;
  }
  if (parsed.dry_run) {
    out << DryRunReport(overlay.Changes(), window.Caption(ControlId::kLabel3), fs.Separator());
    out << kDryRunDone << '\n';
  }
  return status;
}

}  // namespace ql2
