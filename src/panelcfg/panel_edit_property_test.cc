// Profile writes on generated panel files: a write changes exactly the one line of its key, or
// inserts exactly one line at the end of its section's entries, or appends its section at the end;
// every other line keeps its bytes, its line ending and its place, and the value reads back. An
// installation's edits made as splices give the bytes of the same edits made in turn.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "panelcfg/free_numbers.h"
#include "panelcfg/panel_config.h"
#include "panelcfg/panel_edit.h"
#include "platform/profile.h"

namespace ql2 {
namespace {

struct Line {
  std::string text;
  std::string ending;  // "\r\n", "\n", "\r" or "" for an unended last line
  bool operator==(const Line& o) const { return text == o.text && ending == o.ending; }
};

// Kept apart from the program's own splitter so that a fault there cannot hide here.
std::vector<Line> Split(const std::string& bytes) {
  std::vector<Line> lines;
  std::size_t i = 0;
  while (i < bytes.size()) {
    Line line;
    while (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n') line.text += bytes[i++];
    if (i < bytes.size() && bytes[i] == '\r') line.ending += bytes[i++];
    if (i < bytes.size() && bytes[i] == '\n') line.ending += bytes[i++];
    lines.push_back(line);
  }
  return lines;
}

std::string Join(const std::vector<Line>& lines) {
  std::string bytes;
  for (const Line& l : lines) bytes += l.text + l.ending;
  return bytes;
}

std::string Trim(const std::string& s) {
  std::size_t a = s.find_first_not_of(" \t");
  if (a == std::string::npos) return "";
  return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto low = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (low(a[i]) != low(b[i])) return false;
  }
  return true;
}

bool IsHeader(const std::string& text, std::string* name) {
  std::size_t a = text.find_first_not_of(" \t");
  if (a == std::string::npos || text[a] != '[') return false;
  std::string rest = text.substr(a + 1);
  *name = Trim(rest.substr(0, rest.find(']')));
  return true;
}

bool IsKeyLine(const std::string& text, std::string* key) {
  std::string ignored;
  std::size_t a = text.find_first_not_of(" \t");
  if (a == std::string::npos || text[a] == ';' || IsHeader(text, &ignored)) return false;
  std::size_t eq = text.find('=');
  if (eq == std::string::npos) return false;
  *key = Trim(text.substr(0, eq));
  return true;
}

// The file as the profile rules say it must be after the write.
std::vector<Line> Expected(std::vector<Line> lines, const std::string& section,
                           const std::string& key, const std::string& value) {
  auto end_last_line = [&] {
    if (!lines.empty() && lines.back().ending.empty()) lines.back().ending = "\r\n";
  };
  std::size_t header = lines.size();
  std::string name;
  for (std::size_t i = 0; i < lines.size() && header == lines.size(); ++i) {
    if (IsHeader(lines[i].text, &name) && SameName(name, section)) header = i;
  }
  if (header == lines.size()) {
    end_last_line();
    lines.push_back({"[" + section + "]", "\r\n"});
    lines.push_back({key + "=" + value, "\r\n"});
    return lines;
  }
  std::size_t insert_after = header;
  for (std::size_t i = header + 1; i < lines.size() && !IsHeader(lines[i].text, &name); ++i) {
    std::string k;
    if (!IsKeyLine(lines[i].text, &k)) continue;
    if (SameName(k, key)) {
      lines[i].text = lines[i].text.substr(0, lines[i].text.find('=') + 1) + value;
      if (lines[i].ending.empty()) lines[i].ending = "\r\n";
      return lines;
    }
    insert_after = i;
  }
  if (insert_after + 1 == lines.size()) end_last_line();
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insert_after) + 1,
               Line{key + "=" + value, "\r\n"});
  return lines;
}

class PanelGenerator {
 public:
  explicit PanelGenerator(std::uint32_t seed) : rng_(seed) {}

  std::size_t Pick(std::size_t n) { return rng_() % n; }
  bool Chance(unsigned percent) { return rng_() % 100 < percent; }
  template <typename T, std::size_t N>
  const T& OneOf(const T (&items)[N]) {
    return items[Pick(N)];
  }

  std::string Number2(std::size_t n) { return (n < 10 ? "0" : "") + std::to_string(n); }

  // Mostly CR LF; some files use LF or CR throughout, some mix them line by line.
  std::string Ending() {
    switch (style_) {
      case 0:
        return "\r\n";
      case 1:
        return "\n";
      case 2:
        return "\r";
      default:
        return OneOf(kEndings);
    }
  }

