#include "panelcfg/installation_marks.h"

#include <algorithm>

#include "panelcfg/panel_config.h"
#include "platform/ascii.h"
#include "platform/profile.h"
#include "platform/text_lines.h"

namespace ql2 {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// A name made of the prefix (letter case ignored) and one or more digits: "Window14", "GAUGE05".
bool IsNumberedName(std::string_view name, std::string_view prefix) {
  if (name.size() <= prefix.size() ||
      !EqualIgnoringAsciiCase(name.substr(0, prefix.size()), prefix))
    return false;
  for (char c : name.substr(prefix.size())) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// The gauge name a gauge value begins with: "QLever2!QL" of "QLever2!QL,  0,0,19,19 //...".
std::string_view GaugeName(std::string_view value) {
  return Trim(value.substr(0, value.find(',')));
}

// A section of the file: its header line and the lines up to the next header.
struct Section {
  std::string_view name;
  std::size_t header = 0;  // index of the header line
  std::size_t end = 0;     // index one past its last line
};

std::vector<Section> Sections(std::string_view bytes, const std::vector<TextLine>& lines) {
  std::vector<Section> sections;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string_view name;
    if (!profile::ParseHeader(LineText(bytes, lines[i]), &name)) continue;
    if (!sections.empty()) sections.back().end = i;
    sections.push_back({name, i, lines.size()});
  }
  return sections;
}

int IndexOfSection(const InstallationMarks& marks, std::string_view name) {
  for (std::size_t i = 0; i < marks.entry_sections.size(); ++i) {
    if (profile::SameName(name, marks.entry_sections[i])) return static_cast<int>(i);
  }
  return -1;
}

std::string JoinedText(std::string_view bytes, const std::vector<TextLine>& lines,
                       std::size_t first, std::size_t end) {
  std::string text;
  for (std::size_t i = first; i < end; ++i) {
    if (i > first) text += '\n';
    text.append(LineText(bytes, lines[i]));
  }
  return text;
}

// Bytes [begin, end) of a file.
struct Range {
  std::size_t begin;
  std::size_t end;
};

std::string RemoveRanges(std::string_view bytes, std::vector<Range> ranges) {
  std::sort(ranges.begin(), ranges.end(),
            [](const Range& a, const Range& b) { return a.begin < b.begin; });
  std::string out;
  out.reserve(bytes.size());
  std::size_t at = 0;
  for (const Range& range : ranges) {
    if (range.begin < at) continue;  // the marks of one file never overlap
    out.append(bytes.substr(at, range.begin - at));
    at = range.end;
  }
  out.append(bytes.substr(at));
  return out;
}

Mark LineMark(MarkKind kind, int index, std::string_view key, std::string_view bytes,
              const TextLine& line) {
  return {kind, index, line.begin, line.end, std::string(key), std::string(LineText(bytes, line))};
}

// The title entries of one "Window Titles" section, or the gauge entries of one entry section.
void FindEntryMarks(std::string_view bytes, const std::vector<TextLine>& lines,
                    const Section& section, const InstallationMarks& marks, int entry_section,
                    std::vector<Mark>* found) {
  for (std::size_t i = section.header + 1; i < section.end; ++i) {
    std::string_view key;
    std::string_view value;
    if (!profile::ParseKeyLine(LineText(bytes, lines[i]), &key, &value)) continue;
    if (entry_section < 0) {
      if (!IsNumberedName(key, panel::kWindowNamePrefix)) continue;
      for (std::size_t w = 0; w < marks.windows.size(); ++w) {
        if (Trim(value) != marks.windows[w].title) continue;
        found->push_back(LineMark(MarkKind::kTitle, static_cast<int>(w), key, bytes, lines[i]));
        break;
      }
    } else if (IsNumberedName(key, panel::kGaugeKeyPrefix) &&
               EqualIgnoringAsciiCase(GaugeName(value), marks.entry_gauge)) {
      found->push_back(LineMark(MarkKind::kEntry, entry_section, key, bytes, lines[i]));
    }
  }
}

// Which of the installation's gauge windows a numbered window section is, if any (the one whose
// gauge it holds), and the line of that gauge.
int WindowOf(std::string_view bytes, const std::vector<TextLine>& lines, const Section& section,
             const InstallationMarks& marks, std::size_t* gauge_line) {
  int window = -1;
  for (std::size_t i = section.header + 1; i < section.end; ++i) {
    std::string_view key;
    std::string_view value;
    if (!profile::ParseKeyLine(LineText(bytes, lines[i]), &key, &value) ||
        !IsNumberedName(key, panel::kGaugeKeyPrefix)) {
      continue;
    }
    for (std::size_t w = 0; w < marks.windows.size(); ++w) {
      if (EqualIgnoringAsciiCase(GaugeName(value), marks.windows[w].gauge)) {
        window = static_cast<int>(w);
        *gauge_line = i;
      }
    }
  }
  return window;
}

// An appended gauge window ends with its gauge line; what was written after it in the file stays,
// unless it holds entries, which belong to the window and go with it.
Mark WindowMark(std::string_view bytes, const std::vector<TextLine>& lines, const Section& section,
                int window, std::size_t gauge_line) {
  std::size_t first = section.header;
  if (first > 0 && LineText(bytes, lines[first - 1]).empty()) --first;
  std::size_t end = gauge_line + 1;
  for (std::size_t i = end; i < section.end; ++i) {
    std::string_view key;
    std::string_view value;
    if (profile::ParseKeyLine(LineText(bytes, lines[i]), &key, &value)) end = section.end;
  }
  while (end > section.header + 1 && Trim(LineText(bytes, lines[end - 1])).empty()) --end;
  return {MarkKind::kWindow,         window,
          lines[first].begin,        lines[end - 1].end,
          std::string(section.name), JoinedText(bytes, lines, section.header, end)};
}

}  // namespace

