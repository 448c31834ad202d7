#include "app/main_window.h"

#include <memory>
#include <optional>
#include <set>

#include "aircraft/apply_plan.h"
#include "app/advice.h"
#include "app/elevated_restart.h"
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
// How long a folder may be on the folder line before its middle is left out: two lines of the
// line's width hold it with its origin.
constexpr std::size_t kFolderLineChars = 64;

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

MainWindowLogic::MainWindowLogic(Window& window, FileSystem& fs, SimulatorFinder& finder,
                                 Shell& shell)
    : window_(window),
      fs_(fs),
      finder_(finder),
      registry_([this] { return ReadFolderInUse(); }),
      shell_(shell) {}

MainWindowLogic::MainWindowLogic(Window& window, FileSystem& fs, Registry& registry, Shell& shell)
    : window_(window),
      fs_(fs),
      registry_finder_(std::make_unique<RegistryFinder>(registry)),
      finder_(*registry_finder_),
      registry_([this] { return ReadFolderInUse(); }),
      shell_(shell) {}

SimulatorResolution MainWindowLogic::ResolveSimulators(SimulatorSearch search) const {
  std::string chosen;
  if (chosen_now_) {
    chosen = *chosen_now_;
  } else if (folder_memory_ != nullptr) {
    chosen = folder_memory_->Load();
  }
  return ResolveSimulatorFolder(GatherSimulatorFacts(fs_, given_folder_, chosen, finder_, search));
}

void MainWindowLogic::FindSimulators(SimulatorSearch search, bool write) {
  simulators_ = ResolveSimulators(search);
  if (simulators_.forget_chosen && write) {
    chosen_now_.reset();
    // Not forgotten if this fails: the next start finds it gone again and says so again.
    if (folder_memory_ != nullptr) folder_memory_->Save("");
  }
  folder_note_.clear();
  for (const SimulatorCandidate& passed_over : simulators_.passed_over) {
    if (!folder_note_.empty()) folder_note_ += ' ';
    folder_note_ += PassedOverSentence(passed_over, ShowFolder(passed_over.folder), write);
  }
}

const SimulatorResolution& MainWindowLogic::FindEverySimulator() {
  FindSimulators(SimulatorSearch::kEverySimulator, /*write=*/true);
  return simulators_;
}

Result<std::string> MainWindowLogic::ReadFolderInUse() const {
  SimulatorResolution now = ResolveSimulators(SimulatorSearch::kFolderInUse);
  if (!now.in_use) {
    return Status::Fail(ErrorKind::kNotFound, registry::kNoSimulatorFolder,
                        registry::kNoSimulatorFolder);
  }
  return now.in_use->folder;
}

std::string MainWindowLogic::ShowFolder(const std::string& folder) const {
  return ShortFolder(folder, finder_.HomeFolder(), fs_.Separator(), kFolderLineChars);
}

void MainWindowLogic::ShowFolderLine() {
  std::string line = folder_note_.empty() ? "" : folder_note_ + " ";
  if (simulators_.in_use) {
    line += std::string(texts::kFolderLineStart) + simulators_.in_use->origin +
            std::string(texts::kFolderLineAfterOrigin) + ShowFolder(simulators_.in_use->folder);
  } else {
    line += texts::kNoFolderInUse;
  }
  window_.SetCaption(ControlId::kLabelFolder, line);
}

std::string MainWindowLogic::SimPath(std::string_view relative) const {
  return JoinSimPath(sim_folder_, relative, fs_.Separator());
}

