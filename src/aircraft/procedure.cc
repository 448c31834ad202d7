#include "aircraft/procedure.h"

#include <algorithm>
#include <functional>

#include "app/texts.h"
#include "platform/overlay_file_system.h"
#include "platform/profile.h"
#include "platform/sim_path.h"
#include "platform/undo_file_system.h"
#include "record/install_record.h"

namespace ql2 {
namespace {

// The words after a file's name that say what is wrong with it.
std::string FileProblem(const Status& status) {
  switch (status.kind()) {
    case ErrorKind::kNotFound:
      return "is missing";
    case ErrorKind::kReadOnly:
      return "is read-only";
    case ErrorKind::kInUse:
      return "is in use by another program";
    case ErrorKind::kNotAFile:
      return "is not a regular file";
    case ErrorKind::kBadContent:
      return status.cause();
    default:
      return "cannot be opened: " + status.cause();
  }
}

// Panel files are 8-bit text; one saved as UTF-16 (by an editor) would be corrupted by 8-bit
// edits, so it is left alone.
constexpr std::string_view kUtf16Problem =
    "is saved as UTF-16 text, which the simulator does not read; it was left as it is";

bool IsUtf16(std::string_view bytes) {
  return bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF";
}

// The folder part of a relative path, as a status line names it.
std::string DisplayFolder(std::string_view relative) {
  return DisplaySimPath(relative.substr(0, relative.find_last_of('\\')));
}

// The folders one click works in: the panel files' and the install record's. They are the same
// folder unless the registry changed while the program ran.
struct Folders {
  std::string panels;
  std::string record;
};

// Takes the simulator folder as the family's procedure always has: from the registry afresh for
// the families that re-read it, else from the folder read at start-up; the hidden labels carry it.
bool TakeFolders(const Family& family, ClickContext& context, bool removal, Folders* folders) {
  Window& window = context.window;
  ControlId panels_label = ControlId::kLabel3;
  if (family.rereads_registry) {
    Result<std::string> read = context.registry.ReadSimulatorFolder();
    if (!read.ok()) return false;
    context.registry_folder = read.value();
    // A removal keeps the fresh folder apart from the one the install record is found by.
    if (removal) panels_label = ControlId::kLabel2;
  }
  window.SetCaption(panels_label, context.registry_folder);
  folders->panels = window.Caption(panels_label);
  folders->record = window.Caption(ControlId::kLabel3);
  return !folders->panels.empty() && !folders->record.empty();
}

class Paths {
 public:
  Paths(FileSystem& fs, std::string folder) : fs_(fs), folder_(std::move(folder)) {}
  std::string operator()(std::string_view relative) const {
    return JoinSimPath(folder_, relative, fs_.Separator());
  }

