#include "panelcfg/panel_config.h"

#include <limits>

#include "platform/profile.h"
#include "platform/text_lines.h"
#include "record/install_record.h"

namespace ql2 {
namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

constexpr long kMaxCount = std::numeric_limits<LineCount>::max();

Status TooManyLines(std::string_view what) {
  std::string cause = "has more than " + std::to_string(kMaxCount) + " " + std::string(what);
  return Status::Fail(ErrorKind::kBadContent, cause, cause);
}

std::string WithLineEnd(std::string_view line) {
  std::string text(line);
  text.append(panel::kLineEnd);
  return text;
}

}  // namespace

Result<LineCount> CountWindowTitleLines(std::string_view bytes) {
  // The prefix is looked for, not every line: it begins a line where the text begins or after a
  // CR or an LF (the LF of a CR LF begins no line, and the prefix begins with no LF).
  const std::size_t start = TextStart(bytes);
  long count = 0;
  for (std::size_t at = bytes.find(panel::kWindowLinePrefix, start);
       at != std::string_view::npos && count <= kMaxCount;
       at = bytes.find(panel::kWindowLinePrefix, at + 1)) {
    if (at == start || bytes[at - 1] == '\r' || bytes[at - 1] == '\n') ++count;
  }
  if (count > kMaxCount) return TooManyLines("window lines");
  return static_cast<LineCount>(count);
}

std::string FormWindowName(int count) {
  std::string name(panel::kWindowNamePrefix);
  name += count == 0 ? "00" : std::to_string(count);
  return name;
}

std::string AddWindowTitleEntry(std::string_view bytes, std::string_view window_name,
                                std::string_view title) {
  return profile::WriteString(bytes, panel::kWindowTitlesSection, window_name, title);
}

void AddWindowTitleEntry(std::string* bytes, std::string_view window_name, std::string_view title) {
  profile::WriteStringInPlace(bytes, panel::kWindowTitlesSection, window_name, title);
}

std::string BuildGaugeWindowSection(std::string_view window_name, std::string_view size_line,
                                    std::string_view visible_line, std::string_view ident_line,
                                    std::string_view window_size_line,
                                    std::string_view gauge_line) {
  std::string text(panel::kLineEnd);
  text += WithLineEnd("[" + std::string(window_name) + "]");
  text += WithLineEnd("Background_color=0,0,0");
  text += WithLineEnd(size_line);
  text += WithLineEnd("window_size_ratio=1.000");
  text += WithLineEnd("position=0");
  text += WithLineEnd(visible_line);
  text += WithLineEnd(ident_line);
  text += WithLineEnd(window_size_line);
  text += WithLineEnd("window_pos=0.000, 0.000");
  text += panel::kLineEnd;
  text += gauge_line;
  return text;
}

std::string AppendGaugeWindowSection(std::string_view bytes, std::string_view text) {
  std::string whole;
  whole.reserve(bytes.size() + text.size() + panel::kLineEnd.size());
  whole.append(bytes);
  whole.append(text);
  whole.append(panel::kLineEnd);
  return whole;
}

void AppendGaugeWindowSection(std::string* bytes, std::string_view text) {
  bytes->append(text);
  bytes->append(panel::kLineEnd);
}

Result<LineCount> CountSectionGaugeLines(std::string_view bytes, std::string_view start_line,
                                         std::string_view stop_line) {
  bool inside = false;
  bool stopped = false;
  long count = 0;
  ForEachLine(bytes, [&](std::string_view line) {
    if (line == start_line) inside = true;
    if (inside && StartsWith(line, panel::kGaugeLinePrefix)) ++count;
    if (line == stop_line) stopped = true;
    return !stopped && count <= kMaxCount;
  });
  if (count > kMaxCount) return TooManyLines("gauge lines");
  if (!inside) {
    std::string cause = "has no " + std::string(start_line) + " section";
    if (stopped) cause += " before " + std::string(stop_line);
    return Status::Fail(ErrorKind::kBadContent, cause, cause);
  }
  if (!stopped) {
    std::string cause =
        "has no " + std::string(stop_line) + " section after " + std::string(start_line);
    return Status::Fail(ErrorKind::kBadContent, cause, cause);
  }
  return static_cast<LineCount>(count);
}

std::string FormGaugeKey(int count, GaugeKeyStyle style) {
  std::string key(panel::kGaugeKeyPrefix);
  if (count == 0 || (style == GaugeKeyStyle::kTwoDigits && count >= 0 && count < 10)) key += '0';
  key += std::to_string(count);
  return key;
}

std::string AddGaugeEntry(std::string_view bytes, std::string_view section_name,
                          std::string_view gauge_key, std::string_view gauge_value) {
  return profile::WriteString(bytes, section_name, gauge_key, gauge_value);
}

void AddGaugeEntry(std::string* bytes, std::string_view section_name, std::string_view gauge_key,
                   std::string_view gauge_value) {
  profile::WriteStringInPlace(bytes, section_name, gauge_key, gauge_value);
}

std::string WriteInstallFlag(std::string_view record_bytes, std::string_view family_section,
                             std::string_view value) {
  return profile::WriteString(record_bytes, family_section, record::kInstalledKey, value);
}

bool HasGaugeTitleLine(std::string_view bytes) {
  // The suffix ends a line where a CR, an LF or the end of the file follows it.
  for (std::size_t at = bytes.find(panel::kTitleLineSuffix, TextStart(bytes));
       at != std::string_view::npos; at = bytes.find(panel::kTitleLineSuffix, at + 1)) {
    const std::size_t end = at + panel::kTitleLineSuffix.size();
    if (end == bytes.size() || bytes[end] == '\r' || bytes[end] == '\n') return true;
  }
  return false;
}

}  // namespace ql2
