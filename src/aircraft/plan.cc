#include "aircraft/plan.h"

#include <algorithm>

#include "panelcfg/free_numbers.h"
#include "panelcfg/panel_edit.h"
#include "platform/profile.h"
#include "platform/sim_path.h"
#include "record/install_record.h"

namespace ql2 {
namespace {

// Panel files are 8-bit text; one saved as UTF-16 (by an editor) would be corrupted by 8-bit
// edits, so it is left alone.
constexpr std::string_view kUtf16Problem =
    "is saved as UTF-16 text, which the simulator does not read; it was left as it is";

bool IsUtf16(std::string_view bytes) {
  return bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF";
}

// Why a file cannot be read, naming it; ok when it can (or is absent and may be).
Status ReadRefusal(const FileContent& content, bool must_exist, const std::string& name) {
  if (!content.exists()) {
    return must_exist ? Refusal(ErrorKind::kNotFound, name + " is missing") : Status::Ok();
  }
  if (content.kind != EntryKind::kFile) {
    return Refusal(ErrorKind::kNotAFile, name + " is not a regular file");
  }
  if (!content.error.ok())
    return Refusal(content.error.kind(), name + " " + FileProblem(content.error));
  return Status::Ok();
}

std::string KeptName(std::string_view relative, int number) {
  std::string name(relative);
  name += kKeptCopySuffix;
  if (number > 1) name += "-" + std::to_string(number);
  return name;
}

// A name for a kept copy of `relative` holding `bytes`: one that nothing stands at yet, or one
// that holds those bytes already (*there is then true).
std::string KeptCopyName(SimFolderView& view, std::string_view relative, std::string_view bytes,
                         bool* there) {
  for (int number = 1;; ++number) {
    std::string name = KeptName(relative, number);
    const EntryKind kind = view.Kind(name);
    *there = kind == EntryKind::kFile && view.Content(name).readable() &&
             view.Content(name).bytes == bytes;
    if (kind == EntryKind::kNone || *there) return name;
  }
}

bool IsFurtherModelHandled(const Family& family, const FamilyInput& input) {
  return !family.full_folder.empty() &&
         RecordNumber(input.record, family.record_section, record::kFullKey) == 1;
}

// The numbers the reference file gives: its window count and, for each gauge section, its gauge
// count once the gauge windows are in it.
struct Numbering {
  int windows = 0;
  std::vector<int> gauges;
};

// The names of the family's gauge windows in one file: each the first number free there, from
// the reference file's count plus the window's offset, and each above the one before.
std::vector<std::string> FreshWindowNames(const Family& family, std::string_view bytes,
                                          int window_count) {
  std::vector<std::string> names;
  int previous = -1;
  for (const GaugeWindow& window : family.windows) {
    const int number =
        FreeWindowNumber(bytes, std::max(window_count + window.number_offset, previous + 1));
    names.push_back(FormWindowName(number));
    previous = number;
  }
  return names;
}

std::string GaugeWindowText(const Family& family, const std::vector<std::string>& names,
                            const std::vector<bool>& wanted) {
  std::string text;
  for (std::size_t w = 0; w < family.windows.size(); ++w) {
    if (!wanted[w]) continue;
    const GaugeWindow& window = family.windows[w];
    if (!text.empty()) text += panel::kLineEnd;
    text += BuildGaugeWindowSection(names[w], window.size_line, window.visible_line,
                                    window.ident_line, window.window_size_line, window.gauge_line);
  }
  return text;
}

// Adds the title entries (keys `titles`) and appends the windows (names `windows`) that are
// wanted.
void AddWindows(const Family& family, PanelEdit* edit, const std::vector<std::string>& titles,
                const std::vector<bool>& add_title, const std::vector<std::string>& windows,
                const std::vector<bool>& add_window) {
  for (std::size_t w = 0; w < family.windows.size(); ++w) {
    if (add_title[w]) edit->AddWindowTitleEntry(titles[w], family.windows[w].title);
  }
  std::string appended = GaugeWindowText(family, windows, add_window);
  if (!appended.empty()) edit->AppendGaugeWindowSection(appended);
}

// Adds a gauge entry to each of the file's gauge sections that is wanted, keyed after the
// reference file's count or the first key free in that section after it.
void AddEntries(const Family& family, const PanelFile& file, PanelEdit* edit,
                const Numbering& numbering, const std::vector<bool>& wanted) {
  for (int s : file.sections) {
    if (!wanted[s]) continue;
    edit->AddGaugeEntry(family.gauge_sections[s].section_name, numbering.gauges[s],
                        family.key_style, family.gauge_value);
  }
}

// The whole installation into one file.
SplicedBytes FreshEdit(const Family& family, const PanelFile& file, const SharedBytes& bytes,
                       const Numbering& numbering) {
  const std::vector<std::string> names = FreshWindowNames(family, bytes, numbering.windows);
  const std::vector<bool> all_windows(family.windows.size(), true);
  PanelEdit edit(bytes);
  AddWindows(family, &edit, names, all_windows, names, all_windows);
  AddEntries(family, file, &edit, numbering, std::vector<bool>(family.gauge_sections.size(), true));
  return std::move(edit).Result();
}

// Counts as the installation takes them from the reference file: its windows, and the gauge
// lines of each gauge section. The installation counts the gauges once its title entries and
// gauge windows are in the file, which changes none of these counts: a title line is no gauge
// line and no section's first or last line, and the windows go after the end of every counted
// section, which the file must hold as it is.
Result<Numbering> CountReference(const Family& family, std::string_view reference) {
  Numbering numbering;
  Result<LineCount> windows = CountWindowTitleLines(reference);
  if (!windows.ok()) return windows.status();
  numbering.windows = windows.value();
  for (const GaugeSection& section : family.gauge_sections) {
    Result<LineCount> gauges =
        CountSectionGaugeLines(reference, section.start_line, section.stop_line);
    if (!gauges.ok()) return gauges.status();
    numbering.gauges.push_back(gauges.value());
  }
  return numbering;
}

// What of the installation a file still carries beyond its backup.
struct Carried {
  std::vector<const Mark*> titles;   // per gauge window; null: missing
  std::vector<const Mark*> windows;  // per gauge window
  std::vector<bool> entries;         // per gauge section
  bool any = false;
  bool all = true;
};

Carried WhatIsCarried(const Family& family, const PanelFile& file, const std::vector<Mark>& marks) {
  Carried carried;
  carried.titles.assign(family.windows.size(), nullptr);
  carried.windows.assign(family.windows.size(), nullptr);
  carried.entries.assign(family.gauge_sections.size(), false);
  for (const Mark& mark : marks) {
    carried.any = true;
    switch (mark.kind) {
      case MarkKind::kTitle:
        if (!carried.titles[mark.index]) carried.titles[mark.index] = &mark;
        break;
      case MarkKind::kWindow:
        if (!carried.windows[mark.index]) carried.windows[mark.index] = &mark;
        break;
      case MarkKind::kEntry:
        carried.entries[mark.index] = true;
        break;
    }
  }
  for (std::size_t w = 0; w < family.windows.size(); ++w) {
    if (!carried.titles[w] || !carried.windows[w]) carried.all = false;
  }
  for (int s : file.sections) {
    if (!carried.entries[s]) carried.all = false;
  }
  return carried;
}

// Puts back what a file lost of the installation and nothing it still has. A title whose window
// is there names that window, a window whose title is there takes the title's name; a pair with
// neither is numbered afresh.
SplicedBytes RepairEdit(const Family& family, const PanelFile& file, const SharedBytes& bytes,
                        const Carried& carried, const Numbering& numbering) {
  const std::size_t count = family.windows.size();
  std::vector<std::string> titles(count), windows(count);
  std::vector<bool> add_title(count, false), add_window(count, false);
  std::vector<bool> fresh(count, false);
  for (std::size_t w = 0; w < count; ++w) {
    const Mark* title = carried.titles[w];
    const Mark* window = carried.windows[w];
    if (title && window) continue;
    if (title && !profile::HasSection(bytes, title->name)) {
      windows[w] = title->name;
      add_window[w] = true;
    } else if (window && !profile::HasKey(bytes, panel::kWindowTitlesSection, window->name)) {
      titles[w] = window->name;
      add_title[w] = true;
    } else {
      fresh[w] = add_title[w] = add_window[w] = true;
    }
  }
  int previous = -1;
  for (std::size_t w = 0; w < count; ++w) {
    if (!fresh[w]) continue;
    const int number = FreeWindowNumber(
        bytes, std::max(numbering.windows + family.windows[w].number_offset, previous + 1));
    titles[w] = windows[w] = FormWindowName(number);
    previous = number;
  }
  PanelEdit edit(bytes);
  AddWindows(family, &edit, titles, add_title, windows, add_window);
  std::vector<bool> missing_entries(carried.entries.size());
  for (std::size_t s = 0; s < missing_entries.size(); ++s) missing_entries[s] = !carried.entries[s];
  AddEntries(family, file, &edit, numbering, missing_entries);
  return std::move(edit).Result();
}

// Builds the steps of one click, grouped the way they are made.
class StepList {
 public:
  StepList(const Family& family, const FamilyInput& input) : family_(family), input_(input) {}

