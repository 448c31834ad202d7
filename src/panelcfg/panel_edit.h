// The edits an installation makes to one panel file, in the order it makes them (title entries,
// then the appended gauge windows, then gauge entries in existing windows), giving the file's new
// bytes as its old bytes with the lines it gains spliced in: a click on large files holds no
// edited copy of them. The bytes are exactly those of the same edits made one after another on
// a copy (panel_config.h); where splices of the old bytes could not be sure to give them (a last
// line without a line ending, a section the file lacks, a title entry after the gauge windows),
// the edits are made on a copy instead.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "panelcfg/panel_config.h"
#include "platform/spliced_bytes.h"

namespace ql2 {

class PanelEdit {
 public:
  explicit PanelEdit(SharedBytes original);

  // AddWindowTitleEntry, AppendGaugeWindowSection and, with the first gauge key free in that
  // section from number `from` on (FreeGaugeNumber), AddGaugeEntry.
  void AddWindowTitleEntry(std::string_view window_name, std::string_view title);
  void AppendGaugeWindowSection(std::string_view text);
  void AddGaugeEntry(std::string_view section_name, int from, GaugeKeyStyle style,
                     std::string_view gauge_value);

  SplicedBytes Result() &&;

 private:
  // The edits so far as splices of the original.
  SplicedBytes Spliced() const;
  // Makes the edits so far on a copy, which every later edit changes in place.
  void MakeCopy();

  SharedBytes original_;
  std::optional<std::string> copy_;  // once the edits are made on a copy
  // The splices so far, in original offsets: the title entries (one splice, as each entry
  // follows the one before), the gauge entries, and the text appended at the end.
  std::optional<Splice> titles_;
  std::vector<std::string> title_keys_;
  std::vector<Splice> entries_;
  std::vector<std::string> entry_sections_;
  std::string appended_;
};

}  // namespace ql2
