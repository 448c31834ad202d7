#include "app/main_window.h"

#include <memory>
#include <set>

#include "aircraft/apply_plan.h"
#include "app/advice.h"
#include "app/kept_copies_text.h"
#include "app/texts.h"
#include "panelcfg/panel_config.h"
#include "platform/profile.h"
#include "platform/sim_folder_view.h"
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

// Names the backup that shows a change did not finish: the first one this program left from an
// installation, or the first one missing from an installation.
std::string InterruptionText(const Family& family, const FamilyFacts& facts,
                             FamilyDisplayState state, SimFolderView& view) {
  const bool install = state == FamilyDisplayState::kInterruptedInstall;
  const FamilySurvey& survey = facts.survey;
  for (std::size_t i = 0; i < family.files.size(); ++i) {
    const PanelFile& file = family.files[i];
    if (install ? survey.backup_own[i] : (!file.further_model && !survey.backup_exists[i])) {
      return view.DisplayName(file.backup) +
             std::string(install ? texts::kInterruptedInstall : texts::kInterruptedRemove);
    }
  }
  // Every backup is there, but the reference file is already back as it was, or has lost the
  // installation and had its backup kept.
  return view.DisplayName(family.files[0].config) + std::string(survey.reference_stripped
                                                                    ? texts::kInterruptedStripped
                                                                    : texts::kInterruptedRestore);
}

bool IsInterrupted(FamilyDisplayState state) {
  return state == FamilyDisplayState::kInterruptedInstall ||
         state == FamilyDisplayState::kInterruptedRemove;
}

// The record's text of a key, at most nine characters; an unreadable record is an error.
Result<std::string> RecordText(const FileContent& record, std::string_view section,
                               std::string_view key) {
  if (record.exists() && !record.readable()) {
    if (!record.error.ok()) return record.error;
    return Status::Failed(ErrorKind::kNotAFile, "read", std::string(record::kRelativePath));
  }
  return profile::ReadString(record.bytes, section, key, "", record::kValueBufferSize);
}

// Shows a family's progress texts while its plan is carried out.
class StatusProgress : public PlanProgress {
 public:
  StatusProgress(Window& window, const Family& family, bool install)
      : window_(window), family_(family), install_(install) {}

  void Starting(StepRole role) override {
    if (!install_) return;
    std::string_view text;
    if (role == StepRole::kKeptCopy || role == StepRole::kBackup) text = family_.texts.backing_up;
    if (role == StepRole::kPanel) text = family_.texts.installing;
    if (!text.empty() && text != shown_) {
      window_.SetCaption(ControlsOf(family_).status, text);
      shown_ = text;
    }
  }

 private:
  Window& window_;
  const Family& family_;
  bool install_;
  std::string_view shown_;
};

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
      const FamilyControls& controls = ControlsOf(*family);
      window_.Hide(controls.install);
      window_.Hide(controls.remove);
      window_.SetCaption(controls.status, texts::kSimulatorNotFound);
      states_[family] = FamilyDisplayState::kAbsent;
    }
    OfferFolderChoice();
    window_.Focus(StartupFocus(View()));
    return;
  }
  registry_folder_ = record_folder_ = sim_folder_ = folder.value();
  window_.SetCaption(ControlId::kLabel3, record_folder_);

  // The state is read, and the record written, while no other copy of the program changes the
  // files; one that holds the lock too long gets nothing written, and its half-done change is
  // not taken for one that did not finish.
  std::map<const Family*, FamilyFacts> facts;
  {
    Result<std::unique_ptr<FolderLock>> lock = fs_.LockFolder(sim_folder_);
    scan_locked_ = lock.ok();
    SimFolderView view(fs_, sim_folder_);
    std::map<const Family*, bool> present;
    for (const Family* family : AllFamilies()) {
      present[family] = PathExists(fs_, SimPath(family->presence_folder));
    }
    if (scan_locked_ && options.write) {
      const FileContent& record = view.Content(record::kRelativePath);
      std::string bytes = record.bytes;
      for (const Family* family : AllFamilies()) {
        if (family->full_folder.empty()) continue;
        bytes = profile::WriteString(
            bytes, family->record_section, record::kFullKey,
            PathExists(fs_, SimPath(family->full_folder)) ? record::kYes : record::kNo);
      }
      // A record that cannot be written is reported by the click that needs it.
      if ((!record.exists() || record.readable()) && bytes != record.bytes) {
        if (fs_.ReplaceFile(view.Path(record::kRelativePath), bytes).ok()) {
          view.Wrote(record::kRelativePath, std::move(bytes));
        }
      }
      // Temporary files of a run that was killed midway.
      std::set<std::string> folders = {ParentFolder(fs_, SimPath(record::kRelativePath))};
      for (const Family* family : AllFamilies()) {
        if (!present[family]) continue;
        for (const PanelFile& file : family->files) {
          folders.insert(ParentFolder(fs_, SimPath(file.config)));
        }
      }
      for (const std::string& each : folders) RemoveLeftoverTemporaries(fs_, each);
    }
    for (const Family* family : AllFamilies()) {
      facts[family] = GatherFacts(*family, present[family], view);
    }
  }

  if (options.ask_first_run) {
    SimFolderView view(fs_, sim_folder_);
    Result<std::string> first_time = RecordText(view.Content(record::kRelativePath),
                                                record::kOptionsSection, record::kFirstTimeKey);
    if (first_time.ok() && profile::ParseNumber(first_time.value()) == 1) {
      bool yes = window_.AskYesNo(texts::kFirstRunTitle, texts::kFirstRunText);
      Result<std::unique_ptr<FolderLock>> lock = fs_.LockFolder(sim_folder_);
      if (lock.ok()) {
        InstallRecord(fs_, sim_folder_)
            .Write(record::kOptionsSection, record::kFirstTimeKey, record::kNo);
      }
      // A manual that cannot be opened does not stop the program; the user is told.
      if (yes) OpenManual();
    }
  }

  marker_found_ = PlainFileExists(fs_, SimPath(package::kInstallerMarker));
  for (const Family* family : AllFamilies()) ShowFamily(*family, facts[family]);
  OfferFolderChoice();
  window_.Focus(StartupFocus(View()));
}

