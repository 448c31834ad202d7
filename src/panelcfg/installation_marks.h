// What an installation adds to a panel file, told apart from the file's own entries: the title
// entries and gauge windows it adds, and the gauge entries it puts into existing windows. An entry
// of the installation is known by the form of its key and by its title or gauge name, so it is
// still found when its numbers were changed by hand, and a later removal can take out exactly the
// installation and keep everything else the file has gained since.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/spliced_bytes.h"

namespace ql2 {

struct InstallationMarks {
  struct Window {
    std::string_view title;  // its entry's value in "Window Titles": "Quillever"
    std::string_view gauge;  // the gauge name of its gauge line: "QLever2!Cp6uja"
  };
  std::vector<Window> windows;
  std::vector<std::string_view> entry_sections;  // sections given a gauge entry: "Window00"
  std::string_view entry_gauge;                  // the gauge name of those entries: "QLever2!QL"
};

enum class MarkKind { kTitle, kWindow, kEntry };

// One entry of an installation found in a file.
struct Mark {
  MarkKind kind;
  int index;  // the window (titles and windows) or the entry section it belongs to
  // The bytes it takes: whole lines with their endings; for a gauge window, from the empty line
  // before its header to its last line that is not empty.
  std::size_t begin = 0;
  std::size_t end = 0;
  std::string name;  // the title's key, the window's section name, the gauge entry's key
  std::string text;  // its lines without their endings, to compare with another file's marks
};

// Every entry of the installation that the file holds, in file order.
std::vector<Mark> FindMarks(std::string_view bytes, const InstallationMarks& marks);

// The marks of `current` that `backup` does not account for: each mark of the backup stands for
// one equal mark of current (the file held it before the installation). Without a backup every
// mark counts.
std::vector<Mark> AddedMarks(std::string_view current, std::optional<std::string_view> backup,
                             const InstallationMarks& marks);

// The bytes without the marks' bytes.
std::string RemoveMarks(std::string_view bytes, const std::vector<Mark>& marks);

// Bytes [begin, end) of a file.
struct ByteRange {
  std::size_t begin;
  std::size_t end;
};

// What taking the installation out of a file removes, in file order: the marks AddedMarks finds,
// and the header of a section they leave empty that the backup does not have (the installation
// made it, as a profile write makes a missing "Window Titles" section).
std::vector<ByteRange> InstallationRanges(std::string_view current,
                                          std::optional<std::string_view> backup,
                                          const InstallationMarks& marks);

// The bytes without the ranges (in file order), made, as the splices that make them from the
// bytes (none when nothing is taken out), or only compared with other bytes.
std::string RemoveRanges(std::string_view bytes, const std::vector<ByteRange>& ranges);
std::vector<Splice> RangeCuts(const std::vector<ByteRange>& ranges);
bool SameWithoutRanges(std::string_view bytes, const std::vector<ByteRange>& ranges,
                       std::string_view other);

// The file without the installation (InstallationRanges taken out).
std::string StripInstallation(std::string_view current, std::optional<std::string_view> backup,
                              const InstallationMarks& marks);

}  // namespace ql2
