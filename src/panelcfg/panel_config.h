// The edits every installer makes to an aircraft's panel configuration file (panel.cfg), each a
// function from the file's bytes to its new bytes: the callers read each file once, make every
// edit in memory and write the file once. A scan that cannot be made returns an error whose cause
// names what is wrong in plain words.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/status.h"

namespace ql2 {

namespace panel {
inline constexpr std::string_view kWindowTitlesSection = "Window Titles";
inline constexpr std::string_view kWindowLinePrefix = "Wind";
inline constexpr std::string_view kGaugeLinePrefix = "gau";
inline constexpr std::string_view kWindowNamePrefix = "Window";
inline constexpr std::string_view kGaugeKeyPrefix = "gauge";
inline constexpr std::string_view kTitleLineSuffix = "=Quillever";
inline constexpr std::string_view kLineEnd = "\r\n";
}  // namespace panel

// Counts are 16-bit signed, as the panel files' own numbering; a file with more lines than that
// is refused rather than miscounted.
using LineCount = std::int16_t;

// The two ways a gauge key is numbered: "##" gives gauge5, "0#" gives gauge05.
enum class GaugeKeyStyle { kNoLeadingZero, kTwoDigits };

// The number of lines whose first four characters are "Wind" (the windows the file declares).
Result<LineCount> CountWindowTitleLines(std::string_view bytes);

// "Window" and the count without leading zeros ("Window8", "Window12"); 0 gives "Window00", the
// first number the simulator reads.
std::string FormWindowName(int count);

// Sets windowName=title in the "Window Titles" section. Each edit also comes as one made in
// place, which a caller that reserved room for what it adds makes without copying the file.
std::string AddWindowTitleEntry(std::string_view bytes, std::string_view window_name,
                                std::string_view title);
void AddWindowTitleEntry(std::string* bytes, std::string_view window_name, std::string_view title);

// The text of an appended gauge window: CR LF, the header, the window's lines each ended by
// CR LF, an empty line and the gauge line (not ended; the append ends it).
std::string BuildGaugeWindowSection(std::string_view window_name, std::string_view size_line,
                                    std::string_view visible_line, std::string_view ident_line,
                                    std::string_view window_size_line, std::string_view gauge_line);

// Adds text and one CR LF at the end of the file.
std::string AppendGaugeWindowSection(std::string_view bytes, std::string_view text);
void AppendGaugeWindowSection(std::string* bytes, std::string_view text);

// The number of lines beginning "gau" from the line equal to start_line up to the line equal to
// stop_line (any sections between them included). A file without the start line, or without
// the stop line after it, is an error (kBadContent) whose cause names the missing line.
Result<LineCount> CountSectionGaugeLines(std::string_view bytes, std::string_view start_line,
                                         std::string_view stop_line);

// "gauge" and the count: gauge5 / gauge05 by style; 0 gives "gauge00" in either style.
std::string FormGaugeKey(int count, GaugeKeyStyle style);

// Sets gaugeKey=gaugeValue in an existing window section (sectionName without brackets).
std::string AddGaugeEntry(std::string_view bytes, std::string_view section_name,
                          std::string_view gauge_key, std::string_view gauge_value);
void AddGaugeEntry(std::string* bytes, std::string_view section_name, std::string_view gauge_key,
                   std::string_view gauge_value);

// The install record's bytes after recording whether the gauge is installed for a family ("1" or
// "0").
std::string WriteInstallFlag(std::string_view record_bytes, std::string_view family_section,
                             std::string_view value);

// Whether any line ends with "=Quillever" (the gauge window's title entry), case-sensitively.
bool HasGaugeTitleLine(std::string_view bytes);

}  // namespace ql2