std::vector<Mark> FindMarks(std::string_view bytes, const InstallationMarks& marks) {
  const std::vector<TextLine> lines = SplitLines(bytes);
  std::vector<Mark> found;
  for (const Section& section : Sections(bytes, lines)) {
    if (profile::SameName(section.name, panel::kWindowTitlesSection)) {
      FindEntryMarks(bytes, lines, section, marks, -1, &found);
      continue;
    }
    const int entry_section = IndexOfSection(marks, section.name);
    if (entry_section >= 0) {
      FindEntryMarks(bytes, lines, section, marks, entry_section, &found);
      continue;
    }
    if (!IsNumberedName(Trim(section.name), panel::kWindowNamePrefix)) continue;
    std::size_t gauge_line = 0;
    const int window = WindowOf(bytes, lines, section, marks, &gauge_line);
    if (window >= 0) found.push_back(WindowMark(bytes, lines, section, window, gauge_line));
  }
  std::sort(found.begin(), found.end(),
            [](const Mark& a, const Mark& b) { return a.begin < b.begin; });
  return found;
}

std::vector<Mark> AddedMarks(std::string_view current, const std::string* backup,
                             const InstallationMarks& marks) {
  std::vector<Mark> found = FindMarks(current, marks);
  if (backup == nullptr) return found;
  std::vector<Mark> before = FindMarks(*backup, marks);
  std::vector<bool> used(before.size(), false);
  std::vector<Mark> added;
  for (Mark& mark : found) {
    bool accounted = false;
    for (std::size_t i = 0; i < before.size() && !accounted; ++i) {
      if (used[i] || before[i].kind != mark.kind || before[i].index != mark.index ||
          before[i].text != mark.text) {
        continue;
      }
      used[i] = true;
      accounted = true;
    }
    if (!accounted) added.push_back(std::move(mark));
  }
  return added;
}

std::string StripInstallation(std::string_view current, const std::string* backup,
                              const InstallationMarks& marks) {
  const std::vector<Mark> added = AddedMarks(current, backup, marks);
  if (added.empty()) return std::string(current);
  std::vector<Range> ranges;
  for (const Mark& mark : added) ranges.push_back({mark.begin, mark.end});
  const std::vector<TextLine> lines = SplitLines(current);
  for (const Section& section : Sections(current, lines)) {
    if (backup != nullptr && profile::HasSection(*backup, section.name)) continue;
    // Every line of the section after its header is blank or taken out with a mark.
    bool emptied = true;
    bool held_mark = false;
    for (std::size_t i = section.header + 1; i < section.end && emptied; ++i) {
      if (Trim(LineText(current, lines[i])).empty()) continue;
      bool marked = false;
      for (const Mark& mark : added) {
        marked = marked || (mark.begin <= lines[i].begin && lines[i].end <= mark.end);
      }
      held_mark = held_mark || marked;
      emptied = marked;
    }
    if (emptied && held_mark) {
      ranges.push_back({lines[section.header].begin, lines[section.header].end});
    }
  }
  return RemoveRanges(current, std::move(ranges));
}

std::string RemoveMarks(std::string_view bytes, const std::vector<Mark>& marks) {
  std::vector<Range> ranges;
  for (const Mark& mark : marks) ranges.push_back({mark.begin, mark.end});
  return RemoveRanges(bytes, std::move(ranges));
}

}  // namespace ql2
