// The edits every installer makes to an aircraft's panel configuration file (panel.cfg), and the
// backup that undoes them. Each operation reads or replaces its file whole and returns an error
// value instead of assuming success; a failure's cause names what is wrong in plain words.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/status.h"
#include "record/install_record.h"

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

// Copies the panel file to its backup; an existing backup is replaced.
Status BackUpPanelConfig(FileSystem& fs, const std::string& config_path,
                         const std::string& backup_path);

// Copies the backup over the panel file, then deletes the backup.
Status RestorePanelConfig(FileSystem& fs, const std::string& config_path,
                          const std::string& backup_path);

// The number of lines whose first four characters are "Wind" (the windows the file declares).
Result<LineCount> CountWindowTitleLines(FileSystem& fs, const std::string& config_path);
Result<LineCount> CountWindowTitleLinesIn(std::string_view bytes);

// "Window" and the count without leading zeros ("Window8", "Window12"); 0 gives "Window00", the
// first number the simulator reads.
std::string FormWindowName(int count);

// Sets windowName=title in the "Window Titles" section.
Status AddWindowTitleEntry(FileSystem& fs, const std::string& config_path,
                           std::string_view window_name, std::string_view title);

// The text of an appended gauge window: CR LF, the header, the window's lines each ended by
// CR LF, an empty line and the gauge line (not ended; the append ends it).
std::string BuildGaugeWindowSection(std::string_view window_name, std::string_view size_line,
                                    std::string_view visible_line, std::string_view ident_line,
                                    std::string_view window_size_line, std::string_view gauge_line);

// Adds text and one CR LF at the end of the file.
Status AppendGaugeWindowSection(FileSystem& fs, const std::string& config_path,
                                std::string_view text);

// The number of lines beginning "gau" from the line equal to start_line up to the line equal to
// stop_line (any sections between them included). A file without the start line, or without
// the stop line after it, is an error (kBadContent) whose cause names the missing line.
Result<LineCount> CountSectionGaugeLines(FileSystem& fs, const std::string& config_path,
                                         std::string_view start_line, std::string_view stop_line);
Result<LineCount> CountSectionGaugeLinesIn(std::string_view bytes, std::string_view start_line,
                                           std::string_view stop_line);

// "gauge" and the count: gauge5 / gauge05 by style; 0 gives "gauge00" in either style.
std::string FormGaugeKey(int count, GaugeKeyStyle style);

// Sets gaugeKey=gaugeValue in an existing window section (sectionName without brackets).
Status AddGaugeEntry(FileSystem& fs, const std::string& config_path, std::string_view section_name,
                     std::string_view gauge_key, std::string_view gauge_value);

// Records in the install record whether the gauge is installed for a family ("1" or "0").
Status WriteInstallFlag(InstallRecord& record, std::string_view family_section,
                        std::string_view value);

// Whether any line ends with "=Quillever" (the gauge window's title entry), case-sensitively.
bool HasGaugeTitleLine(std::string_view bytes);

}  // namespace ql2
