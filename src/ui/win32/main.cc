// QL2Configurator.exe: the main window on the plain Win32 API.
//   QL2Configurator.exe [--sim-folder DIR]
//   --sim-folder DIR   use DIR as the simulator folder for this run, until the user chooses another
//                      in the window (it is not remembered); a restart as administrator passes
//                      the folder in use this way
#include <optional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "platform/system.h"
#include "ui/win32/win32_layout.h"
#include "ui/win32/win32_window.h"

// After <windows.h>: the common controls.
#include <commctrl.h>

namespace {

constexpr char kProgramTitle[] = "QL2 Configurator";
constexpr char kUsage[] =
    "Usage: QL2Configurator.exe [--sim-folder DIR]\r\n\r\n"
    "--sim-folder DIR\tuse DIR as the simulator folder for this run";
constexpr int kUsageExit = 2;
constexpr char kNoWindow[] = "The window cannot be created.";

struct Options {
  bool ok = true;
  std::optional<std::string> sim_folder;  // never empty when given
};

Options ParseOptions(const std::vector<std::string>& arguments) {
  Options options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == ql2::kSimFolderOption && i + 1 < arguments.size() &&
        !arguments[i + 1].empty()) {
      options.sim_folder = arguments[++i];
    } else {
      options.ok = false;
    }
  }
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  ql2::BecomeDpiAware();
  const Options options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!options.ok) {
    MessageBoxA(nullptr, kUsage, kProgramTitle, MB_OK | MB_ICONINFORMATION);
    return kUsageExit;
  }
  // Registers the controls of common controls 6, which the manifest asks for.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  ql2::SystemServices services;

  ql2::Win32MainWindow window(GetModuleHandleA(nullptr));
  if (!window.Create()) {
    MessageBoxA(nullptr, kNoWindow, kProgramTitle, MB_OK | MB_ICONERROR);
    return 1;
  }
  ql2::MainWindowLogic logic(window, services.fs(), services.finder(), services.shell());
  window.SetLogic(&logic);
  logic.SetGivenFolder(options.sim_folder);
  logic.SetFolderMemory(&services.folder_memory());
  logic.SetElevation(&services.elevation());

  logic.StartupScan();
  window.ShowCentred();
  return window.RunMessageLoop();
}
