#include "panelcfg/installation_marks.h"

#include <algorithm>
#include <optional>

#include "panelcfg/panel_config.h"
#include "platform/ascii.h"
#include "platform/profile.h"
#include "platform/text_lines.h"

namespace ql2 {
namespace {

std::string_view Trim(std::string_view text) {
  return TrimBlanks(text);
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

// A section of the file: its header and, when its lines were wanted, every line after it up to
// the next header.
struct Section {
  std::string_view name;
  std::vector<TextLine> lines;     // lines[0] is the header
  std::optional<TextLine> before;  // the line before the header, if any
};

// Visits the file's sections in order, keeping the lines of one section at a time and only of a
// section `wanted(name, body)` asks for (body: the bytes after its header up to the next one); the
// others are skipped from header to header. A large file is looked at without a copy of its
// lines. The lines before the first header belong to no section.
template <typename Wanted, typename Visit>
void ForEachSection(std::string_view bytes, Wanted&& wanted, Visit&& visit) {
  TextLine header;
  bool found = profile::FindHeaderLine(bytes, TextStart(bytes), &header);
  Section section;
  while (found) {
    std::string_view name;
    profile::ParseHeader(LineText(bytes, header), &name);
    TextLine next;
    const bool has_next = profile::FindHeaderLine(bytes, header.end, &next);
    const std::size_t body_end = has_next ? next.begin : bytes.size();
    if (wanted(name, bytes.substr(header.end, body_end - header.end))) {
      section.name = name;
      section.lines.assign(1, header);
      section.before.reset();
      if (header.begin > TextStart(bytes)) {
        section.before = profile::LineBefore(bytes, header.begin);
      }
      for (std::size_t pos = header.end; pos < body_end;) {
        section.lines.push_back(LineAt(bytes, pos));
        pos = section.lines.back().end;
      }
      visit(section);
    }
    found = has_next;
    header = next;
  }
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

void SortRanges(std::vector<ByteRange>* ranges) {
  std::sort(ranges->begin(), ranges->end(),
            [](const ByteRange& a, const ByteRange& b) { return a.begin < b.begin; });
}

Mark LineMark(MarkKind kind, int index, std::string_view key, std::string_view bytes,
              const TextLine& line) {
  return {kind, index, line.begin, line.end, std::string(key), std::string(LineText(bytes, line))};
}

// The title entries of one "Window Titles" section, or the gauge entries of one entry section.
void FindEntryMarks(std::string_view bytes, const Section& section, const InstallationMarks& marks,
                    int entry_section, std::vector<Mark>* found) {
  const std::vector<TextLine>& lines = section.lines;
  for (std::size_t i = 1; i < lines.size(); ++i) {
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
int WindowOf(std::string_view bytes, const Section& section, const InstallationMarks& marks,
             std::size_t* gauge_line) {
  const std::vector<TextLine>& lines = section.lines;
  int window = -1;
  for (std::size_t i = 1; i < lines.size(); ++i) {
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
Mark WindowMark(std::string_view bytes, const Section& section, int window,
                std::size_t gauge_line) {
  const std::vector<TextLine>& lines = section.lines;
  std::size_t begin = lines[0].begin;
  if (section.before && LineText(bytes, *section.before).empty()) begin = section.before->begin;
  std::size_t end = gauge_line + 1;
  for (std::size_t i = end; i < lines.size(); ++i) {
    std::string_view key;
    std::string_view value;
    if (profile::ParseKeyLine(LineText(bytes, lines[i]), &key, &value)) end = lines.size();
  }
  while (end > 1 && Trim(LineText(bytes, lines[end - 1])).empty()) --end;
  return {MarkKind::kWindow,
          window,
          begin,
          lines[end - 1].end,
          std::string(section.name),
          JoinedText(bytes, lines, 0, end)};
}

// Whether a section may hold marks: the titles' section, an entry section, a numbered window
// that holds the name of a gauge of the installation's windows somewhere.
bool MayHoldMarks(std::string_view name, std::string_view body, const InstallationMarks& marks) {
  if (profile::SameName(name, panel::kWindowTitlesSection) || IndexOfSection(marks, name) >= 0) {
    return true;
  }
  if (!IsNumberedName(Trim(name), panel::kWindowNamePrefix)) return false;
  for (const InstallationMarks::Window& window : marks.windows) {
    if (ContainsIgnoringAsciiCase(body, window.gauge)) return true;
  }
  return false;
}

// Which of a few section names a file has, as the profile functions compare names.
struct SectionNames {
  std::vector<std::string_view> names;
  std::vector<bool> found;
};

// FindMarks, also noting which of `names` the file has when they are given, and keeping the
// sections that hold marks (with all their lines) when `holding` is given.
std::vector<Mark> FindMarksAndSections(std::string_view bytes, const InstallationMarks& marks,
                                       SectionNames* names,
                                       std::vector<Section>* holding = nullptr) {
  std::vector<Mark> found;
  auto wanted = [&](std::string_view name, std::string_view body) {
    for (std::size_t i = 0; names != nullptr && i < names->names.size(); ++i) {
      if (profile::SameName(name, names->names[i])) names->found[i] = true;
    }
    return MayHoldMarks(name, body, marks);
  };
  ForEachSection(bytes, wanted, [&](const Section& section) {
    const std::size_t before = found.size();
    if (profile::SameName(section.name, panel::kWindowTitlesSection)) {
      FindEntryMarks(bytes, section, marks, -1, &found);
    } else if (const int entry_section = IndexOfSection(marks, section.name); entry_section >= 0) {
      FindEntryMarks(bytes, section, marks, entry_section, &found);
    } else {
      std::size_t gauge_line = 0;
      const int window = WindowOf(bytes, section, marks, &gauge_line);
      if (window >= 0) found.push_back(WindowMark(bytes, section, window, gauge_line));
    }
    if (holding != nullptr && found.size() > before) holding->push_back(section);
  });
  std::sort(found.begin(), found.end(),
            [](const Mark& a, const Mark& b) { return a.begin < b.begin; });
  return found;
}

// The marks `before` (the backup's) does not account for: each of its marks stands for one equal
// mark found.
std::vector<Mark> Unaccounted(std::vector<Mark> found, const std::vector<Mark>& before) {
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

}  // namespace

std::vector<Mark> FindMarks(std::string_view bytes, const InstallationMarks& marks) {
  return FindMarksAndSections(bytes, marks, nullptr);
}

std::vector<Mark> AddedMarks(std::string_view current, std::optional<std::string_view> backup,
                             const InstallationMarks& marks) {
  std::vector<Mark> found = FindMarks(current, marks);
  if (!backup) return found;
  return Unaccounted(std::move(found), FindMarks(*backup, marks));
}

std::vector<ByteRange> InstallationRanges(std::string_view current,
                                          std::optional<std::string_view> backup,
                                          const InstallationMarks& marks) {
  std::vector<Section> holding;
  std::vector<Mark> added = FindMarksAndSections(current, marks, nullptr, &holding);
  // Of the sections that hold marks, which the backup has too.
  SectionNames in_backup;
  for (const Section& section : holding) in_backup.names.push_back(section.name);
  in_backup.found.assign(holding.size(), false);
  if (backup) {
    added = Unaccounted(std::move(added), FindMarksAndSections(*backup, marks, &in_backup));
  }
  std::vector<ByteRange> ranges;
  if (added.empty()) return ranges;
  for (const Mark& mark : added) ranges.push_back({mark.begin, mark.end});
  // A section a mark emptied is one that holds marks (a mark's blank line before a window's
  // header empties nothing): only those are kept with their lines, not every section that may.
  for (std::size_t s = 0; s < holding.size(); ++s) {
    const Section& section = holding[s];
    if (in_backup.found[s]) continue;
    // Every line of the section after its header is blank or taken out with a mark.
    bool emptied = true;
    bool held_mark = false;
    for (std::size_t i = 1; i < section.lines.size() && emptied; ++i) {
      const TextLine& line = section.lines[i];
      if (Trim(LineText(current, line)).empty()) continue;
      bool marked = false;
      for (const Mark& mark : added) {
        marked = marked || (mark.begin <= line.begin && line.end <= mark.end);
      }
      held_mark = held_mark || marked;
      emptied = marked;
    }
    if (emptied && held_mark) ranges.push_back({section.lines[0].begin, section.lines[0].end});
  }
  SortRanges(&ranges);
  return ranges;
}

std::string RemoveRanges(std::string_view bytes, const std::vector<ByteRange>& ranges) {
  std::string out;
  out.reserve(bytes.size());
  std::size_t at = 0;
  for (const ByteRange& range : ranges) {
    if (range.begin < at) continue;  // the marks of one file never overlap
    out.append(bytes.substr(at, range.begin - at));
    at = range.end;
  }
  out.append(bytes.substr(at));
  return out;
}

std::vector<Splice> RangeCuts(const std::vector<ByteRange>& ranges) {
  std::vector<Splice> cuts;
  std::size_t at = 0;
  for (const ByteRange& range : ranges) {
    if (range.begin < at) continue;  // as RemoveRanges takes them
    if (range.end > range.begin) cuts.push_back({range.begin, range.end - range.begin, ""});
    at = range.end;
  }
  return cuts;
}

bool SameWithoutRanges(std::string_view bytes, const std::vector<ByteRange>& ranges,
                       std::string_view other) {
  std::size_t at = 0;
  std::size_t compared = 0;
  auto same = [&](std::string_view part) {
    if (other.substr(compared, part.size()) != part) return false;
    compared += part.size();
    return true;
  };
  for (const ByteRange& range : ranges) {
    if (range.begin < at) continue;
    if (!same(bytes.substr(at, range.begin - at))) return false;
    at = range.end;
  }
  return same(bytes.substr(at)) && compared == other.size();
}

std::string StripInstallation(std::string_view current, std::optional<std::string_view> backup,
                              const InstallationMarks& marks) {
  return RemoveRanges(current, InstallationRanges(current, backup, marks));
}

std::string RemoveMarks(std::string_view bytes, const std::vector<Mark>& marks) {
  std::vector<ByteRange> ranges;
  for (const Mark& mark : marks) ranges.push_back({mark.begin, mark.end});
  SortRanges(&ranges);
  return RemoveRanges(bytes, ranges);
}

}  // namespace ql2
