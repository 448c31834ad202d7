#include "lookalike/lookalike_tree.h"

#include <filesystem>
#include <fstream>
#include <set>
#include <system_error>

#include "app/texts.h"
#include "platform/sim_path.h"
#include "record/install_record.h"

namespace ql2 {
namespace lookalike {
namespace {

constexpr int kWindowCount = 10;
constexpr int kGaugesPerWindow = 4;
constexpr std::string_view kFixedWindowHeader = "[Fixed Window";
constexpr std::string_view kLineEnd = "\r\n";

// Where the demo's simulator lies in its prefix, as Windows and as the disk name it.
constexpr std::string_view kSimWindowsPath =
    "C:\\\\Program Files\\\\Microsoft Games\\\\Flight Simulator 9";
constexpr std::string_view kSimFolder = "drive_c/Program Files/Microsoft Games/Flight Simulator 9";

// Folders the demo spells on disk otherwise than the program does, as installers leave them.
const std::map<std::string, std::string>& DiskSpellings() {
  static const std::map<std::string, std::string> spellings = {
      {"\\Aircraft\\feelThere pic 737-300", "\\Aircraft\\FeelThere PIC 737-300"},
      {"\\Aircraft\\feelThere pic 737-400", "\\Aircraft\\FeelThere PIC 737-400"},
      {"\\Aircraft\\feelThere pic 737-500", "\\Aircraft\\FeelThere PIC 737-500"},
      {"\\Aircraft\\Digital Aviation PA31T1 Cheyenne IA\\panel.ifrvfr",
       "\\Aircraft\\Digital Aviation PA31T1 Cheyenne IA\\Panel.IFRVFR"},
  };
  return spellings;
}

std::string OnDisk(const std::string& relative) {
  for (const auto& [asked, disk] : DiskSpellings()) {
    if (relative.compare(0, asked.size(), asked) == 0) return disk + relative.substr(asked.size());
  }
  return relative;
}

std::string Ended(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + std::string(kLineEnd);
  return text;
}

std::string Record(bool first_run) {
  std::string text = Ended({"[" + std::string(record::kOptionsSection) + "]",
                            std::string(record::kFirstTimeKey) + "=" +
                                std::string(first_run ? record::kYes : record::kNo)});
  for (const Family* family : AllFamilies()) {
    text += Ended({"[" + std::string(family->record_section) + "]",
                   std::string(record::kInstalledKey) + "=" + std::string(record::kNo)});
  }
  return text;
}

bool WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  return static_cast<bool>(out.flush());
}

}  // namespace

PanelLayout LayoutFor(const Family& family, int variant) {
  PanelLayout layout;
  layout.titles = kWindowCount;
  layout.heading = std::string(family.texts.name) + " panel, variant " + std::to_string(variant);
  layout.gauge_file = std::string(family.id) + "_gauges";
  for (int w = 0; w < kWindowCount; ++w) {
    layout.sections.push_back(
        {std::string(panel::kWindowNamePrefix) + (w < 10 ? "0" : "") + std::to_string(w),
         kGaugesPerWindow});
  }
  // The fixed windows the installation counts or writes in, in number order.
  std::set<std::string> fixed;
  for (const GaugeSection& section : family.gauge_sections) {
    for (std::string_view header : {section.start_line, section.stop_line}) {
      if (header.substr(0, kFixedWindowHeader.size()) == kFixedWindowHeader) {
        fixed.insert(std::string(header.substr(1, header.size() - 2)));
      }
    }
  }
  for (const std::string& name : fixed) layout.sections.push_back({name, 1});
  return layout;
}

std::map<std::string, std::string> SimulatorTree(const TreeOptions& options) {
  std::map<std::string, std::string> files;
  int variant = 0;
  for (const Family* family : AllFamilies()) {
    for (const PanelFile& file : family->files) {
      PanelLayout layout = LayoutFor(*family, variant++);
      layout.pad_to = options.panel_bytes;
      files[std::string(file.config)] = RenderPanel(layout);
    }
  }
  files[std::string(record::kRelativePath)] = Record(options.first_run);
  files[std::string(package::kInstallerMarker)] = "";
  return files;
}

bool WriteTree(const std::string& folder, const std::map<std::string, std::string>& files) {
  bool written = true;
  for (const auto& [relative, bytes] : files) {
    written = WriteFile(JoinSimPath(folder, relative, '/'), bytes) && written;
  }
  return written;
}

bool WriteWinePrefix(const std::string& prefix) {
  namespace fs = std::filesystem;
  const fs::path root(prefix);
  std::error_code error;
  fs::create_directories(root / "dosdevices", error);
  // Drive C: is the prefix's drive_c, Z: the root, as Wine links them.
  for (const auto& [drive, target] : {std::pair<const char*, const char*>{"c:", "../drive_c"},
                                      std::pair<const char*, const char*>{"z:", "/"}}) {
    fs::remove(root / "dosdevices" / drive, error);
    fs::create_directory_symlink(target, root / "dosdevices" / drive, error);
    if (error) return false;
  }
  // Wine writes system.reg with LF line ends and doubled backslashes in key paths and strings.
  const std::string registry =
      "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win32\n\n"
      "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\9.0] 1735689600\n"
      "#time=1db5bd5e0a4c000\n\"EXE Path\"=\"" +
      std::string(kSimWindowsPath) + "\"\n\"Language\"=\"English\"\n\"Version\"=\"9.1\"\n";
  if (!WriteFile(root / "system.reg", registry)) return false;

  TreeOptions options;
  options.first_run = true;
  std::map<std::string, std::string> files;
  for (auto& [relative, bytes] : SimulatorTree(options)) files[OnDisk(relative)] = bytes;
  files[std::string(package::kManual)] =
      Ended({"<!DOCTYPE html>", "<html lang=\"en\">",
             "<head><meta charset=\"utf-8\"><title>Quillever 2 - user manual (demo)</title></head>",
             "<body>", "<h1>Quillever 2</h1>",
             "<p>This page stands in for the user manual of the Quillever 2 panel gauge in the "
             "demo set-up.</p>",
             "<p>Open the gauge in the simulator with Shift+8.</p>", "</body>", "</html>"});
  files[std::string(package::kInstallerMarker)] = Ended({"Quillever 2 setup log (demo)"});
  return WriteTree((root / kSimFolder).string(), files);
}

}  // namespace lookalike
}  // namespace ql2
