// Lookalike panel files, the one generator of them for the tests, the benchmark and the demo
// simulator: a "Window Titles" section, window sections with their
// lower-case "window_" lines, gauge entries, commented "//gauge" lines and capital "Gauge" lines,
// comments and blank lines, all ended by CR LF. The generator renders a file both as it is and
// as it must look after given entries were set and text appended, placing each new entry after
// the last entry line of its section from its own knowledge of the layout, so that a test's
// expectation never comes from the code under test.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace ql2 {
namespace lookalike {

struct WindowSectionLayout {
  std::string name;  // "Window00", "Fixed Window30"
  int gauges = 0;    // entries gauge00, gauge01, ...; the commented and capital ones come on top
};

struct PanelLayout {
  int titles = 0;  // Window00=..., Window01=... in "Window Titles"; 0: the file has no such section
  std::vector<WindowSectionLayout> sections;    // in file order
  std::string heading = "Panel configuration";  // the comment the file begins with
  std::string gauge_file = "Panel";             // the gauges' file: "Panel!Instrument 3"
  // Virtual-cockpit sections full of gauges after the rest, as many as fit in this many bytes
  // (the file is never longer, and shorter by less than a line); 0: none.
  std::size_t pad_to = 0;
};

// What an installation changes in a panel file: entries set (a key already in the section gets
// its value replaced, else a new line follows the section's last entry; a missing section is
// added at the end), then text appended at the end of the file.
struct PanelEdits {
  struct Entry {
    std::string section;
    std::string key;
    std::string value;
  };
  std::vector<Entry> entries;
  std::string appended;

  bool empty() const { return entries.empty() && appended.empty(); }
};

std::string RenderPanel(const PanelLayout& layout, const PanelEdits& edits = {});

}  // namespace lookalike
}  // namespace ql2
