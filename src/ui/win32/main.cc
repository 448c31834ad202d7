// QL2Configurator.exe: the main window on the plain Win32 API.
//   QL2Configurator.exe [--sim-folder DIR]
//   --sim-folder DIR   use DIR as the simulator folder for this run (it is not remembered)
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "platform/folder_memory.h"
#include "platform/system.h"
#include "ui/win32/win32_layout.h"
#include "ui/win32/win32_window.h"

// After <windows.h>: the common controls.
#include <commctrl.h>

namespace {

constexpr char kProgramTitle[] = "QL2 Configurator";
constexpr char kSimFolderOption[] = "--sim-folder";
constexpr char kUsage[] =
    "Usage: QL2Configurator.exe [--sim-folder DIR]\r\n\r\n"
    "--sim-folder DIR\tuse DIR as the simulator folder for this run";
constexpr int kUsageExit = 2;
constexpr char kNoWindow[] = "The window cannot be created.";

struct Options {
  bool ok = true;
  std::string sim_folder;  // "" when not given
};

Options ParseOptions(const std::vector<std::string>& arguments) {
  Options options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == kSimFolderOption && i + 1 < arguments.size() && !arguments[i + 1].empty()) {
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

  std::unique_ptr<ql2::FileSystem> fs = ql2::MakeSystemFileSystem();
  std::unique_ptr<ql2::Registry> system_registry = ql2::MakeSystemRegistry();
  std::unique_ptr<ql2::Shell> shell = ql2::MakeSystemShell();
  std::unique_ptr<ql2::FolderMemory> folder_memory = ql2::MakeUserFolderMemory();
  ql2::ChosenFolderRegistry chosen_registry(*folder_memory, *system_registry);
  std::unique_ptr<ql2::MemoryRegistry> given_registry;
  ql2::Registry* registry = &chosen_registry;
  if (!options.sim_folder.empty()) {
    given_registry = std::make_unique<ql2::MemoryRegistry>(options.sim_folder);
    registry = given_registry.get();
  }

  ql2::Win32MainWindow window(GetModuleHandleA(nullptr));
  if (!window.Create()) {
    MessageBoxA(nullptr, kNoWindow, kProgramTitle, MB_OK | MB_ICONERROR);
    return 1;
  }
  ql2::MainWindowLogic logic(window, *fs, *registry, *shell);
  window.SetLogic(&logic);
  // A folder given for one run is not the user's choice to remember.
  if (!given_registry) logic.SetFolderMemory(folder_memory.get());

  logic.StartupScan();
  window.ShowCentred();
  return window.RunMessageLoop();
}
