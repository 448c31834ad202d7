#include "app/main_window.h"

#include "aircraft/procedure.h"
#include "app/texts.h"
#include "panelcfg/panel_config.h"
#include "platform/sim_path.h"
#include "record/install_record.h"

namespace ql2 {

MainWindowLogic::MainWindowLogic(Window& window, FileSystem& fs, Registry& registry, Shell& shell)
    : window_(window), fs_(fs), registry_(registry), shell_(shell) {}

void MainWindowLogic::StartupScan(const ScanOptions& options) {
  states_.clear();
  scan_options_ = options;
  Result<std::string> folder = registry_.ReadSimulatorFolder();
  simulator_found_ = folder.ok();
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
    return;
  }
  registry_folder_ = folder.value();
  for (const Family* family : AllFamilies()) {
    window_.SetCaption(family->controls.status, texts::kNotInstalled);
  }
  window_.SetCaption(ControlId::kLabel3, registry_folder_);
  const std::string sim_folder = window_.Caption(ControlId::kLabel3);
  auto path = [&](std::string_view relative) {
    return JoinSimPath(sim_folder, relative, fs_.Separator());
  };
  InstallRecord record(fs_, sim_folder);

  std::map<const Family*, bool> present;
  for (const Family* family : AllFamilies()) {
    const FamilyControls& controls = family->controls;
    if (!family->full_folder.empty()) {
      // A record that cannot be written is reported by the click that needs it.
      record.Write(family->record_section, record::kFullKey,
                   PathExists(fs_, path(family->full_folder)) ? record::kYes : record::kNo);
    }
    bool found = PathExists(fs_, path(family->presence_folder));
    present[family] = found;
    if (found) {
      window_.Show(controls.install);
      window_.Show(controls.remove);
    } else {
      window_.Hide(controls.install);
      window_.Hide(controls.remove);
      window_.SetCaption(controls.status, family->texts.absent);
    }
    states_[family] = found ? FamilyDisplayState::kNotInstalled : FamilyDisplayState::kAbsent;
  }

  if (options.ask_first_run) {
    Result<double> first_time = record.ReadNumber(record::kOptionsSection, record::kFirstTimeKey);
    if (first_time.ok() && first_time.value() == 1) {
      bool yes = window_.AskYesNo(texts::kFirstRunTitle, texts::kFirstRunText);
      record.Write(record::kOptionsSection, record::kFirstTimeKey, record::kNo);
      // A manual that cannot be opened does not stop the program.
      if (yes) shell_.OpenDocument(path(package::kManual));
    }
  }

  for (const Family* family : {&CheyenneFamily(), &PmdgFamily(), &PicFamily()}) {
    double value = 0;
    if (ReadInstalled(*family, present[family], &value)) {
      ApplyInstalledRecord(*family, value, present[family]);
    }
  }

  marker_found_ = PlainFileExists(fs_, path(package::kInstallerMarker));
  if (!marker_found_) {
    for (const Family* family : AllFamilies()) window_.Hide(family->controls.install);
  }

  if (present[&AtrFamily()]) ScanAtr(sim_folder);
  OfferFolderChoice();
}

void MainWindowLogic::OfferFolderChoice() {
  bool any_present = false;
  for (const auto& state : states_) any_present |= state.second != FamilyDisplayState::kAbsent;
  // A folder that holds none of the aircraft may be the wrong one: the user may choose again.
  if (folder_memory_ != nullptr && !any_present) {
    window_.Show(ControlId::kChooseFolder);
  } else {
    window_.Hide(ControlId::kChooseFolder);
  }
}

bool MainWindowLogic::ReadInstalled(const Family& family, bool present, double* value) {
  InstallRecord record(fs_, window_.Caption(ControlId::kLabel3));
  Result<double> read = record.ReadNumber(family.record_section, record::kInstalledKey);
  if (read.ok()) {
    *value = read.value();
    return true;
  }
  // An absent family stays shown as absent: there is nothing to act on.
  if (!present) return false;
  window_.SetCaption(family.controls.status, std::string(texts::kCannotRead) +
                                                 DisplaySimPath(record::kRelativePath) + ": " +
                                                 read.status().cause() + ".");
  window_.Disable(family.controls.install);
  window_.Disable(family.controls.remove);
  states_[&family] = FamilyDisplayState::kError;
  return false;
}

void MainWindowLogic::ApplyInstalledRecord(const Family& family, double value, bool present) {
  const FamilyControls& controls = family.controls;
  if (value == 0) {
    window_.Enable(controls.install);
    window_.Disable(controls.remove);
    if (present) {
      window_.Show(controls.not_installed_icon);
    } else {
      window_.Hide(controls.not_installed_icon);
    }
    states_[&family] = present ? FamilyDisplayState::kNotInstalled : FamilyDisplayState::kAbsent;
  } else {
    // An installed family shows so even when its folder has gone; its buttons stay hidden then.
    window_.Disable(controls.install);
    window_.Enable(controls.remove);
    window_.SetCaption(controls.status, texts::kInstalled);
    window_.Show(controls.installed_icon);
    states_[&family] = FamilyDisplayState::kInstalled;
  }
}

void MainWindowLogic::ScanAtr(const std::string& sim_folder) {
  const Family& atr = AtrFamily();
  const FamilyControls& controls = atr.controls;
  double value = 0;
  if (!ReadInstalled(atr, true, &value)) return;

  const std::string_view panel_file = atr.files[0].config;
  Result<std::string> bytes = fs_.ReadFile(JoinSimPath(sim_folder, panel_file, fs_.Separator()));
  if (!bytes.ok() && value != 0) {
    // Installed, but the panel file cannot be looked at: say so rather than guess.
    window_.SetCaption(controls.status, std::string(texts::kCannotRead) +
                                            DisplaySimPath(panel_file) + ": " +
                                            bytes.status().cause() + ".");
    window_.Disable(controls.install);
    window_.Disable(controls.remove);
    states_[&atr] = FamilyDisplayState::kError;
    return;
  }
  bool title_found = bytes.ok() && HasGaugeTitleLine(bytes.value());

  ApplyInstalledRecord(atr, value, true);
  if (value == 1 && !title_found) {
    window_.SetCaption(controls.status, texts::kEdited);
    window_.Enable(controls.install);
    window_.Disable(controls.remove);
    window_.SetCaption(controls.install, texts::kRepairCaption);
    window_.Show(controls.edited_icon);
    window_.Hide(controls.installed_icon);
    states_[&atr] = FamilyDisplayState::kEdited;
  }
}

bool MainWindowLogic::Click(ControlId id) {
  if (id == ControlId::kClose) {
    window_.Close();
    return true;
  }
  if (id == ControlId::kChooseFolder && folder_memory_ != nullptr) {
    std::string folder = window_.ChooseFolder(kChooseFolderTitle);
    if (folder.empty()) return true;
    Status saved = folder_memory_->Save(folder);
    StartupScan(scan_options_);
    return saved.ok();
  }
  if (id == ControlId::kPictureAbout) {
    window_.ShowAboutModally();
    return true;
  }
  for (const Family* family : AllFamilies()) {
    ClickContext context{window_, fs_, registry_, registry_folder_};
    if (id == family->controls.install) return InstallFamily(*family, context);
    if (id == family->controls.remove) return RemoveFamily(*family, context);
  }
  return true;
}

FamilyDisplayState MainWindowLogic::StateOf(const Family& family) const {
  auto it = states_.find(&family);
  return it == states_.end() ? FamilyDisplayState::kAbsent : it->second;
}

}  // namespace ql2
