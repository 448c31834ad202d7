// The main window's logic: the start-up scan that shows each family's state, and the click
// handlers of its buttons. It reaches the window only through the Window interface, and the disk
// and the registry only through their services. A family's click looks at the files under the
// simulator folder's lock, plans the whole change (src/aircraft/plan.h), carries it out and shows
// the outcome; the window only shows what the logic decided.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "aircraft/family.h"
#include "aircraft/plan.h"
#include "app/click_preview.h"
#include "app/family_controls.h"
#include "app/family_state.h"
#include "app/keyboard.h"
#include "app/simulator_resolution.h"
#include "app/window.h"
#include "platform/elevation.h"
#include "platform/file_system.h"
#include "platform/folder_memory.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/sim_folder_view.h"
#include "platform/simulator_finder.h"

namespace ql2 {

class MainWindowLogic {
 public:
  // The simulator is looked for where the finder says (see simulator_resolution.h for the order).
  MainWindowLogic(Window& window, FileSystem& fs, SimulatorFinder& finder, Shell& shell);
  // The registry's folder is the one the system names.
  MainWindowLogic(Window& window, FileSystem& fs, Registry& registry, Shell& shell);

  struct ScanOptions {
    // The window asks the first-run question; the command line never does.
    bool ask_first_run = true;
    // A dry run writes nothing, not even the record's "Full" keys or leftover temporaries.
    bool write = true;
    // The one family looked at (a command line that clicks it), whose folders are the only ones
    // cleared of leftover temporaries, besides the record's; the others show nothing. Null: all.
    const Family* only = nullptr;
    // The command line makes one click and ends: what the click leaves is not looked at for a
    // next click's look again.
    bool one_click = false;
  };

  // The load step, run once before the window is first shown: finds the simulator and the
  // aircraft, writes the record's "Full" keys, may ask the first-run question, and leaves every
  // family's group in its display state.
  void StartupScan(const ScanOptions& options);
  void StartupScan() { StartupScan(ScanOptions()); }

  // The folder given for this run (--sim-folder): it comes first until the user chooses another.
  void SetGivenFolder(std::optional<std::string> folder) { given_folder_ = std::move(folder); }
  // Where the folder the user chooses is remembered, and read from. Without one the choose-folder
  // button is never offered and no chosen folder is read.
  void SetFolderMemory(FolderMemory* memory) { folder_memory_ = memory; }
  // How the program could start again as administrator after a refused write; without it, it is
  // never offered.
  void SetElevation(Elevation* elevation) { elevation_ = elevation; }

  // A click on a control. Returns false when an Install or Remove click did nothing or failed, or
  // when a folder the user chose is not used or cannot be remembered. A click on chooseFolder lets
  // the user pick among the simulators found (when there are several) or choose a folder, which
  // must hold the simulator; the choice is remembered and scanned at once. An Install or Remove
  // click that Windows refused under Program Files offers to start the program again as
  // administrator on the same folder (ShouldOfferElevatedRestart).
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
  // Every simulator folder in the order of simulator_resolution.h, without scanning any of them:
  // what ql2cfg's `simulators` lists. A chosen folder that no longer holds the simulator is
  // forgotten here too, and folder_note() says so.
  const SimulatorResolution& FindEverySimulator();

  // The state the family's group was last shown in (by the scan, or a refresh before a click).
  FamilyDisplayState StateOf(const Family& family) const;
  bool simulator_found() const { return simulator_found_; }
  // The simulators as the last scan found them: the one in use, the others that may be picked,
  // and the folders passed over.
  const SimulatorResolution& simulators() const { return simulators_; }
  // The sentences the last scan or choice left about folders not used; "" when there are none.
  const std::string& folder_note() const { return folder_note_; }
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
    bool same_folder = false;  // both folders are the one the window shows
    bool interrupted = false;  // it finishes a change that did not finish
    bool possible = false;
    std::string status;  // why not, when not possible
    Plan plan;
  };

  bool Dispatch(ControlId id);
  // What the window shows of its controls now, for the keyboard rules.
  WindowView View() const;
  // Records in the install record whether each family's further models are there.
  void WriteFullKeys(SimFolderView& view);
  FamilyFacts GatherFacts(const Family& family, bool present, SimFolderView& view);
  void ShowFamily(const Family& family, const FamilyFacts& facts);
  bool TakeFolders(const Family& family, bool install, Folders* folders);
  // Looks again and plans, with the folder's lock held by the caller, through a view of the
  // simulator folder that the caller may use afterwards.
  Decision Decide(const Family& family, bool install, SimFolderView& view);
  bool ClickFamily(const Family& family, bool install);
  // The lock and the look of a click: the scan's own for the command line's one click (so each
  // file is found and read once), new ones otherwise; nothing when another copy holds the lock.
  struct ClickLook {
    std::unique_ptr<FolderLock> lock;
    std::unique_ptr<SimFolderView> view;
  };
  std::optional<ClickLook> LookForClick();
  std::string OutcomeText(const Decision& decision) const;
  void ShowDone(const Decision& decision);
  void OfferFolderChoice();
  std::string SimPath(std::string_view relative) const;
  SimulatorResolution ResolveSimulators(SimulatorSearch search) const;
  // Resolves the simulators; a chosen folder that no longer holds the simulator is forgotten
  // unless nothing may be written (a dry run).
  void FindSimulators(SimulatorSearch search, bool write);
  std::string ShowFolder(const std::string& folder) const;
  void ShowFolderLine();
  bool ChooseSimulator();
  void OfferElevatedRestart(const Family& family, bool click_succeeded);
  Result<std::string> ReadFolderInUse() const;

  Window& window_;
  FileSystem& fs_;
  std::unique_ptr<RegistryFinder> registry_finder_;  // when constructed with a registry
  SimulatorFinder& finder_;
  // What a family that takes the simulator folder afresh at each click reads (TakeFolders): the
  // order run again.
  ResolvingRegistry registry_;
  Shell& shell_;
  std::optional<std::string> given_folder_;
  FolderMemory* folder_memory_ = nullptr;
  // A folder chosen in this window, used even when it could not be remembered.
  std::optional<std::string> chosen_now_;
  Elevation* elevation_ = nullptr;
  SimulatorResolution simulators_;
  std::string folder_note_;
  ScanOptions scan_options_;
  std::string registry_folder_;  // the folder text last read from the registry
  std::string record_folder_;    // the folder the install record is found in (shown in Label3)
  std::string sim_folder_;       // the folder the scan looked at
  std::map<const Family*, FamilyFacts> facts_;
  std::map<const Family*, FamilyDisplayState> states_;
  bool simulator_found_ = false;
  bool marker_found_ = false;
  bool scan_locked_ = false;  // the scan had the folder to itself
  // The command line's scan keeps its lock and what it read for the one click that follows.
  std::optional<ClickLook> scan_look_;
};

}  // namespace ql2