 private:
  FileSystem& fs_;
  std::string folder_;
};

// Nothing when the file is missing or can be edited; otherwise what keeps it from being edited.
std::string CheckEditableIfPresent(FileSystem& fs, const std::string& path,
                                   std::string_view relative) {
  if (fs.Stat(path).kind == EntryKind::kNone) return {};
  Status editable = fs.CheckEditable(path);
  if (editable.ok()) return {};
  return DisplaySimPath(relative) + " " + FileProblem(editable);
}

// Whether a new file can be put in the file's folder: a replace writes its new bytes beside the
// old file first.
std::string CheckFolderWritable(FileSystem& fs, const std::string& file_path,
                                std::string_view relative) {
  Status folder = fs.CheckFolderWritable(ParentFolder(fs, file_path));
  if (folder.ok()) return {};
  const std::string name = "the folder " + DisplayFolder(relative);
  if (folder.kind() == ErrorKind::kNotFound) return name + " is missing";
  return name + " cannot be written: " + folder.cause();
}

// Whether the install record can be rewritten: its file, if it has one, and its folder (its new
// bytes are written beside it first).
std::string CheckRecordWritable(FileSystem& fs, const std::string& record_path) {
  std::string problem = CheckEditableIfPresent(fs, record_path, record::kRelativePath);
  if (!problem.empty()) return problem;
  return CheckFolderWritable(fs, record_path, record::kRelativePath);
}

// Everything an installation needs, checked before its first change.
std::string CheckInstall(FileSystem& fs, const Family& family, const std::vector<int>& file_set,
                         const Paths& path, const std::string& record_path) {
  for (int index : file_set) {
    const PanelFile& file = family.files[index];
    const std::string config = path(file.config);
    const std::string config_name = DisplaySimPath(file.config);
    Status editable = fs.CheckEditable(config);
    if (!editable.ok()) return config_name + " " + FileProblem(editable);
    std::string backup_problem = CheckEditableIfPresent(fs, path(file.backup), file.backup);
    if (!backup_problem.empty()) return backup_problem;
    std::string folder_problem = CheckFolderWritable(fs, config, file.config);
    if (!folder_problem.empty()) return folder_problem;

    Result<std::string> bytes = fs.ReadFile(config);
    if (!bytes.ok()) return config_name + " " + FileProblem(bytes.status());
    if (IsUtf16(bytes.value())) return config_name + " " + std::string(kUtf16Problem);
    if (index == 0) {  // the reference file decides the numbering
      Result<LineCount> windows = CountWindowTitleLinesIn(bytes.value());
      if (!windows.ok()) return config_name + " " + windows.status().cause();
      for (const GaugeSection& section : family.gauge_sections) {
        Result<LineCount> gauges =
            CountSectionGaugeLinesIn(bytes.value(), section.start_line, section.stop_line);
        if (!gauges.ok()) return config_name + " " + gauges.status().cause();
      }
    }
    for (int section : file.sections) {
      std::string_view name = family.gauge_sections[section].section_name;
      if (!profile::HasSection(bytes.value(), name)) {
        return config_name + " has no [" + std::string(name) + "] section";
      }
    }
  }
  return CheckRecordWritable(fs, record_path);
}

// Runs a click's file operations through an undo log; the first failure stops the rest, and
// Fail() puts back every file changed so far and says what happened.
class ClickSteps {
 public:
  explicit ClickSteps(FileSystem& fs) : undo_(fs) {}

  FileSystem& fs() { return undo_; }

  // Whether the step succeeded; a failure is remembered as "<action> <name> failed: <cause>".
  bool Check(const Status& status, std::string_view action, std::string_view relative) {
    if (status.ok()) return true;
    failure_ = std::string(action) + " " + DisplaySimPath(relative) + " failed: " + status.cause();
    return false;
  }

  // Undoes the click's changes and tells the user, on the family's status line.
  bool Fail(Window& window, ControlId status_line, std::string_view prefix) {
    Status undone = undo_.Undo();
    std::string text = std::string(prefix) + failure_ + ".";
    if (undone.ok()) {
      text += texts::kNothingChanged;
    } else {
      text += std::string(texts::kUndoFailed) + undone.message() + ".";
    }
    window.SetCaption(status_line, text);
    return false;
  }