  void Write(std::vector<PlanStep>* into, StepRole role, std::string_view relative,
             SplicedBytes bytes, const FileContent& now) {
    into->push_back({role, false, Path(relative, role), input_.Display(relative), std::move(bytes),
                     Before(now)});
  }
  void Delete(std::vector<PlanStep>* into, StepRole role, std::string_view relative,
              const FileContent& now) {
    into->push_back(
        {role, true, Path(relative, role), input_.Display(relative), SharedBytes(), Before(now)});
  }
  // Keeps `content` under `kept_name` (unless it is there already) and tells why.
  void Keep(std::vector<PlanStep>* into, std::vector<KeptCopy>* kept, KeptCopy::Reason reason,
            std::string_view file, const std::string& kept_name, bool there,
            const FileContent& content) {
    if (!there) Write(into, StepRole::kKeptCopy, kept_name, content.bytes, FileContent());
    kept->push_back({reason, input_.Display(file), input_.Display(kept_name)});
  }
  // The record step that sets the family's "Installed" key, when it changes the record.
  void Record(std::vector<PlanStep>* into, std::string_view value) {
    std::string bytes = WriteInstallFlag(input_.record.bytes, family_.record_section, value);
    if (input_.record.exists() && bytes == input_.record.bytes) return;
    Write(into, StepRole::kRecord, record::kRelativePath, SharedBytes(std::move(bytes)),
          input_.record);
  }

