// What a window shows of a click before it is made: every text of the preview dialog, decided by
// the logic (click_preview.h) so that each front end's dialog only lays this struct out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ql2 {

// One file the click would write or delete.
struct PreviewFile {
  std::string_view action;  // "Back up to", "Edit", "Restore from its backup", ...
  std::string name;         // as messages name it
};

struct PreviewView {
  std::string title;    // the dialog's caption: "What Install would change"
  std::string heading;  // the family: "ATR 72-500"
  // What the click would do, or why it cannot be made now (the sentence the click would show).
  std::string summary;
  std::string_view files_label;  // above the files
  std::vector<PreviewFile> files;
  std::string_view report_label;  // above the report
  std::string report;             // the changes as `ql2cfg --dry-run` prints them
  std::string_view note;          // that the preview changed nothing
  std::string_view close_caption;
};

}  // namespace ql2
