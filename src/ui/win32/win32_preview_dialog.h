// The preview of a click on the plain Win32 API: the logic's PreviewView laid out as it stands, in
// a modal dialog over the main window. It changes nothing; Close, Escape and the close box close
// it.
#pragma once

#include "app/preview_view.h"
#include "platform/win32_api.h"

namespace ql2 {

// The dialog's controls, by id (for tests and screen readers' tools); Close is IDCANCEL.
enum PreviewControlId : int {
  kPreviewHeadingId = 1001,
  kPreviewSummaryId,
  kPreviewFilesLabelId,
  kPreviewFilesId,  // a list view: the action, then the file
  kPreviewReportLabelId,
  kPreviewReportId,  // a read-only edit box
  kPreviewNoteId,
};

// Shows the preview modally over `owner`; returns when it has been closed.
void ShowPreviewDialog(HINSTANCE instance, HWND owner, const PreviewView& preview);

}  // namespace ql2