  std::string File() {
    style_ = Chance(60) ? 0 : Pick(4);
    std::string out;
    auto put = [&](const std::string& text) { out += text + Ending(); };
    if (Chance(30)) put(OneOf(kComments));
    if (Chance(20)) put(std::string(kJunk, sizeof kJunk - 1));

    std::size_t windows = 1 + Pick(10);
    put("[Window Titles]");
    for (std::size_t i = 0; i < windows; ++i) {
      if (Chance(10)) put(OneOf(kComments));
      put("Window" + Number2(i) + "=" + OneOf(kTitles));
    }
    if (Chance(70)) put("");

    for (std::size_t i = 0; i < windows; ++i) {
      std::string number = Number2(Chance(10) ? Pick(3) : i);  // sometimes a duplicate section
      put(Chance(25) ? "[Fixed Window" + number + "]" : "[Window" + number + "]");
      for (std::size_t n = Pick(5); n > 0; --n) put(OneOf(kWindowLines));
      std::size_t gauges = Pick(6);
      for (std::size_t g = 0; g < gauges; ++g) {
        std::string entry = Number2(g) + "=" + OneOf(kGaugeValues);
        switch (Pick(8)) {
          case 0:
            put("//gauge" + entry);
            break;
          case 1:
            put("Gauge" + entry);
            break;
          case 2:
            put(OneOf(kComments));
            put("gauge" + entry);
            break;
          default:
            put("gauge" + entry);
        }
      }
      if (Chance(30)) put(OneOf(kComments));
      if (Chance(70)) put("");
    }
    if (Chance(40)) {
      put("[Vcockpit01]");
      put("pixel_size=512,512");
      put("texture=$QLever");
    }
    if (Chance(30) && !out.empty()) {  // no ending on the last line
      while (!out.empty() && (out.back() == '\r' || out.back() == '\n')) out.pop_back();
    }
    return out;
  }

  // A section of the file (in some other case now and then) or a new one.
  std::string Section(const std::vector<Line>& lines) {
    std::vector<std::string> names;
    std::string name;
    for (const Line& l : lines) {
      if (IsHeader(l.text, &name)) names.push_back(name);
    }
    if (names.empty() || Chance(15)) return OneOf(kNewSections);
    return Recase(names[Pick(names.size())]);
  }

  // A key of the section's first occurrence or a new one.
  std::string Key(const std::vector<Line>& lines, const std::string& section) {
    std::vector<std::string> keys;
    bool inside = false;
    std::string name;
    for (const Line& l : lines) {
      if (IsHeader(l.text, &name)) {
        if (inside) break;
        inside = SameName(name, section);
      } else if (inside && IsKeyLine(l.text, &name) && !name.empty()) {
        keys.push_back(name);
      }
    }
    if (keys.empty() || Chance(40)) return OneOf(kNewKeys);
    return Recase(keys[Pick(keys.size())]);
  }

  std::string Value() { return OneOf(kValues); }

 private:
  std::string Recase(std::string s) {
    if (Chance(20)) {
      for (char& c : s) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
      }
    }
    return s;
  }

  static constexpr char kJunk[] = "junk\0\xe9 before=any header";  // NUL, non-ASCII, no section
  static constexpr const char* kEndings[] = {"\r\n", "\r\n", "\n", "\r"};
  static constexpr const char* kComments[] = {"; panel for the 2D cockpit", "// night lighting",
                                              "  ; indented", "//gauge99=Old!Gone, 0,0,1,1"};
  static constexpr const char* kTitles[] = {"Main Panel", "Overhead", "GPS", "Radio Stack",
                                            "Throttle Quadrant"};
  static constexpr const char* kWindowLines[] = {"file=panel.bmp",
                                                 "size_mm=1024,768",
                                                 "window_size_ratio=1.000",
                                                 "position=7",
                                                 "visible=1",
                                                 "ident=MAIN_PANEL",
                                                 "window_size=1.000, 0.300",
                                                 "window_pos=0.000, 0.700",
                                                 "Background_color=0,0,0",
                                                 "zorder=3",
                                                 "sizable=0"};
  static constexpr const char* kGaugeValues[] = {
      "Main!Airspeed, 10,20,60,60", "Radio!Com1, 300,10,120,40", "FuelGauge!Left, 0,0,50,100,1"};
  static constexpr const char* kNewSections[] = {"Window99", "Fixed Window38", "Views",
                                                 "Window Titles"};
  static constexpr const char* kNewKeys[] = {"gauge42", "Window23", "gauge5", "ident", "Window8"};
  static constexpr const char* kValues[] = {
      "QLever2!QL,  12,34,56,78   //Quillever gauge by Tamsel",
      "Quillever",
      "",
      "1",
      "0",
      "a=b",
      "x y"};

  std::mt19937 rng_;
  std::size_t style_ = 0;
};

TEST(PanelEditPropertyTest, WriteTouchesOnlyItsLineAndReadsBack) {
  for (std::uint32_t seed = 1; seed <= 400; ++seed) {
    PanelGenerator gen(seed);
    std::string file = gen.File();
    for (std::size_t w = 1 + gen.Pick(4); w > 0; --w) {
      const std::vector<Line> before = Split(file);
      const std::string section = gen.Section(before);
      const std::string key = gen.Key(before, section);
      const std::string value = gen.Value();

      std::string after = profile::WriteString(file, section, key, value);
      ASSERT_EQ(after, Join(Expected(before, section, key, value)))
          << "seed " << seed << ": [" << section << "] " << key << "=" << value << "\n--- before\n"
          << file;
      EXPECT_EQ(profile::ReadString(after, section, key, "<default>", 256), value)
          << "seed " << seed;
      file = after;
    }
  }
}

