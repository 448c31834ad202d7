#include "lookalike/lookalike_panel.h"

#include <string_view>

namespace ql2 {
namespace lookalike {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// One line of the file; key is set for entry lines (key=value), empty for headers, comments and
// blank lines.
struct Line {
  std::string text;
  std::string key;
};

// A section with its header as first line; the part before the first header has no name.
struct Section {
  std::string name;
  std::vector<Line> lines;
};

std::string TwoDigits(int n) {
  return (n < 10 ? "0" : "") + std::to_string(n);
}

Line Entry(const std::string& key, const std::string& value) {
  return {key + "=" + value, key};
}

Line Text(std::string text) {
  return {std::move(text), ""};
}

Section Header(const std::string& name) {
  return {name, {Text("[" + name + "]")}};
}

const char* TitleOf(int n) {
  static const char* const kTitles[] = {"Main Panel", "Overhead",     "Pedestal", "Radio Stack",
                                        "GPS",        "Engine Start", "Compass",  "Mini Panel"};
  return kTitles[n % 8];
}

Section WindowSection(const PanelLayout& panel, const WindowSectionLayout& layout, int index) {
  Section s = Header(layout.name);
  auto& l = s.lines;
  l.push_back(Entry("file", "panel_" + std::to_string(index) + ".bmp"));
  l.push_back(Entry("size_mm", "1024,768"));
  l.push_back(Entry("window_size_ratio", "1.000"));
  l.push_back(Entry("position", "7"));
  l.push_back(Entry("visible", index == 0 ? "1" : "0"));
  l.push_back(Entry("ident", std::to_string(10000 + index)));
  l.push_back(Entry("window_size", "1.000, 1.000"));
  l.push_back(Entry("window_pos", "0.000, 0.000"));
  l.push_back(Text(""));
  l.push_back(Text("// instruments of " + layout.name));
  // Neither counts as a gauge entry: one is commented out, the other's key is capitalised.
  l.push_back(Entry("//gauge90", "Panel!Old Clock,  10,10,40,40"));
  l.push_back(Entry("Gauge91", "Panel!Spare,  20,20,40,40"));
  for (int g = 0; g < layout.gauges; ++g) {
    l.push_back(Entry("gauge" + TwoDigits(g), panel.gauge_file + "!Instrument " +
                                                  std::to_string(g) + ",  " +
                                                  std::to_string(40 * g) + ",100,60,60"));
  }
  l.push_back(Text("; end of " + layout.name));
  l.push_back(Text(""));
  return s;
}

std::vector<Section> Build(const PanelLayout& layout) {
  std::vector<Section> sections;
  sections.push_back({"", {Text("// " + layout.heading), Text("; test aircraft"), Text("")}});
  if (layout.titles > 0) {
    Section titles = Header("Window Titles");
    for (int t = 0; t < layout.titles; ++t) {
      titles.lines.push_back(Entry("Window" + TwoDigits(t), TitleOf(t)));
    }
    titles.lines.push_back(Text("; the titles shown in the Views menu"));
    titles.lines.push_back(Text(""));
    sections.push_back(std::move(titles));
  }
  Section views = Header("VIEWS");
  views.lines.push_back(Entry("VIEW_FORWARD_WINDOWS", "MAIN_PANEL,RADIO_STACK"));
  views.lines.push_back(Text(""));
  sections.push_back(std::move(views));
  for (std::size_t i = 0; i < layout.sections.size(); ++i) {
    sections.push_back(WindowSection(layout, layout.sections[i], static_cast<int>(i)));
  }
  Section view = Header("Default View");
  view.lines.push_back(Entry("X", "0"));
  view.lines.push_back(Entry("Y", "0"));
  view.lines.push_back(Entry("SIZE_X", "8192"));
  view.lines.push_back(Entry("SIZE_Y", "6144"));
  sections.push_back(std::move(view));
  return sections;
}

void Set(std::vector<Section>& sections, const PanelEdits::Entry& entry) {
  for (Section& section : sections) {
    if (section.name.empty() || section.name != entry.section) continue;
    std::size_t after = 0;  // the header, when the section has no entry yet
    for (std::size_t i = 1; i < section.lines.size(); ++i) {
      Line& line = section.lines[i];
      if (line.key.empty()) continue;
      if (line.key == entry.key) {
        line = Entry(entry.key, entry.value);
        return;
      }
      after = i;
    }
    section.lines.insert(section.lines.begin() + static_cast<std::ptrdiff_t>(after) + 1,
                         Entry(entry.key, entry.value));
    return;
  }
  Section added = Header(entry.section);
  added.lines.push_back(Entry(entry.key, entry.value));
  sections.push_back(std::move(added));
}

// Virtual cockpits of 60 gauges each, line by line while the text stays within pad_to bytes.
void Pad(const PanelLayout& layout, std::string* text) {
  constexpr int kGaugesPerCockpit = 60;
  for (int cockpit = 1;; ++cockpit) {
    std::vector<std::string> lines = {"",
                                      "[Vcockpit" + TwoDigits(cockpit) + "]",
                                      "Background_color=0,0,0",
                                      "size_mm=512,512",
                                      "pixel_size=512,512",
                                      "texture=$panel_" + std::to_string(cockpit)};
    for (int g = 0; g < kGaugesPerCockpit; ++g) {
      lines.push_back("gauge" + TwoDigits(g) + "=" + layout.gauge_file + "!Cockpit " +
                      std::to_string(g) + ",  " + std::to_string((37 * g + cockpit) % 512) + "," +
                      std::to_string((53 * g + 7 * cockpit) % 512) + ",64,64");
    }
    for (const std::string& line : lines) {
      if (text->size() + line.size() + kLineEnd.size() > layout.pad_to) return;
      text->append(line);
      text->append(kLineEnd);
    }
  }
}

}  // namespace

std::string RenderPanel(const PanelLayout& layout, const PanelEdits& edits) {
  std::vector<Section> sections = Build(layout);
  for (const PanelEdits::Entry& entry : edits.entries) Set(sections, entry);
  std::string text;
  for (const Section& section : sections) {
    for (const Line& line : section.lines) {
      text += line.text;
      text += kLineEnd;
    }
  }
  if (layout.pad_to > 0) Pad(layout, &text);
  return text + edits.appended;
}

}  // namespace lookalike
}  // namespace ql2