 private:
  UndoFileSystem undo_;
  std::string failure_;
};

bool Contains(const std::vector<int>& values, int value) {
  return std::find(values.begin(), values.end(), value) != values.end();
}

void ShowProgress(Window& window, const Family& family, std::string_view text) {
  if (!text.empty()) window.SetCaption(family.controls.status, text);
}

}  // namespace

bool InstallFamily(const Family& family, ClickContext& context) {
  Window& window = context.window;
  const FamilyControls& controls = family.controls;
  auto refuse = [&](const std::string& why) {
    window.SetCaption(controls.status, std::string(texts::kCannotInstall) + why);
    return false;
  };

  Folders folders;
  if (!TakeFolders(family, context, false, &folders)) {
    return refuse(std::string(texts::kSimulatorNotFound));
  }
  const Paths path(context.fs, folders.panels);
  InstallRecord record(context.fs, folders.record);

  bool full = false;
  if (!family.full_folder.empty()) {
    Result<double> value = record.ReadNumber(family.record_section, record::kFullKey);
    if (!value.ok()) {
      return refuse(DisplaySimPath(record::kRelativePath) + " " + FileProblem(value.status()) +
                    ".");
    }
    full = value.value() == 1;
  }
  std::vector<int> file_set;
  for (int i = 0; i < static_cast<int>(family.files.size()); ++i) {
    if (!family.files[i].further_model || full) file_set.push_back(i);
  }

  std::string problem = CheckInstall(context.fs, family, file_set, path, record.path());
  if (!problem.empty()) return refuse(problem + ".");

  ClickSteps steps(context.fs);
  FileSystem& fs = steps.fs();
  auto fail = [&] { return steps.Fail(window, controls.status, texts::kCannotInstall); };

  ShowProgress(window, family, family.texts.backing_up);
  for (int index : family.backup_order) {
    if (!Contains(file_set, index)) continue;
    const PanelFile& file = family.files[index];
    if (!steps.Check(BackUpPanelConfig(fs, path(file.config), path(file.backup)), "backing up",
                     file.config)) {
      return fail();
    }
  }

  ShowProgress(window, family, family.texts.installing);
  // The edits are made on copies held in memory; each panel file is then replaced once, whole, so
  // that on disk it is either as it was or carries every edit of the click.
  OverlayFileSystem edits(fs);
  const PanelFile& reference = family.files[0];
  Result<LineCount> window_count = CountWindowTitleLines(edits, path(reference.config));
  if (!steps.Check(window_count.status(), "reading", reference.config)) return fail();

  std::vector<std::string> window_names;
  std::string appended;
  for (const GaugeWindow& gauge_window : family.windows) {
    window_names.push_back(FormWindowName(window_count.value() + gauge_window.number_offset));
    if (!appended.empty()) appended += panel::kLineEnd;
    appended += BuildGaugeWindowSection(window_names.back(), gauge_window.size_line,
                                        gauge_window.visible_line, gauge_window.ident_line,
                                        gauge_window.window_size_line, gauge_window.gauge_line);
  }

  for (int index : file_set) {
    const PanelFile& file = family.files[index];
    for (std::size_t w = 0; w < family.windows.size(); ++w) {
      if (!steps.Check(AddWindowTitleEntry(edits, path(file.config), window_names[w],
                                           family.windows[w].title),
                       "writing", file.config)) {
        return fail();
      }
    }
  }
  for (int index : file_set) {
    const PanelFile& file = family.files[index];
    if (!steps.Check(AppendGaugeWindowSection(edits, path(file.config), appended), "writing",
                     file.config)) {
      return fail();
    }
  }

  for (int s = 0; s < static_cast<int>(family.gauge_sections.size()); ++s) {
    const GaugeSection& section = family.gauge_sections[s];
    Result<LineCount> gauges = CountSectionGaugeLines(edits, path(reference.config),
                                                      section.start_line, section.stop_line);
    if (!steps.Check(gauges.status(), "reading", reference.config)) return fail();
    const std::string key = FormGaugeKey(gauges.value(), family.key_style);
    for (int index : file_set) {
      const PanelFile& file = family.files[index];
      if (!Contains(file.sections, s)) continue;
      if (!steps.Check(AddGaugeEntry(edits, path(file.config), section.section_name, key,
                                     family.gauge_value),
                       "writing", file.config)) {
        return fail();
      }
    }
  }

  for (int index : file_set) {
    const PanelFile& file = family.files[index];
    Result<std::string> edited = edits.ReadFile(path(file.config));
    if (!steps.Check(edited.status(), "reading", file.config)) return fail();
    if (!steps.Check(fs.ReplaceFile(path(file.config), edited.value()), "writing", file.config)) {
      return fail();
    }
  }

  // The record is written before the window says so, so that the window never shows an
  // installation the record does not hold.
  InstallRecord journaled_record(fs, folders.record);
  if (!steps.Check(WriteInstallFlag(journaled_record, family.record_section, record::kYes),
                   "writing", record::kRelativePath)) {
    return fail();
  }

  window.SetCaption(controls.status, family.texts.installed);
  window.Disable(controls.install);
  window.Enable(controls.remove);
  window.Show(controls.installed_icon);
  if (!family.keeps_not_installed_icon) window.Hide(controls.not_installed_icon);
  if (controls.edited_icon != ControlId::kNone) window.Hide(controls.edited_icon);
  return true;
}

bool RemoveFamily(const Family& family, ClickContext& context, RemoveMode mode) {
  Window& window = context.window;
  const FamilyControls& controls = family.controls;
  auto refuse = [&](const std::string& why) {
    window.SetCaption(controls.status, std::string(texts::kCannotRemove) + why);
    return false;
  };

  ShowProgress(window, family, family.texts.uninstalling);
  Folders folders;
  if (!TakeFolders(family, context, true, &folders)) {
    return refuse(std::string(texts::kSimulatorNotFound));
  }
  const Paths path(context.fs, folders.panels);
  FileSystem& real = context.fs;

  // Every file of the first model must have its backup. A further model's file is put back when
  // it has one, whatever the record says of that model now: it may have come or gone since the
  // installation, and no file may keep the gauge after a removal. Finishing an interrupted change
  // puts back whatever has a backup.
  std::vector<int> file_set;
  for (int i = 0; i < static_cast<int>(family.files.size()); ++i) {
    const PanelFile& file = family.files[i];
    const std::string backup = path(file.backup);
    bool optional = file.further_model || mode == RemoveMode::kFinishInterrupted;
    if (optional && real.Stat(backup).kind == EntryKind::kNone) continue;
    Status readable = real.CheckEditable(backup);
    if (!readable.ok())
      return refuse(DisplaySimPath(file.backup) + " " + FileProblem(readable) + ".");
    const std::string config = path(file.config);
    std::string config_problem = CheckEditableIfPresent(real, config, file.config);
    if (!config_problem.empty()) return refuse(config_problem + ".");
    std::string folder_problem = CheckFolderWritable(real, config, file.config);
    if (!folder_problem.empty()) return refuse(folder_problem + ".");
    file_set.push_back(i);
  }
  InstallRecord record(real, folders.record);
  std::string record_problem = CheckRecordWritable(real, record.path());
  if (!record_problem.empty()) return refuse(record_problem + ".");

  ClickSteps steps(real);
  FileSystem& fs = steps.fs();
  auto fail = [&] { return steps.Fail(window, controls.status, texts::kCannotRemove); };
  for (const std::vector<int>& group : family.restore_groups) {
    for (int index : group) {
      if (!Contains(file_set, index)) continue;
      const PanelFile& file = family.files[index];
      if (!steps.Check(fs.CopyFile(path(file.backup), path(file.config)), "restoring",
                       file.config)) {
        return fail();
      }
    }
    for (int index : group) {
      if (!Contains(file_set, index)) continue;
      const PanelFile& file = family.files[index];
      if (!steps.Check(fs.DeleteFile(path(file.backup)), "deleting", file.backup)) return fail();
    }
  }

  InstallRecord journaled_record(fs, folders.record);
  if (!steps.Check(WriteInstallFlag(journaled_record, family.record_section, record::kNo),
                   "writing", record::kRelativePath)) {
    return fail();
  }

  window.SetCaption(controls.status,
                    mode == RemoveMode::kNormal ? family.texts.removed : texts::kInterruptedUndone);
  window.Enable(controls.install);
  window.Disable(controls.remove);
  window.Hide(controls.installed_icon);
  return true;
}

bool BackupSurvey::AnyPresent() const {
  return std::find(exists.begin(), exists.end(), true) != exists.end();
}

bool BackupSurvey::AllRequiredPresent(const Family& family) const {
  for (std::size_t i = 0; i < exists.size(); ++i) {
    if (!family.files[i].further_model && !exists[i]) return false;
  }
  return true;
}

BackupSurvey SurveyBackups(FileSystem& fs, const Family& family, const std::string& sim_folder) {
  BackupSurvey survey;
  const Paths path(fs, sim_folder);
  std::hash<std::string> hash;
  for (const PanelFile& file : family.files) {
    // A folder of the backup's name is no backup (the installation's checks report it).
    const EntryKind kind = fs.Stat(path(file.backup)).kind;
    const bool exists = kind == EntryKind::kFile || kind == EntryKind::kOther;
    survey.exists.push_back(exists);
    std::size_t digest = exists ? 1 : 0;
    if (kind == EntryKind::kFile) {
      Result<std::string> bytes = fs.ReadFile(path(file.backup));
      digest = bytes.ok() ? hash(bytes.value()) : 2;
    }
    // Mixing in the position keeps two swapped backups from giving the same digest.
    survey.digest = survey.digest * 31 + digest;
  }
  return survey;
}

}  // namespace ql2