// The edits of an installation made by PanelEdit give the bytes of the same edits made one after
// another on a copy, whatever the file: line endings of every kind, an unended last line, keys
// and sections it has already, sections it lacks, a section given two entries.
TEST(PanelEditPropertyTest, SplicedEditsGiveTheBytesOfEditsMadeInTurn) {
  constexpr GaugeKeyStyle kStyles[] = {GaugeKeyStyle::kNoLeadingZero, GaugeKeyStyle::kTwoDigits};
  constexpr const char* kTitleValues[] = {"Quillever", "QL", "Main Panel"};
  for (std::uint32_t seed = 1; seed <= 2000; ++seed) {
    PanelGenerator gen(seed);
    std::vector<Line> lines = Split(gen.File());
    if (gen.Chance(30)) {  // no "Window Titles" section: the first title entry makes one
      std::string name;
      auto titles = std::find_if(lines.begin(), lines.end(), [&](const Line& line) {
        return IsHeader(line.text, &name) && SameName(name, "Window Titles");
      });
      auto next = std::find_if(std::next(titles), lines.end(),
                               [&](const Line& line) { return IsHeader(line.text, &name); });
      lines.erase(titles, next);
    }
    const std::string file = Join(lines);
    std::string in_turn = file;
    PanelEdit edit{SharedBytes(file)};
    std::string done;  // what was done, for the failure message
    // The edits in the installation's order: title entries, gauge windows, gauge entries; now
    // and then in another.
    std::vector<int> kinds;
    for (std::size_t t = gen.Pick(3); t > 0; --t) kinds.push_back(0);
    if (gen.Chance(80)) kinds.push_back(1);
    for (std::size_t e = gen.Pick(4); e > 0; --e) kinds.push_back(2);
    if (gen.Chance(30)) std::shuffle(kinds.begin(), kinds.end(), std::mt19937(seed));
    for (int kind : kinds) {
      if (kind == 0) {  // a key the section may have already
        const std::string key = "Window" + (gen.Chance(30) ? gen.Number2(gen.Pick(4))
                                                           : std::to_string(10 + gen.Pick(3)));
        const std::string title = gen.OneOf(kTitleValues);
        AddWindowTitleEntry(&in_turn, key, title);
        edit.AddWindowTitleEntry(key, title);
        done += "title " + key + "=" + title + "; ";
      } else if (kind == 1) {
        const std::string text = BuildGaugeWindowSection(
            "Window" + std::to_string(20 + gen.Pick(3)), "size_mm=1280,960", "Visible=0",
            "ident=80", "window_size=1.000, 1.000", "gauge00=QLever2!Cp6uja,  0,0,19,19");
        AppendGaugeWindowSection(&in_turn, text);
        edit.AppendGaugeWindowSection(text);
        done += "windows; ";
      } else {
        const std::string section = gen.Section(lines);
        const int from = static_cast<int>(gen.Pick(8));
        const GaugeKeyStyle style = gen.OneOf(kStyles);
        const std::string value = gen.Value();
        const int number = FreeGaugeNumber(in_turn, section, from, style);
        AddGaugeEntry(&in_turn, section, FormGaugeKey(number, style), value);
        edit.AddGaugeEntry(section, from, style, value);
        done += "entry [" + section + "] from " + std::to_string(from) + "; ";
      }
    }
    ASSERT_EQ(std::move(edit).Result().Joined(), in_turn)
        << "seed " << seed << ": " << done << "\n--- before\n"
        << file;
  }
}

// An installation's edits of a file whose lines all end are the file's own bytes, shared, with
// the lines it gains spliced in: no copy of the file is made.
TEST(PanelEditTest, AnEditOfAFileWhoseLinesEndAddsLinesToItsOwnBytes) {
  const SharedBytes original(
      std::string("[Window Titles]\r\nWindow00=Main\r\n\r\n[Window00]\r\ngauge00=a\r\n; end\r\n"));
  PanelEdit edit(original);
  edit.AddWindowTitleEntry("Window1", "Quillever");
  edit.AddWindowTitleEntry("Window2", "QL");
  edit.AppendGaugeWindowSection("\r\n[Window1]\r\ngauge00=QLever2!Cp6uja");
  edit.AddGaugeEntry("Window00", 1, GaugeKeyStyle::kTwoDigits, "QLever2!QL");
  const SplicedBytes result = std::move(edit).Result();
  EXPECT_EQ(result.base().data(), original.data());
  EXPECT_EQ(result.splices().size(), 3u);
  EXPECT_EQ(result.Joined(),
            "[Window Titles]\r\nWindow00=Main\r\nWindow1=Quillever\r\nWindow2=QL\r\n\r\n"
            "[Window00]\r\ngauge00=a\r\ngauge01=QLever2!QL\r\n; end\r\n"
            "\r\n[Window1]\r\ngauge00=QLever2!Cp6uja\r\n");
}

}  // namespace
}  // namespace ql2