FamilyFacts MainWindowLogic::GatherFacts(const Family& family, bool present, SimFolderView& view) {
  FamilyFacts facts;
  facts.present = present;
  if (!present && ControlsOf(family).shown_only_when_present) return facts;

  const FileContent& record = view.Content(record::kRelativePath);
  Result<std::string> installed = RecordText(record, family.record_section, record::kInstalledKey);
  facts.record_read = installed.ok();
  if (!installed.ok()) {
    facts.record_error = std::string(texts::kCannotRead) + view.DisplayName(record::kRelativePath) +
                         ": " + installed.status().cause() + "." + AdviceAfter(installed.status());
    return facts;
  }
  facts.installed = profile::ParseNumber(installed.value());
  if (!family.full_folder.empty()) {
    facts.full = RecordText(record, family.record_section, record::kFullKey).value();
  }
  if (!present) return facts;
  facts.survey = SurveyFamily(family, view, facts.installed != 0);
  return facts;
}

void MainWindowLogic::ShowFamily(const Family& family, const FamilyFacts& facts) {
  const FamilyControls& controls = ControlsOf(family);
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
      // Repair puts back what the file lost; Remove takes out what is left of the gauge.
      status = texts::kEdited;
      install_enabled = true;
      remove_enabled = true;
      icon = controls.edited_icon;
      break;
    case FamilyDisplayState::kInterruptedInstall:
    case FamilyDisplayState::kInterruptedRemove: {
      // Without the lock the scan may have looked at another copy's change while it ran.
      SimFolderView view(fs_, sim_folder_);
      status =
          scan_locked_ ? InterruptionText(family, facts, state, view) : std::string(texts::kBusy);
      remove_enabled = true;
      break;
    }
    case FamilyDisplayState::kError:
      status = facts.record_read
                   ? facts.survey.reference_error +
                         AdviceAfter(Status::Fail(facts.survey.reference_error_kind, "", ""))
                   : facts.record_error;
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

bool MainWindowLogic::TakeFolders(const Family& family, bool install, Folders* folders) {
  folders->record = record_folder_;
  folders->panels = registry_folder_;
  if (family.rereads_registry) {
    // This family takes the simulator folder from the registry afresh at every click; an
    // installation also records there, a removal in the folder the record was found in.
    Result<std::string> read = registry_.ReadSimulatorFolder();
    if (!read.ok()) return false;
    registry_folder_ = folders->panels = read.value();
    if (install) {
      record_folder_ = folders->record = folders->panels;
      window_.SetCaption(ControlId::kLabel3, record_folder_);
    } else {
      window_.SetCaption(ControlId::kLabel2, folders->panels);
    }
  } else {
    window_.SetCaption(ControlId::kLabel3, folders->record);
  }
  return !folders->panels.empty() && !folders->record.empty();
}

MainWindowLogic::Decision MainWindowLogic::Decide(const Family& family, bool install) {
  Decision decision;
  decision.family = &family;
  decision.install = install;
  const FamilyControls& controls = ControlsOf(family);
  const std::string_view cannot = install ? texts::kCannotInstall : texts::kCannotRemove;

  SimFolderView view(fs_, sim_folder_);
  FamilyFacts now = GatherFacts(family, PathExists(fs_, SimPath(family.presence_folder)), view);
  if (now != facts_[&family]) {
    ShowFamily(family, now);
    decision.status = std::string(texts::kChangedMeanwhile) + window_.Caption(controls.status);
    return decision;
  }
  const FamilyDisplayState state = StateOf(family);
  decision.interrupted = IsInterrupted(state);
  if (!TakeFolders(family, install, &decision.folders)) {
    decision.status = std::string(cannot) + std::string(texts::kSimulatorNotFound);
    return decision;
  }
  // The look again above read the files in the folder the window shows; a click whose folders
  // moved since reads its own.
  SimFolderView panels(fs_, decision.folders.panels);
  SimFolderView record(fs_, decision.folders.record);
  const bool same =
      decision.folders.panels == sim_folder_ && decision.folders.record == sim_folder_;
  FamilyInput input =
      same ? ReadFamilyInput(family, view, view) : ReadFamilyInput(family, panels, record);
  Result<Plan> plan = install
                          ? PlanInstall(family, input,
                                        state == FamilyDisplayState::kEdited ? InstallKind::kRepair
                                                                             : InstallKind::kFresh)
                          : PlanRemove(family, input);
  Status refused = plan.ok() ? CheckPlan(fs_, plan.value()) : plan.status();
  if (!refused.ok()) {
    decision.status = std::string(cannot) + refused.cause() + "." + AdviceAfter(refused);
    return decision;
  }
  decision.plan = std::move(plan.value());
  decision.possible = true;
  decision.status = OutcomeText(decision);
  return decision;
}

std::string MainWindowLogic::OutcomeText(const Decision& decision) const {
  const Family& family = *decision.family;
  std::string text(decision.install       ? family.texts.installed
                   : decision.interrupted ? texts::kInterruptedUndone
                                          : family.texts.removed);
  const std::string kept = KeptCopiesText(decision.plan.kept);
  if (!kept.empty()) text += " " + kept;
  return text;
}

void MainWindowLogic::ShowDone(const Decision& decision) {
  const Family& family = *decision.family;
  const FamilyControls& controls = ControlsOf(family);
  window_.SetCaption(controls.status, decision.status);
  SetVisible(window_, controls.edited_icon, false);
  if (decision.install) {
    window_.Disable(controls.install);
    window_.Enable(controls.remove);
    window_.Show(controls.installed_icon);
    if (!controls.keeps_not_installed_icon) window_.Hide(controls.not_installed_icon);
    return;
  }
  window_.Enable(controls.install);
  window_.Disable(controls.remove);
  window_.SetCaption(controls.install, FindControl(controls.install).caption);
  window_.Hide(controls.installed_icon);
  // The group shows what it now is: not installed.
  window_.Show(controls.not_installed_icon);
}

bool MainWindowLogic::ClickFamily(const Family& family, bool install) {
  const FamilyControls& controls = ControlsOf(family);
  if (!install && !family.texts.uninstalling.empty()) {
    window_.SetCaption(controls.status, family.texts.uninstalling);
  }
  Result<std::unique_ptr<FolderLock>> lock = fs_.LockFolder(sim_folder_);
  if (!lock.ok()) {
    window_.SetCaption(controls.status, texts::kBusy);
    return false;
  }
  Decision decision = Decide(family, install);
  bool succeeded = decision.possible;
  if (decision.possible) {
    StatusProgress progress(window_, family, install);
    ApplyOutcome outcome = ApplyPlan(fs_, decision.plan, &progress);
    if (outcome.ok) {
      ShowDone(decision);
    } else {
      succeeded = false;
      std::string text = std::string(install ? texts::kCannotInstall : texts::kCannotRemove) +
                         outcome.failure + "." + AdviceAfter(outcome.failed);
      if (outcome.undone) {
        text += texts::kNothingChanged;
      } else {
        text += std::string(texts::kUndoFailed) + outcome.undo_failure + ".";
      }
      window_.SetCaption(controls.status, text);
    }
  } else {
    window_.SetCaption(controls.status, decision.status);
  }
  // What this click left on disk is what the next click's look again compares with; the group
  // keeps the texts the click set.
  SimFolderView view(fs_, sim_folder_);
  facts_[&family] = GatherFacts(family, facts_[&family].present, view);
  states_[&family] = DeriveState(family, facts_[&family]);
  return succeeded;
}

MainWindowLogic::ClickPreview MainWindowLogic::PreviewClick(ControlId button) {
  ClickPreview preview;
  for (const Family* family : AllFamilies()) {
    const FamilyControls& controls = ControlsOf(*family);
    if (button != controls.install && button != controls.remove) continue;
    Result<std::unique_ptr<FolderLock>> lock = fs_.LockFolder(sim_folder_);
    if (!lock.ok()) {
      preview.status = texts::kBusy;
      return preview;
    }
    Decision decision = Decide(*family, button == controls.install);
    preview.possible = decision.possible;
    preview.status = decision.status;
    preview.plan = std::move(decision.plan);
    return preview;
  }
  return preview;
}

bool MainWindowLogic::ShowPreview(ControlId button) {
  for (const Family* family : AllFamilies()) {
    const FamilyControls& controls = ControlsOf(*family);
    if (button != controls.install && button != controls.remove) continue;
    if (!window_.IsShown(button) || !window_.IsEnabled(button)) return false;
    // The caption is read before the look: the preview is of the button the user chose.
    const std::string caption = window_.Caption(button);
    window_.ShowPreviewModally(
        DescribeClickPreview(*family, caption, PreviewClick(button), fs_.Separator()));
    return true;
  }
  return false;
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
    const FamilyControls& controls = ControlsOf(*family);
    if (id == controls.install) return ClickFamily(*family, true);
    if (id == controls.remove) return ClickFamily(*family, false);
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
    why =
        std::string(texts::kManualCannotOpen) + fs_.PathOnDisk(path) + ": " + opened.cause() + ".";
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
