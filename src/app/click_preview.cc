#include "app/click_preview.h"

#include "app/dry_run_report.h"
#include "app/texts.h"

namespace ql2 {
namespace {

constexpr std::string_view kButton = "{button}";

std::string_view Words(ChangeAction action) {
  switch (action) {
    case ChangeAction::kKeepCopy:
      return texts::kPreviewKeepCopy;
    case ChangeAction::kCreateBackup:
      return texts::kPreviewCreateBackup;
    case ChangeAction::kReplaceBackup:
      return texts::kPreviewReplaceBackup;
    case ChangeAction::kDeleteBackup:
      return texts::kPreviewDeleteBackup;
    case ChangeAction::kEdit:
      return texts::kPreviewEdit;
    case ChangeAction::kRestore:
      return texts::kPreviewRestore;
    case ChangeAction::kCreate:
      return texts::kPreviewCreate;
    case ChangeAction::kDelete:
      break;
  }
  return texts::kPreviewDelete;
}

}  // namespace

PreviewView DescribeClickPreview(const Family& family, std::string_view button_caption,
                                 const ClickPreview& preview, char separator) {
  PreviewView view;
  view.title = texts::Fill(texts::kPreviewTitle, kButton, button_caption);
  view.heading = std::string(family.texts.name);
  view.summary = texts::Fill(preview.possible ? texts::kPreviewPossible : texts::kPreviewImpossible,
                             kButton, button_caption) +
                 preview.status;
  view.files_label = texts::kPreviewFiles;
  view.report_label = texts::kPreviewReport;
  view.note = texts::kPreviewNote;
  view.close_caption = texts::kPreviewClose;
  if (!preview.possible) return view;
  const std::vector<FileChange> changes = ChangesOf(preview.plan);
  for (const FileChange& change : changes) {
    view.files.push_back({Words(ActionOf(change, changes)), change.display});
  }
  view.report = DryRunReport(changes, separator);
  return view;
}

std::string PreviewMenuItem(std::string_view button_caption) {
  return texts::Fill(texts::kPreviewMenuItem, kButton, button_caption);
}

}  // namespace ql2
