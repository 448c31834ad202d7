// The main window's logic: the start-up scan that shows each family's state, and the click
// handlers of its buttons. It reaches the window only through the Window interface, and the disk
// and the registry only through their services. A family's click looks at the files under the
// simulator folder's lock, plans the whole change (src/aircraft/plan.h), carries it out and shows
// the outcome; the window only shows what the logic decided.
#pragma once

#include <map>
#include <string>

#include "aircraft/family.h"
#include "aircraft/plan.h"
#include "app/click_preview.h"
#include "app/family_controls.h"
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
    // A dry run writes nothing, not even the record's "Full" keys or leftover temporaries.
    bool write = true;
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

  // What a click on a family's Install or Remove button would do now, decided as the click
  // decides it, without doing it.
  using ClickPreview = ql2::ClickPreview;
  ClickPreview PreviewClick(ControlId button);
  // Shows the window's preview of a click on a family's Install or Remove button that the window
  // offers now (shown and enabled); false, showing nothing, for any other control.
  bool ShowPreview(ControlId button);

  // Asks the desktop to open the user manual; when it cannot, says so and how to try again.
  void OpenManual();

  // An access key pressed while `focused` has the focus: moves the focus or clicks, as
  // ActOnAccessKey says. False when the key belongs to no control that is offered now.
  bool PressAccessKey(char key, ControlId focused);

  // The state the family's group was last shown in (by the scan, or a refresh before a click).
  FamilyDisplayState StateOf(const Family& family) const;
  bool simulator_found() const { return simulator_found_; }
  bool installer_marker_found() const { return marker_found_; }
  // Whether the scan had the simulator folder to itself; when not, it wrote nothing.
  bool scan_locked() const { return scan_locked_; }

 private:
  // The folders one click works in: the panel files' and the install record's. They are the same
  // folder unless the registry changed while the program ran.
  struct Folders {
    std::string panels;
    std::string record;
  };
  // A family's click, decided but not yet done.
  struct Decision {
    const Family* family = nullptr;
    bool install = false;
    Folders folders;
    bool interrupted = false;  // it finishes a change that did not finish
    bool possible = false;
    std::string status;  // why not, when not possible
    Plan plan;
  };

  bool Dispatch(ControlId id);
  // What the window shows of its controls now, for the keyboard rules.
  WindowView View() const;
  FamilyFacts GatherFacts(const Family& family, bool present, SimFolderView& view);
  void ShowFamily(const Family& family, const FamilyFacts& facts);
  bool TakeFolders(const Family& family, bool install, Folders* folders);
  // Looks again and plans, with the folder's lock held by the caller.
  Decision Decide(const Family& family, bool install);
  bool ClickFamily(const Family& family, bool install);
  std::string OutcomeText(const Decision& decision) const;
  void ShowDone(const Decision& decision);
  void OfferFolderChoice();
  std::string SimPath(std::string_view relative) const;

  Window& window_;
  FileSystem& fs_;
  Registry& registry_;
  Shell& shell_;
  FolderMemory* folder_memory_ = nullptr;
  ScanOptions scan_options_;
  std::string registry_folder_;  // the folder text last read from the registry
  std::string record_folder_;    // the folder the install record is found in (shown in Label3)
  std::string sim_folder_;       // the folder the scan looked at
  std::map<const Family*, FamilyFacts> facts_;
  std::map<const Family*, FamilyDisplayState> states_;
  bool simulator_found_ = false;
  bool marker_found_ = false;
  bool scan_locked_ = false;  // the scan had the folder to itself
};

}  // namespace ql2
