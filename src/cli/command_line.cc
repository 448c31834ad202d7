#include "cli/command_line.h"

#include <optional>
#include <ostream>

#include "aircraft/family.h"
#include "app/dry_run_report.h"
#include "app/family_controls.h"
#include "app/main_window.h"
#include "app/recording_window.h"
#include "app/texts.h"
#include "platform/shell.h"
#include "platform/sim_path.h"

namespace ql2 {
namespace {

constexpr const char* kUsage =
    "usage: ql2cfg [--sim-folder DIR] status\n"
    "       ql2cfg [--sim-folder DIR] install FAMILY [--dry-run]\n"
    "       ql2cfg [--sim-folder DIR] remove FAMILY [--dry-run]\n"
    "       ql2cfg [--sim-folder DIR] simulators\n"
    "       ql2cfg --help | --version          FAMILY: cheyenne | atr | pmdg | pic\n";
constexpr const char* kVersion = "ql2cfg 2.0\n";

constexpr const char* kAlreadyInstalled = "The gauge is already installed.";
constexpr const char* kNotInstalled = "The gauge is not installed.";
constexpr const char* kRepairFirst =
    "The panel configuration file has been edited; repair the gauge before removing it.";
// {file}: the installer marker, named as messages name files.
constexpr const char* kNoMarker =
    "The gauge package is not installed: {file} is missing, so nothing can be installed.";
constexpr const char* kDryRunDone = "Dry run: nothing was changed.";
constexpr const char* kOutputFailed =
    "ql2cfg: the output could not be written (is the disk or device full?)\n";

enum class Command { kStatus, kInstall, kRemove, kSimulators };

constexpr const char* kSimulatorsCommand = "simulators";

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
    if (argument == kSimFolderOption) {
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
  if (words[0] == "status" || words[0] == kSimulatorsCommand) {
    parsed->command = words[0] == "status" ? Command::kStatus : Command::kSimulators;
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
                          const Family& family, Command command, char separator) {
  FamilyDisplayState state = logic.StateOf(family);
  if (state == FamilyDisplayState::kAbsent || state == FamilyDisplayState::kError ||
      state == FamilyDisplayState::kInterruptedInstall ||
      state == FamilyDisplayState::kInterruptedRemove) {
    return window.Caption(ControlsOf(family).status);
  }
  if (command == Command::kInstall) {
    if (!logic.installer_marker_found()) {
      return texts::Fill(kNoMarker, "{file}", DisplaySimPath(package::kInstallerMarker, separator));
    }
    return kAlreadyInstalled;
  }
  if (state == FamilyDisplayState::kEdited) return kRepairFirst;
  if (state == FamilyDisplayState::kInstalled) return window.Caption(ControlsOf(family).status);
  return kNotInstalled;
}

// Runs the parsed command on a scanned window; returns the exit status.
int Run(const Arguments& parsed, MainWindowLogic& logic, const RecordingWindow& window,
        FileSystem& fs, std::ostream& out, std::ostream& err) {
  if (parsed.command == Command::kStatus) {
    for (const Family* family : AllFamilies()) {
      out << family->id << '\t' << FamilyDisplayStateName(logic.StateOf(*family)) << '\t'
          << window.Caption(ControlsOf(*family).status) << '\n';
    }
    return 0;
  }
  const Family& family = *parsed.family;
  ControlId button =
      parsed.command == Command::kInstall ? ControlsOf(family).install : ControlsOf(family).remove;
  int status = 0;
  if (!window.IsClickable(button)) {
    err << WhyNotOffered(logic, window, family, parsed.command, fs.Separator()) << '\n';
    status = 1;
  } else if (parsed.dry_run) {
    // What the click would do, as the click itself would decide it; nothing is written.
    MainWindowLogic::ClickPreview preview = logic.PreviewClick(button);
    out << preview.status << '\n';
    if (preview.possible) {
      out << DryRunReport(ChangesOf(preview.plan), fs.Separator());
    }
    status = preview.possible ? 0 : 1;
  } else {
    bool succeeded = logic.Click(button);
    out << window.Caption(ControlsOf(family).status) << '\n';
    status = succeeded ? 0 : 1;
  }
  if (parsed.dry_run) out << kDryRunDone << '\n';
  return status;
}

// A result nobody could read is no success: a full disk or a closed pipe says so.
int Finish(int status, std::ostream& out, std::ostream& err) {
  out.flush();
  if (out) return status;
  err << kOutputFailed;
  return status == 0 ? 1 : status;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& arguments, CommandLineServices services,
                   std::ostream& out, std::ostream& err) {
  if (arguments.size() == 1 && arguments[0] == "--help") {
    out << kUsage;
    return Finish(0, out, err);
  }
  if (arguments.size() == 1 && arguments[0] == "--version") {
    out << kVersion;
    return Finish(0, out, err);
  }
  Arguments parsed;
  if (!Parse(arguments, &parsed)) {
    err << kUsage;
    return 2;
  }

  FileSystem& fs = services.fs;

  RecordingWindow window;
  // The command line never asks the first-run question, so never opens the manual.
  NullShell shell;
  MainWindowLogic logic(window, fs, services.finder, shell);
  logic.SetGivenFolder(parsed.sim_folder);
  logic.SetFolderMemory(services.folder_memory);

  if (parsed.command == Command::kSimulators) {
    const SimulatorResolution& found = logic.FindEverySimulator();
    if (!logic.folder_note().empty()) err << logic.folder_note() << '\n';
    std::vector<SimulatorCandidate> lines;
    if (found.in_use) lines.push_back(*found.in_use);
    lines.insert(lines.end(), found.others.begin(), found.others.end());
    for (const SimulatorCandidate& simulator : lines) {
      out << simulator.folder << '\t' << simulator.origin << '\n';
    }
    if (lines.empty()) err << texts::kSimulatorNotFound << '\n';
    return lines.empty() ? 1 : 0;
  }

  MainWindowLogic::ScanOptions options;
  options.ask_first_run = false;
  options.write = !parsed.dry_run;
  options.only = parsed.family;  // a click looks at its own family only; status at every one
  options.one_click = true;
  logic.StartupScan(options);
  if (logic.simulator_found() && !logic.scan_locked()) err << texts::kBusyAtStart << '\n';
  if (!logic.folder_note().empty()) err << logic.folder_note() << '\n';

  return Finish(Run(parsed, logic, window, fs, out, err), out, err);
}

}  // namespace ql2
