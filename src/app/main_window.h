// The main window's logic: the start-up scan that shows each family's state, and the click
// handlers of its buttons. It reaches the window only through the Window interface, and the disk
// and the registry only through their services.
#pragma once

#include <map>
#include <string>

#include "aircraft/family.h"
#include "app/family_state.h"
#include "app/keyboard.h"
#include "app/window.h"
#include "platform/file_system.h"
#include "platform/folder_memory.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace ql2 {

class MainWindowLogic {
 public:
  MainWindowLogic(Window& window, FileSystem& fs, Registry& registry, Shell& shell);

  struct ScanOptions {
    // The window asks the first-run question; the command line never does.
    bool ask_first_run = true;
  };

  // The load step, run once before the window is first shown: finds the simulator and the
  // aircraft, writes the record's "Full" keys, may ask the first-run question, and leaves every
  // family's group in its display state.
  void StartupScan(const ScanOptions& options);
  void StartupScan() { StartupScan(ScanOptions()); }

  // Where a folder the user chooses by hand is remembered. Without one the choose-folder button
  // is never offered. The registry given to the constructor must read the remembered folder first
  // (ChosenFolderRegistry).
  void SetFolderMemory(FolderMemory* memory) { folder_memory_ = memory; }

  // A click on a control. Returns false when an Install or Remove click did nothing or failed.
  // Before its first change, a family's click takes the simulator folder's lock and looks again
  // at the record and the backups: if another copy of the program changed them since this window
  // showed them, the group is shown afresh and nothing is done.
  // Then the focus goes where FocusAfterClick says, so that it never rests on a disabled button
  // nor moves on to another family.
  bool Click(ControlId id);

  // Asks the desktop to open the user manual; when it cannot, says so and how to try again.
  void OpenManual();

  // An access key pressed while `focused` has the focus: moves the focus or clicks, as
  // ActOnAccessKey says. False when the key belongs to no control that is offered now.
  bool PressAccessKey(char key, ControlId focused);

  // The state the family's group was last shown in (by the scan, or a refresh before a click).
  FamilyDisplayState StateOf(const Family& family) const;
  bool simulator_found() const { return simulator_found_; }
  bool installer_marker_found() const { return marker_found_; }

 private:
  bool Dispatch(ControlId id);
  // What the window shows of its controls now, for the keyboard rules.
  WindowView View() const;
  FamilyFacts GatherFacts(const Family& family, bool present);
  void ShowFamily(const Family& family, const FamilyFacts& facts);
  bool ClickFamily(const Family& family, bool install);
  void OfferFolderChoice();
  std::string SimPath(std::string_view relative) const;

  Window& window_;
  FileSystem& fs_;
  Registry& registry_;
  Shell& shell_;
  FolderMemory* folder_memory_ = nullptr;
  ScanOptions scan_options_;
  std::string registry_folder_;  // the folder text last read from the registry
  std::string sim_folder_;       // the folder the scan looked at
  std::map<const Family*, FamilyFacts> facts_;
  std::map<const Family*, FamilyDisplayState> states_;
  bool simulator_found_ = false;
  bool marker_found_ = false;
};

}  // namespace ql2