void MainWindowLogic::StartupScan(const ScanOptions& options) {
  states_.clear();
  facts_.clear();
  scan_options_ = options;
  FindSimulators(SimulatorSearch::kFolderInUse, options.write);
  ShowFolderLine();
  simulator_found_ = simulators_.in_use.has_value();
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
  registry_folder_ = record_folder_ = sim_folder_ = simulators_.in_use->folder;
  window_.SetCaption(ControlId::kLabel3, record_folder_);

  // The state is read, and the record written, while no other copy of the program changes the
  // files; one that holds the lock too long gets nothing written, and its half-done change is
  // not taken for one that did not finish.
  std::map<const Family*, FamilyFacts> facts;
  const std::vector<const Family*> scanned =
      options.only != nullptr ? std::vector<const Family*>{options.only} : AllFamilies();
  ClickLook look{nullptr, std::make_unique<SimFolderView>(fs_, sim_folder_)};
  SimFolderView& view = *look.view;
  {
    Result<std::unique_ptr<FolderLock>> lock = fs_.LockFolder(sim_folder_);
    scan_locked_ = lock.ok();
    // Kept for the one click only where no question comes first: its answer is written under a
    // lock of its own.
    if (scan_locked_ && options.one_click && !options.ask_first_run) {
      look.lock = std::move(lock.value());
    }
    std::map<const Family*, bool> present;
    for (const Family* family : scanned) {
      present[family] = PathExists(fs_, SimPath(family->presence_folder));
    }
    if (scan_locked_ && options.write) {
      WriteFullKeys(view);
      // Temporary files of a run that was killed midway.
      std::set<std::string> folders = {ParentFolder(fs_, SimPath(record::kRelativePath))};
      for (const Family* family : scanned) {
        if (!present[family]) continue;
        for (const PanelFile& file : family->files) {
          folders.insert(ParentFolder(fs_, SimPath(file.config)));
        }
      }
      for (const std::string& each : folders) RemoveLeftoverTemporaries(fs_, each);
    }
    for (const Family* family : scanned) {
      facts[family] = GatherFacts(*family, present[family], view);
    }
  }

  if (options.ask_first_run) {
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
  for (const Family* family : scanned) ShowFamily(*family, facts[family]);
  OfferFolderChoice();
  window_.Focus(StartupFocus(View()));
  if (look.lock != nullptr) scan_look_ = std::move(look);
}

std::optional<MainWindowLogic::ClickLook> MainWindowLogic::LookForClick() {
  if (scan_look_.has_value()) {
    std::optional<ClickLook> look = std::move(scan_look_);
    scan_look_.reset();
    return look;
  }
  Result<std::unique_ptr<FolderLock>> lock = fs_.LockFolder(sim_folder_);
  if (!lock.ok()) return std::nullopt;
  return ClickLook{std::move(lock.value()), std::make_unique<SimFolderView>(fs_, sim_folder_)};
}

void MainWindowLogic::WriteFullKeys(SimFolderView& view) {
  const FileContent& record = view.Content(record::kRelativePath);
  // A record that cannot be read is not written; the click that needs it reports it.
  if (record.exists() && !record.readable()) return;
  std::optional<std::string> bytes;  // copied only when a key changes
  for (const Family* family : AllFamilies()) {
    if (family->full_folder.empty()) continue;
    const std::string_view full =
        PathExists(fs_, SimPath(family->full_folder)) ? record::kYes : record::kNo;
    const std::string_view now = bytes ? *bytes : std::string_view(record.bytes);
    const profile::Splice splice =
        profile::PlanWrite(now, family->record_section, record::kFullKey, full);
    if (now.substr(splice.at, splice.erase) == splice.text) continue;  // the same bytes again
    if (!bytes) bytes = std::string(record.bytes.view());
    profile::ApplySplice(&*bytes, splice);
  }
  if (!bytes || *bytes == record.bytes) return;
  // A record that cannot be written is reported by the click that needs it.
  if (fs_.ReplaceFile(view.Path(record::kRelativePath), *bytes).ok()) {
    view.Wrote(record::kRelativePath, SharedBytes(std::move(*bytes)));
  }
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
  // The user may change the simulator at any time: many keep a clean one and a modded one.
  SetVisible(window_, ControlId::kChooseFolder, folder_memory_ != nullptr);
}

bool MainWindowLogic::ChooseSimulator() {
  const SimulatorResolution all = ResolveSimulators(SimulatorSearch::kEverySimulator);
  std::vector<SimulatorCandidate> known;
  if (all.in_use) known.push_back(*all.in_use);
  known.insert(known.end(), all.others.begin(), all.others.end());

  std::string picked;
  if (known.size() > 1) {
    std::vector<std::string> items;
    for (const SimulatorCandidate& each : known) {
      const bool in_use = all.in_use && items.empty();
      items.push_back(ShowFolder(each.folder) + " (" + each.origin + ")" +
                      std::string(in_use ? texts::kInUseMark : ""));
    }
    items.emplace_back(texts::kAnotherFolder);
    const int index =
        window_.ChooseFromList(texts::kPickSimulatorTitle, texts::kPickSimulatorText, items);
    if (index < 0) return true;
    if (static_cast<std::size_t>(index) < known.size()) picked = known[index].folder;
  }
  if (picked.empty()) {
    const std::string start = simulator_found_ ? sim_folder_ : finder_.BrowseStart();
    picked = window_.ChooseFolder(kChooseFolderTitle, start);
    if (picked.empty()) return true;
  }

  const SimulatorCandidate candidate{picked, "", CheckSimulatorFolder(fs_, picked)};
  if (candidate.check != FolderCheck::kHoldsSimulator) {
    folder_note_ =
        PassedOverSentence(candidate, ShowFolder(picked)) + std::string(texts::kNothingChanged);
    ShowFolderLine();
    return false;
  }
  const Status saved = folder_memory_->Save(picked);
  chosen_now_ = picked;
  given_folder_.reset();  // the user's choice now comes first
  StartupScan(scan_options_);
  if (!saved.ok()) {
    folder_note_ = std::string(texts::kCannotRemember) + saved.cause() + ".";
    ShowFolderLine();
  }
  return saved.ok();
}

void MainWindowLogic::OfferElevatedRestart(const Family& family, bool click_succeeded) {
  if (elevation_ == nullptr) return;
  ElevationFacts facts;
  facts.click_failed = !click_succeeded;
  facts.refused_under_program_files =
      TellsOfRefusalUnderProgramFiles(window_.Caption(ControlsOf(family).status));
  facts.elevated = elevation_->IsElevated();
  facts.can_restart = elevation_->CanRestartElevated();
  if (!ShouldOfferElevatedRestart(facts)) return;
  if (!window_.AskYesNo(texts::kElevateTitle, texts::kElevateText)) return;
  const Status started = elevation_->RestartElevated({std::string(kSimFolderOption), sim_folder_});
  if (started.ok()) {
    window_.Close();
    return;
  }
  folder_note_ = std::string(texts::kNotElevated) + started.cause() + ".";
  ShowFolderLine();
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

MainWindowLogic::Decision MainWindowLogic::Decide(const Family& family, bool install,
                                                  SimFolderView& view) {
  Decision decision;
  decision.family = &family;
  decision.install = install;
  const FamilyControls& controls = ControlsOf(family);
  const std::string_view cannot = install ? texts::kCannotInstall : texts::kCannotRemove;

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
  decision.same_folder =
      decision.folders.panels == sim_folder_ && decision.folders.record == sim_folder_;
  FamilyInput input = decision.same_folder ? ReadFamilyInput(family, view, view)
                                           : ReadFamilyInput(family, panels, record);
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
  std::optional<ClickLook> look = LookForClick();
  if (!look.has_value()) {
    window_.SetCaption(controls.status, texts::kBusy);
    return false;
  }
  SimFolderView& view = *look->view;
  Decision decision = Decide(family, install, view);
  // The view knows what the click found; after the click it knows what the click wrote, unless
  // the click failed midway or wrote in other folders: then the files are looked at afresh.
  bool view_current = !decision.possible || decision.same_folder;
  bool succeeded = decision.possible;
  if (decision.possible) {
    StatusProgress progress(window_, family, install);
    ApplyOutcome outcome = ApplyPlan(fs_, decision.plan, &progress);
    if (outcome.ok) {
      ShowDone(decision);
    } else {
      view_current = false;
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
  if (scan_options_.one_click) return succeeded;
  if (succeeded) {
    for (const PlanStep& step : decision.plan.steps) {
      view.Changed(step.path, step.remove, step.bytes);
    }
  }
  std::optional<SimFolderView> fresh;
  SimFolderView& after = view_current ? view : fresh.emplace(fs_, sim_folder_);
  facts_[&family] = GatherFacts(family, facts_[&family].present, after);
  states_[&family] = DeriveState(family, facts_[&family]);
  return succeeded;
}

MainWindowLogic::ClickPreview MainWindowLogic::PreviewClick(ControlId button) {
  ClickPreview preview;
  for (const Family* family : AllFamilies()) {
    const FamilyControls& controls = ControlsOf(*family);
    if (button != controls.install && button != controls.remove) continue;
    std::optional<ClickLook> look = LookForClick();
    if (!look.has_value()) {
      preview.status = texts::kBusy;
      return preview;
    }
    Decision decision = Decide(*family, button == controls.install, *look->view);
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
  if (id == ControlId::kChooseFolder && folder_memory_ != nullptr) return ChooseSimulator();
  for (const Family* family : AllFamilies()) {
    const FamilyControls& controls = ControlsOf(*family);
    if (id != controls.install && id != controls.remove) continue;
    const bool succeeded = ClickFamily(*family, id == controls.install);
    OfferElevatedRestart(*family, succeeded);
    return succeeded;
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
