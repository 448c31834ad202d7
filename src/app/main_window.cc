#include "app/main_window.h"

#include <memory>

#include "aircraft/procedure.h"
#include "app/texts.h"
#include "panelcfg/panel_config.h"
#include "platform/sim_path.h"
#include "record/install_record.h"

namespace ql2 {
namespace {

// The step a failure to open the manual names: "cannot open <path>: ...".
constexpr char kOpenVerb[] = "open";

void SetVisible(Window& window, ControlId id, bool visible) {
  if (id == ControlId::kNone) return;
  if (visible) {
    window.Show(id);
  } else {
    window.Hide(id);
  }
}

void SetEnabled(Window& window, ControlId id, bool enabled) {
  if (enabled) {
    window.Enable(id);
  } else {
    window.Disable(id);
  }
}

// Names the backup that shows a change did not finish: the first one left over from an
// installation, or the first one missing from an installation.
std::string InterruptionText(const Family& family, const FamilyFacts& facts,
                             FamilyDisplayState state) {
  const bool install = state == FamilyDisplayState::kInterruptedInstall;
  const std::vector<bool>& exists = facts.backups.exists;
  for (std::size_t i = 0; i < family.files.size(); ++i) {
    const PanelFile& file = family.files[i];
    if (install ? exists[i] : (!file.further_model && !exists[i])) {
      return DisplaySimPath(file.backup) +
             std::string(install ? texts::kInterruptedInstall : texts::kInterruptedRemove);
    }
  }
  // Every backup is there, but the reference file is already back as it was.
  return DisplaySimPath(family.files[0].config) + std::string(texts::kInterruptedRestore);
}

}  // namespace

MainWindowLogic::MainWindowLogic(Window& window, FileSystem& fs, Registry& registry, Shell& shell)
    : window_(window), fs_(fs), registry_(registry), shell_(shell) {}

std::string MainWindowLogic::SimPath(std::string_view relative) const {
  return JoinSimPath(sim_folder_, relative, fs_.Separator());
}

void MainWindowLogic::StartupScan(const ScanOptions& options) {
  states_.clear();
  facts_.clear();
  scan_options_ = options;
  Result<std::string> folder = registry_.ReadSimulatorFolder();
  // A registry value that names no folder (or a file) is as good as none.
  simulator_found_ = folder.ok() && fs_.Stat(folder.value()).kind == EntryKind::kFolder;
  if (!simulator_found_) {
    // Without a simulator folder there is nothing to look at and nowhere to write: every group
    // says so and offers nothing.
    for (const Family* family : AllFamilies()) {
      window_.Hide(family->controls.install);
      window_.Hide(family->controls.remove);
      window_.SetCaption(family->controls.status, texts::kSimulatorNotFound);
      states_[family] = FamilyDisplayState::kAbsent;
    }
    OfferFolderChoice();
    window_.Focus(StartupFocus(View()));
    return;
  }
  registry_folder_ = folder.value();
  window_.SetCaption(ControlId::kLabel3, registry_folder_);
  sim_folder_ = window_.Caption(ControlId::kLabel3);
  InstallRecord record(fs_, sim_folder_);
  std::map<const Family*, bool> present;
  {
    // The record is not rewritten while another copy of the program changes files; if that
    // takes too long the scan goes on, and the re-check before each click catches the change.
    Result<std::unique_ptr<FolderLock>> lock = fs_.LockFolder(sim_folder_);
    for (const Family* family : AllFamilies()) {
      if (!family->full_folder.empty()) {
        // A record that cannot be written is reported by the click that needs it.
        record.Write(family->record_section, record::kFullKey,
                     PathExists(fs_, SimPath(family->full_folder)) ? record::kYes : record::kNo);
      }
      present[family] = PathExists(fs_, SimPath(family->presence_folder));
    }
  }

  if (options.ask_first_run) {
    Result<double> first_time = record.ReadNumber(record::kOptionsSection, record::kFirstTimeKey);
    if (first_time.ok() && first_time.value() == 1) {
      bool yes = window_.AskYesNo(texts::kFirstRunTitle, texts::kFirstRunText);
      record.Write(record::kOptionsSection, record::kFirstTimeKey, record::kNo);
      // A manual that cannot be opened does not stop the program; the user is told.
      if (yes) OpenManual();
    }
  }

  marker_found_ = PlainFileExists(fs_, SimPath(package::kInstallerMarker));
  for (const Family* family : AllFamilies()) {
    ShowFamily(*family, GatherFacts(*family, present[family]));
  }
  OfferFolderChoice();
  window_.Focus(StartupFocus(View()));
}

FamilyFacts MainWindowLogic::GatherFacts(const Family& family, bool present) {
  FamilyFacts facts;
  facts.present = present;
  // A family that can be found edited (the ATR) is told apart by the gauge's title line in its
  // reference file; its record and panel file are looked at only when the aircraft is there.
  const bool checks_panel = family.controls.edited_icon != ControlId::kNone;
  if (checks_panel && !present) return facts;

  InstallRecord record(fs_, sim_folder_);
  Result<double> installed = record.ReadNumber(family.record_section, record::kInstalledKey);
  facts.record_read = installed.ok();
  if (!installed.ok()) {
    facts.record_error = std::string(texts::kCannotRead) + DisplaySimPath(record::kRelativePath) +
                         ": " + installed.status().cause() + ".";
    return facts;
  }
  facts.installed = installed.value();
  if (!family.full_folder.empty()) {
    Result<std::string> full = record.ReadText(family.record_section, record::kFullKey);
    facts.full = full.ok() ? full.value() : full.status().cause();
  }
  if (!present) return facts;
  facts.backups = SurveyBackups(fs_, family, sim_folder_);
  if (facts.installed == 0) return facts;
  const bool compares_backup = facts.backups.exists[0];
  if (!compares_backup && !checks_panel) return facts;

  const std::string_view reference_file = family.files[0].config;
  Result<std::string> reference = fs_.ReadFile(SimPath(reference_file));
  if (compares_backup) {
    Result<std::string> backup = fs_.ReadFile(SimPath(family.files[0].backup));
    facts.reference_restored = reference.ok() && backup.ok() && reference.value() == backup.value();
  }
  if (checks_panel) {
    if (reference.ok()) {
      facts.panel_checked = true;
      facts.title_found = HasGaugeTitleLine(reference.value());
    } else {
      // Installed, but the panel file cannot be looked at: say so rather than guess.
      facts.panel_error = std::string(texts::kCannotRead) + DisplaySimPath(reference_file) + ": " +
                          reference.status().cause() + ".";
    }
  }
  return facts;
}

void MainWindowLogic::ShowFamily(const Family& family, const FamilyFacts& facts) {
  const FamilyControls& controls = family.controls;
  const FamilyDisplayState state = DeriveState(family, facts);
  states_[&family] = state;
  facts_[&family] = facts;

  // The buttons show when the aircraft is there; Install only when the gauge package's installer
  // marker is there too.
  SetVisible(window_, controls.install, facts.present && marker_found_);
  SetVisible(window_, controls.remove, facts.present);
  window_.SetCaption(controls.install, state == FamilyDisplayState::kEdited
                                           ? texts::kRepairCaption
                                           : FindControl(controls.install).caption);
  ControlId icon = ControlId::kNone;
  std::string status;
  bool install_enabled = false;
  bool remove_enabled = false;
  switch (state) {
    case FamilyDisplayState::kAbsent:
      status = family.texts.absent;
      break;
    case FamilyDisplayState::kNotInstalled:
      status = texts::kNotInstalled;
      install_enabled = true;
      icon = controls.not_installed_icon;
      break;
    case FamilyDisplayState::kInstalled:
      status = texts::kInstalled;
      remove_enabled = true;
      icon = controls.installed_icon;
      break;
    case FamilyDisplayState::kEdited:
      status = texts::kEdited;
      install_enabled = true;
      icon = controls.edited_icon;
      break;
    case FamilyDisplayState::kInterruptedInstall:
    case FamilyDisplayState::kInterruptedRemove:
      status = InterruptionText(family, facts, state);
      remove_enabled = true;
      break;
    case FamilyDisplayState::kError:
      status = facts.record_read ? facts.panel_error : facts.record_error;
      break;
  }
  window_.SetCaption(controls.status, status);
  SetEnabled(window_, controls.install, install_enabled);
  SetEnabled(window_, controls.remove, remove_enabled);
  for (ControlId each :
       {controls.not_installed_icon, controls.installed_icon, controls.edited_icon}) {
    SetVisible(window_, each, each == icon);
  }
}

void MainWindowLogic::OfferFolderChoice() {
  bool any_present = false;
  for (const auto& state : states_) any_present |= state.second != FamilyDisplayState::kAbsent;
  // A folder that holds none of the aircraft may be the wrong one: the user may choose again.
  SetVisible(window_, ControlId::kChooseFolder, folder_memory_ != nullptr && !any_present);
}

bool MainWindowLogic::ClickFamily(const Family& family, bool install) {
  const ControlId status = family.controls.status;
  Result<std::unique_ptr<FolderLock>> lock = fs_.LockFolder(sim_folder_);
  if (!lock.ok()) {
    window_.SetCaption(status, texts::kBusy);
    return false;
  }
  FamilyFacts now = GatherFacts(family, PathExists(fs_, SimPath(family.presence_folder)));
  if (now != facts_[&family]) {
    ShowFamily(family, now);
    window_.SetCaption(status, std::string(texts::kChangedMeanwhile) + window_.Caption(status));
    return false;
  }

  ClickContext context{window_, fs_, registry_, registry_folder_};
  bool succeeded;
  if (install) {
    succeeded = InstallFamily(family, context);
  } else {
    FamilyDisplayState state = StateOf(family);
    bool interrupted = state == FamilyDisplayState::kInterruptedInstall ||
                       state == FamilyDisplayState::kInterruptedRemove;
    succeeded = RemoveFamily(family, context,
                             interrupted ? RemoveMode::kFinishInterrupted : RemoveMode::kNormal);
  }
  // What this click left on disk is what the next click's re-check compares with; the group
  // keeps the texts the click set.
  facts_[&family] = GatherFacts(family, now.present);
  states_[&family] = DeriveState(family, facts_[&family]);
  return succeeded;
}

bool MainWindowLogic::Click(ControlId id) {
  const bool result = Dispatch(id);
  if (id != ControlId::kClose) {
    const ControlId focus = FocusAfterClick(id, View());
    if (focus != ControlId::kNone) window_.Focus(focus);
  }
  return result;
}

bool MainWindowLogic::Dispatch(ControlId id) {
  if (id == ControlId::kClose) {
    window_.Close();
    return true;
  }
  if (id == ControlId::kPictureAbout) {
    window_.ShowAboutModally();
    return true;
  }
  if (id == ControlId::kAboutManual) {
    OpenManual();
    return true;
  }
  if (id == ControlId::kChooseFolder && folder_memory_ != nullptr) {
    std::string folder = window_.ChooseFolder(kChooseFolderTitle);
    if (folder.empty()) return true;
    Status saved = folder_memory_->Save(folder);
    StartupScan(scan_options_);
    return saved.ok();
  }
  for (const Family* family : AllFamilies()) {
    if (id == family->controls.install) return ClickFamily(*family, true);
    if (id == family->controls.remove) return ClickFamily(*family, false);
  }
  return true;
}

void MainWindowLogic::OpenManual() {
  std::string why(texts::kManualWithoutSimulator);
  if (simulator_found_) {
    const std::string path = SimPath(package::kManual);
    const Status opened = fs_.Stat(path).kind == EntryKind::kFile
                              ? shell_.OpenDocument(path)
                              : Status::Failed(ErrorKind::kNotFound, kOpenVerb, path);
    if (opened.ok()) return;
    why = std::string(texts::kManualCannotOpen) + path + ": " + opened.cause() + ".";
  }
  window_.Warn(texts::kManualTitle, why + std::string(texts::kManualLater));
}

bool MainWindowLogic::PressAccessKey(char key, ControlId focused) {
  const KeyAction action = ActOnAccessKey(key, focused, View());
  if (action.click != ControlId::kNone) {
    Click(action.click);
  } else if (action.focus != ControlId::kNone) {
    window_.Focus(action.focus);
  }
  return action.click != ControlId::kNone || action.focus != ControlId::kNone;
}

WindowView MainWindowLogic::View() const {
  WindowView view;
  for (const ControlSpec& design : ControlTable()) {
    if (design.window != WindowId::kMain) continue;
    view[design.id] = {window_.IsShown(design.id), window_.IsEnabled(design.id),
                       window_.Caption(design.id)};
  }
  return view;
}

FamilyDisplayState MainWindowLogic::StateOf(const Family& family) const {
  auto it = states_.find(&family);
  return it == states_.end() ? FamilyDisplayState::kAbsent : it->second;
}

}  // namespace ql2