 private:
  static std::optional<SharedBytes> Before(const FileContent& now) {
    if (!now.exists()) return std::nullopt;
    return now.bytes;
  }
  std::string Path(std::string_view relative, StepRole role) const {
    return JoinSimPath(role == StepRole::kRecord ? input_.record_folder : input_.panels_folder,
                       relative, input_.separator);
  }

  const Family& family_;
  const FamilyInput& input_;
};

// The record must be readable before a click can write its new bytes.
Status CheckRecord(const FamilyInput& input) {
  return ReadRefusal(input.record, false, input.Display(record::kRelativePath));
}

}  // namespace

Status Refusal(ErrorKind kind, const std::string& why) {
  return Status::Fail(kind, why, why);
}

std::string FamilyInput::Display(std::string_view relative) const {
  auto it = display_names.find(relative);
  return it != display_names.end() ? it->second : DisplaySimPath(relative, '/');
}

bool HasKeptCopy(SimFolderView& view, std::string_view relative, std::string_view bytes) {
  bool there = false;
  KeptCopyName(view, relative, bytes, &there);
  return there;
}

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
    default:
      return "cannot be opened: " + status.cause();
  }
}

double RecordNumber(const FileContent& record, std::string_view section, std::string_view key) {
  if (!record.readable()) return 0;
  return profile::ParseNumber(
      profile::ReadString(record.bytes, section, key, "", record::kValueBufferSize));
}

FamilyInput ReadFamilyInput(const Family& family, SimFolderView& panels, SimFolderView& record) {
  FamilyInput input;
  input.panels_folder = panels.sim_folder();
  input.record_folder = record.sim_folder();
  input.separator = panels.fs().Separator();
  input.record = record.Content(record::kRelativePath);
  // A record found in another folder than the panel files is named whole.
  input.display_names.emplace(record::kRelativePath,
                              record.sim_folder() == panels.sim_folder()
                                  ? record.DisplayName(record::kRelativePath)
                                  : record.fs().PathOnDisk(record.Path(record::kRelativePath)));
  for (const PanelFile& file : family.files) {
    PanelFileInput one;
    one.config = panels.Content(file.config);
    one.backup = panels.Content(file.backup);
    if (one.backup.readable()) {
      one.kept_config_name =
          KeptCopyName(panels, file.config, one.backup.bytes, &one.kept_config_there);
      one.kept_backup_name =
          KeptCopyName(panels, file.backup, one.backup.bytes, &one.kept_backup_there);
    }
    for (std::string_view relative :
         {file.config, file.backup, std::string_view(one.kept_config_name),
          std::string_view(one.kept_backup_name)}) {
      if (!relative.empty()) input.display_names.emplace(relative, panels.DisplayName(relative));
    }
    input.files.push_back(std::move(one));
  }
  return input;
}

bool IsOwnBackup(const Family& family, const FileContent& config, const FileContent& backup) {
  if (!backup.readable() || !config.readable()) return false;
  if (config.bytes == backup.bytes) return true;
  return !AddedMarks(config.bytes, backup.bytes.view(), MarksOf(family)).empty();
}

