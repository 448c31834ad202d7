#include "aircraft/family_survey.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <tuple>

#include "aircraft/plan.h"

namespace ql2 {

bool FamilySurvey::AnyOwnBackup() const {
  return std::find(backup_own.begin(), backup_own.end(), true) != backup_own.end();
}

bool FamilySurvey::AllRequiredBackups(const Family& family) const {
  for (std::size_t i = 0; i < backup_exists.size(); ++i) {
    if (!family.files[i].further_model && !backup_exists[i]) return false;
  }
  return true;
}

bool FamilySurvey::operator==(const FamilySurvey& other) const {
  return std::tie(backup_exists, backup_own, backup_digest, reference_error, reference_error_kind,
                  title_found, reference_restored, reference_stripped) ==
         std::tie(other.backup_exists, other.backup_own, other.backup_digest, other.reference_error,
                  other.reference_error_kind, other.title_found, other.reference_restored,
                  other.reference_stripped);
}

namespace {

// A digest of what a look at a file tells of it: another copy of the program that wrote or
// deleted it since changes it, and the file need not be read for that.
std::size_t DigestOf(const EntryInfo& info) {
  std::size_t digest = std::hash<std::uint64_t>()(info.size);
  digest = digest * 31 + std::hash<std::int64_t>()(info.modified);
  return digest * 31 + std::hash<std::uint64_t>()(info.identity);
}

}  // namespace

FamilySurvey SurveyFamily(const Family& family, SimFolderView& view, bool installed) {
  FamilySurvey survey;
  for (const PanelFile& file : family.files) {
    // A folder of the backup's name is no backup (the installation's checks report it).
    const EntryKind kind = view.Kind(file.backup);
    const bool exists = kind == EntryKind::kFile || kind == EntryKind::kOther;
    survey.backup_exists.push_back(exists);
    std::size_t digest = exists ? 1 : 0;
    if (kind == EntryKind::kFile) digest = DigestOf(view.Info(file.backup));
    // Mixing in the position keeps two swapped backups from giving the same digest.
    survey.backup_digest = survey.backup_digest * 31 + digest;
    bool own = false;
    if (!installed && kind == EntryKind::kFile) {
      own = IsOwnBackup(family, view.Content(file.config), view.Content(file.backup));
    }
    survey.backup_own.push_back(own);
  }
  if (!installed) return survey;

  const PanelFile& reference = family.files[0];
  const FileContent& content = view.Content(reference.config);
  if (!content.readable()) {
    // Installed, but the reference file cannot be looked at: say so rather than guess.
    survey.reference_error_kind = ErrorKind::kNotAFile;
    if (!content.exists()) survey.reference_error_kind = ErrorKind::kNotFound;
    if (!content.error.ok()) survey.reference_error_kind = content.error.kind();
    const std::string cause =
        content.error.ok() ? DescribeErrorKind(survey.reference_error_kind) : content.error.cause();
    survey.reference_error =
        "Cannot read " + view.DisplayName(reference.config) + ": " + cause + ".";
    return survey;
  }
  survey.title_found = HasGaugeTitleLine(content.bytes);
  if (view.Kind(reference.backup) != EntryKind::kFile) return survey;
  // The backup is read only when it may be the file itself (its size is the file's) or a kept
  // copy may hold it (the first name of one is taken).
  const bool may_be_restored = view.Info(reference.backup).size == content.bytes.size();
  const bool may_be_kept =
      view.Kind(std::string(reference.config) + std::string(kKeptCopySuffix)) != EntryKind::kNone;
  if (!may_be_restored && !may_be_kept) return survey;
  const FileContent& backup = view.Content(reference.backup);
  survey.reference_restored = backup.readable() && backup.bytes == content.bytes;
  survey.reference_stripped = !survey.reference_restored && backup.readable() && may_be_kept &&
                              HasKeptCopy(view, reference.config, backup.bytes);
  return survey;
}

}  // namespace ql2
