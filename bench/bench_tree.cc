#include "bench/bench_tree.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <vector>

#include "app/texts.h"
#include "platform/sim_path.h"
#include "record/install_record.h"

namespace ql2 {
namespace bench {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr int kWindowCount = 10;       // [Window00] to [Window09], with a title each
constexpr int kGaugesPerWindow = 4;    // in each of those windows
constexpr int kGaugesPerCockpit = 60;  // in each padding section

constexpr std::string_view kGaugeNames[] = {
    "Airspeed",  "Attitude",  "Altimeter", "Heading",      "Vertical_Speed", "Turn_Coordinator",
    "Torque",    "ITT",       "Fuel_Flow", "Oil_Press",    "Clock",          "Nav_Radio",
    "Com_Radio", "Autopilot", "GPS",       "Annunciators",
};
constexpr std::string_view kWindowTitles[kWindowCount] = {
    "Main Panel", "Overhead", "Pedestal", "Radio Stack", "GPS",
    "Throttle",   "Map",      "Engines",  "Mini Panel",  "Checklist",
};

// A small deterministic generator, so every run builds the same files.
class Numbers {
 public:
  explicit Numbers(unsigned seed) : state_(seed * 2654435761u + 1) {}
  int Next(int below) {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<int>((state_ >> 8) % static_cast<unsigned>(below));
  }

 private:
  unsigned state_;
};

std::string TwoDigits(int n) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", n);
  return text;
}

std::string GaugeLine(const Family& family, int number, Numbers& numbers) {
  std::string line = "gauge" + TwoDigits(number) + "=" + std::string(family.id) + "_gauges!";
  line += kGaugeNames[numbers.Next(static_cast<int>(std::size(kGaugeNames)))];
  line += ",  " + std::to_string(numbers.Next(1200)) + "," + std::to_string(numbers.Next(900)) +
          "," + std::to_string(40 + numbers.Next(160)) + "," +
          std::to_string(40 + numbers.Next(160));
  return line;
}

// The "Fixed Window" headers the family's installation scans or writes, in number order.
std::set<std::string> FixedWindowHeaders(const Family& family) {
  std::set<std::string> headers;
  for (const GaugeSection& section : family.gauge_sections) {
    for (std::string_view header : {section.start_line, section.stop_line}) {
      if (header.rfind("[Fixed Window", 0) == 0) headers.insert(std::string(header));
    }
  }
  return headers;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  return static_cast<bool>(out.flush());
}

}  // namespace

std::string MakePanelFile(const Family& family, std::size_t bytes, int variant) {
  Numbers numbers(static_cast<unsigned>(variant) + 1);
  std::string text;
  auto add = [&](std::string_view line) {
    text.append(line);
    text.append(kLineEnd);
  };
  add("// " + std::string(family.record_section) + " panel, variant " + std::to_string(variant));
  add("[Window Titles]");
  for (int w = 0; w < kWindowCount; ++w) {
    add("Window" + TwoDigits(w) + "=" + std::string(kWindowTitles[w]));
  }
  for (int w = 0; w < kWindowCount; ++w) {
    add("");
    add("[Window" + TwoDigits(w) + "]");
    add("file=" + std::string(family.id) + "_window" + TwoDigits(w) + ".bmp");
    add("size_mm=1024,768");
    add("window_size_ratio=1.000");
    add("position=" + std::to_string(w % 9));
    add(w == 0 ? "visible=1" : "visible=0");
    add("ident=" + std::to_string(10000 + w));
    for (int g = 0; g < kGaugesPerWindow; ++g) add(GaugeLine(family, g, numbers));
  }
  for (const std::string& header : FixedWindowHeaders(family)) {
    add("");
    add(header);
    add("size_mm=120,80");
    add("visible=0");
    add(GaugeLine(family, 0, numbers));
  }

  // Virtual cockpit sections full of gauges, line by line up to the size.
  for (int cockpit = 1;; ++cockpit) {
    std::vector<std::string> lines = {"",
                                      "[Vcockpit" + TwoDigits(cockpit) + "]",
                                      "Background_color=0,0,0",
                                      "size_mm=512,512",
                                      "pixel_size=512,512",
                                      "texture=$panel_" + std::to_string(cockpit)};
    for (int g = 0; g < kGaugesPerCockpit; ++g) lines.push_back(GaugeLine(family, g, numbers));
    for (const std::string& line : lines) {
      if (text.size() + line.size() + kLineEnd.size() > bytes) return text;
      add(line);
    }
  }
}

std::string TreePath(const std::string& sim_folder, std::string_view relative) {
  return JoinSimPath(sim_folder, relative, '/');
}

std::map<std::string, std::string> WriteSimulatorTree(const std::string& sim_folder,
                                                      std::size_t panel_bytes, bool* ok) {
  std::map<std::string, std::string> files;
  int variant = 0;
  for (const Family* family : AllFamilies()) {
    for (const PanelFile& file : family->files) {
      files[TreePath(sim_folder, file.config)] = MakePanelFile(*family, panel_bytes, variant++);
    }
  }
  // Nothing installed, and the first-run question already answered.
  std::string record = "[" + std::string(record::kOptionsSection) + "]\r\n" +
                       std::string(record::kFirstTimeKey) + "=" + std::string(record::kNo) + "\r\n";
  for (const Family* family : AllFamilies()) {
    record += "[" + std::string(family->record_section) + "]\r\n" +
              std::string(record::kInstalledKey) + "=" + std::string(record::kNo) + "\r\n";
  }
  files[TreePath(sim_folder, record::kRelativePath)] = record;
  files[TreePath(sim_folder, package::kInstallerMarker)] = "";

  *ok = true;
  for (const auto& file : files) *ok = *ok && WriteFile(file.first, file.second);
  return files;
}

}  // namespace bench
}  // namespace ql2