Result<Plan> PlanInstall(const Family& family, const FamilyInput& input, InstallKind kind) {
  Status record = CheckRecord(input);
  if (!record.ok()) return record;
  const bool further = IsFurtherModelHandled(family, input);
  std::vector<bool> handled(family.files.size(), false);
  for (std::size_t i = 0; i < family.files.size(); ++i) {
    const PanelFile& file = family.files[i];
    const PanelFileInput& in = input.files[i];
    handled[i] = !file.further_model || further;
    if (!handled[i]) continue;
    const std::string name = input.Display(file.config);
    Status refusal = ReadRefusal(in.config, true, name);
    if (refusal.ok() && IsUtf16(in.config.bytes)) {
      refusal = Refusal(ErrorKind::kBadContent, name + " " + std::string(kUtf16Problem));
    }
    if (refusal.ok()) refusal = ReadRefusal(in.backup, false, input.Display(file.backup));
    if (!refusal.ok()) return refusal;
  }
  Result<Numbering> numbering = CountReference(family, input.files[0].config.bytes);
  if (!numbering.ok()) {
    return Refusal(numbering.status().kind(),
                   input.Display(family.files[0].config) + " " + numbering.status().cause());
  }
  for (std::size_t i = 0; i < family.files.size(); ++i) {
    if (!handled[i]) continue;
    for (int s : family.files[i].sections) {
      std::string_view section = family.gauge_sections[s].section_name;
      if (!profile::HasSection(input.files[i].config.bytes, section)) {
        return Refusal(ErrorKind::kBadContent, input.Display(family.files[i].config) + " has no [" +
                                                   std::string(section) + "] section");
      }
    }
  }

  const InstallationMarks marks = MarksOf(family);
  StepList list(family, input);
  Plan plan;
  std::vector<std::vector<PlanStep>> backups(family.files.size());
  std::vector<PlanStep> edits;
  for (std::size_t i = 0; i < family.files.size(); ++i) {
    if (!handled[i]) continue;
    const PanelFile& file = family.files[i];
    const PanelFileInput& in = input.files[i];
    const SharedBytes& bytes = in.config.bytes;
    const bool has_backup = in.backup.exists();
    const bool backup_differs = has_backup && in.backup.bytes != bytes;
    SplicedBytes edited;
    if (kind == InstallKind::kFresh) {
      // A file of the backup's name with other bytes is not this program's (the gauge is not
      // installed): it is kept, not overwritten.
      if (backup_differs) {
        list.Keep(&backups[i], &plan.kept, KeptCopy::Reason::kNotMadeByProgram, file.backup,
                  in.kept_backup_name, in.kept_backup_there, in.backup);
      }
      if (!has_backup || backup_differs) {
        list.Write(&backups[i], StepRole::kBackup, file.backup, bytes, in.backup);
      }
      edited = FreshEdit(family, file, bytes, numbering.value());
    } else {
      const std::vector<Mark> found = AddedMarks(
          bytes, has_backup ? std::optional<std::string_view>(in.backup.bytes) : std::nullopt,
          marks);
      const Carried carried = WhatIsCarried(family, file, found);
      if (carried.all) continue;
      if (carried.any) {
        // The backup from before the installation stays; without one, the file less the
        // installation's entries is the best copy there is.
        if (!has_backup) {
          list.Write(&backups[i], StepRole::kBackup, file.backup,
                     SharedBytes(RemoveMarks(bytes, found)), in.backup);
        }
        edited = RepairEdit(family, file, bytes, carried, numbering.value());
      } else {
        // Nothing of the installation is left (the add-on was reinstalled): the file is backed
        // up afresh, and a backup from before the first installation is kept beside it.
        if (backup_differs) {
          list.Keep(&backups[i], &plan.kept, KeptCopy::Reason::kBeforeFirstInstall, file.config,
                    in.kept_config_name, in.kept_config_there, in.backup);
        }
        if (!has_backup || backup_differs) {
          list.Write(&backups[i], StepRole::kBackup, file.backup, bytes, in.backup);
        }
        edited = FreshEdit(family, file, bytes, numbering.value());
      }
    }
    if (!edited.Equals(bytes)) {
      list.Write(&edits, StepRole::kPanel, file.config, std::move(edited), in.config);
    }
  }
  for (int index : family.backup_order) {
    for (PlanStep& step : backups[index]) plan.steps.push_back(std::move(step));
  }
  for (PlanStep& step : edits) plan.steps.push_back(std::move(step));
  list.Record(&plan.steps, record::kYes);
  return plan;
}

