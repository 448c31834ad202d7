// The preview of a click on Qt Widgets: the logic's PreviewView laid out as it stands, in a modal
// dialog over the main window. It changes nothing; Close, Escape and the close box close it.
#pragma once

#include "app/preview_view.h"

class QWidget;

namespace ql2 {

// The dialog's object name, and its parts' (for tests and screen readers' tools).
inline constexpr char kPreviewDialogName[] = "previewDialog";
inline constexpr char kPreviewSummaryName[] = "previewSummary";
inline constexpr char kPreviewFilesName[] = "previewFiles";
inline constexpr char kPreviewReportName[] = "previewReport";

// Shows the preview modally over `owner`; returns when it has been closed.
void ShowPreviewDialog(QWidget* owner, const PreviewView& preview);

}  // namespace ql2
