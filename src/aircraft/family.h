// An aircraft family as data: its panel files and backups, the gauge windows and gauge entries an
// installation writes, and its status texts. One planner (plan.h) installs and removes every
// family from these tables; the main window keeps the family's controls in a table of its own.
#pragma once

#include <string_view>
#include <vector>

#include "panelcfg/installation_marks.h"
#include "panelcfg/panel_config.h"

namespace ql2 {

// One panel file of a family, with its backup. Paths are relative to the simulator folder.
struct PanelFile {
  std::string_view config;
  std::string_view backup;
  bool further_model;         // handled only when the record's "Full" says the model is present
  std::vector<int> sections;  // indexes into Family::gauge_sections that receive an entry here
};

// A gauge window appended at the end of every panel file; named after the reference file's
// window count plus number_offset.
struct GaugeWindow {
  int number_offset;
  std::string_view title;
  std::string_view size_line;
  std::string_view visible_line;
  std::string_view ident_line;
  std::string_view window_size_line;
  std::string_view gauge_line;
};

// An existing window section that receives a gauge entry, numbered after the gauge lines the
// reference file holds from start_line to stop_line.
struct GaugeSection {
  std::string_view start_line;
  std::string_view stop_line;
  std::string_view section_name;
};

struct FamilyTexts {
  std::string_view name;        // "Piper Cheyenne", as sentences about the family name it
  std::string_view absent;      // "Piper Cheyenne cannot be found."
  std::string_view installed;   // after an installation
  std::string_view removed;     // after a removal
  std::string_view backing_up;  // progress texts; empty: none shown
  std::string_view installing;
  std::string_view uninstalling;
};

struct Family {
  std::string_view id;              // the command line's name: cheyenne, atr, pmdg, pic
  std::string_view record_section;  // "Cheyenne", "ATR", "PMDG", "PIC"
  FamilyTexts texts;
  // The folder whose presence shows the family (the scan's test), and, for families with further
  // models, the folder that decides the record's "Full" key (empty: none).
  std::string_view presence_folder;
  std::string_view full_folder;
  // The panel files; files[0] is the reference file the counts are taken from.
  std::vector<PanelFile> files;
  std::vector<int> backup_order;  // indexes into files, in the order the backups are made
  // Removal: each group's backups are copied back, then deleted, group after group.
  std::vector<std::vector<int>> restore_groups;
  std::vector<GaugeWindow> windows;
  std::vector<GaugeSection> gauge_sections;
  GaugeKeyStyle key_style;
  std::string_view gauge_value;
  // Whether a click reads the simulator folder from the registry afresh (instead of the folder
  // read at start-up).
  bool rereads_registry;
};

// How the family's installation is recognised in a panel file (its titles and gauge names).
InstallationMarks MarksOf(const Family& family);

const Family& CheyenneFamily();
const Family& AtrFamily();
const Family& PmdgFamily();  // Boeing 737NG
const Family& PicFamily();   // Boeing 737 Classics

// The four families in the window's order: Cheyenne, ATR, 737NG, 737 Classics.
const std::vector<const Family*>& AllFamilies();
const Family* FindFamily(std::string_view id);

}  // namespace ql2