Result<Plan> PlanRemove(const Family& family, const FamilyInput& input) {
  Status record = CheckRecord(input);
  if (!record.ok()) return record;
  const bool installed =
      RecordNumber(input.record, family.record_section, record::kInstalledKey) != 0;
  const bool further = IsFurtherModelHandled(family, input);
  const InstallationMarks marks = MarksOf(family);

  // What the installation made of the backups, to tell a file it left untouched since. The
  // numbering comes from the reference file as it was: its backup, or the file itself once a
  // removal that did not finish has put it back. Counted only when a file needs it.
  const PanelFileInput& reference = input.files[0];
  std::optional<Result<Numbering>> counted;
  auto numbering = [&]() -> const Result<Numbering>& {
    if (counted) return *counted;
    counted = Status::Fail(ErrorKind::kNotFound, "", "");
    if (reference.backup.readable()) {
      counted = CountReference(family, reference.backup.bytes);
    } else if (reference.config.readable() && FindMarks(reference.config.bytes, marks).empty()) {
      counted = CountReference(family, reference.config.bytes);
    }
    return *counted;
  };

  StepList list(family, input);
  Plan plan;
  struct FileSteps {
    std::vector<PlanStep> kept, restore, cleanup;
  };
  std::vector<FileSteps> steps(family.files.size());
  for (std::size_t i = 0; i < family.files.size(); ++i) {
    const PanelFile& file = family.files[i];
    const PanelFileInput& in = input.files[i];
    // A further model's file is put back whenever it has a backup, whatever the record says of
    // that model now: it may have come or gone since the installation. An installation that did
    // not finish is undone only where this program made the backup.
    const bool handled = installed ? (!file.further_model || further || in.backup.exists())
                                   : IsOwnBackup(family, in.config, in.backup);
    if (!handled) continue;
    Status refusal = ReadRefusal(in.config, false, input.Display(file.config));
    if (refusal.ok()) refusal = ReadRefusal(in.backup, false, input.Display(file.backup));
    if (!refusal.ok()) return refusal;

    FileSteps& out = steps[i];
    const bool has_backup = in.backup.exists();
    if (!in.config.exists()) {
      if (has_backup) {
        list.Write(&out.restore, StepRole::kPanel, file.config, in.backup.bytes, in.config);
        list.Delete(&out.cleanup, StepRole::kBackup, file.backup, in.backup);
      }
      continue;
    }
    const SharedBytes& bytes = in.config.bytes;
    if (has_backup && bytes == in.backup.bytes) {  // already put back
      list.Delete(&out.cleanup, StepRole::kBackup, file.backup, in.backup);
      continue;
    }
    const std::optional<std::string_view> backup =
        has_backup ? std::optional<std::string_view>(in.backup.bytes) : std::nullopt;
    const std::vector<ByteRange> installation = InstallationRanges(bytes, backup, marks);
    // Exactly what the installation left, or a file that is its backup once the installation is
    // taken out: the backup goes back byte for byte. The second is looked at first, as it needs
    // no copy of the file.
    if (has_backup &&
        (SameWithoutRanges(bytes, installation, *backup) ||
         (numbering().ok() &&
          FreshEdit(family, file, in.backup.bytes, numbering().value()).Equals(bytes)))) {
      list.Write(&out.restore, StepRole::kPanel, file.config, in.backup.bytes, in.config);
      list.Delete(&out.cleanup, StepRole::kBackup, file.backup, in.backup);
      continue;
    }
    // Changed since: only the installation's entries come out, and the backup is kept beside it
    // unless the result is the backup itself.
    std::vector<Splice> cuts = RangeCuts(installation);
    if (!cuts.empty()) {
      list.Write(&out.restore, StepRole::kPanel, file.config, SplicedBytes(bytes, std::move(cuts)),
                 in.config);
    }
    if (!has_backup) continue;
    list.Keep(&out.kept, &plan.kept, KeptCopy::Reason::kChangedSinceInstall, file.config,
              in.kept_config_name, in.kept_config_there, in.backup);
    list.Delete(&out.cleanup, StepRole::kBackup, file.backup, in.backup);
  }
  for (const std::vector<int>& group : family.restore_groups) {
    for (int index : group) {
      for (PlanStep& step : steps[index].kept) plan.steps.push_back(std::move(step));
    }
    for (int index : group) {
      for (PlanStep& step : steps[index].restore) plan.steps.push_back(std::move(step));
    }
    for (int index : group) {
      for (PlanStep& step : steps[index].cleanup) plan.steps.push_back(std::move(step));
    }
  }
  list.Record(&plan.steps, record::kNo);
  return plan;
}

}  // namespace ql2
