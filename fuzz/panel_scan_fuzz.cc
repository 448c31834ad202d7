// Fuzzes the panel file scans (window title lines, gauge lines between two headers, the gauge
// window's title line) on arbitrary bytes against a reference written here from their contract:
// the same counts, and the same error, with the same cause, where the contract calls for one.
//
// Input layout (FuzzedDataProvider): from the end of the data, the choice of the start and stop
// lines and whether to repeat a short file past the 16-bit count limit; the file is whatever
// remains at the front, so a plain panel file is already a useful seed.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "panelcfg/panel_config.h"

namespace {

constexpr long kMaxCount = 32767;  // the largest 16-bit signed count

// The header lines the installers scan between, and the empty line.
constexpr std::string_view kKnownLines[] = {
    "[Window Titles]",
    "[Window00]",
    "[Window01]",
    "[Window08]",
    "[Window09]",
    "[Fixed Window30]",
    "[Fixed Window31]",
    "[Fixed Window32]",
    "[Fixed Window38]",
    "[Fixed Window39]",
    "",
};

// Lines end with CR LF, LF or CR; a file that ends with an ending has no empty line after it. A
// UTF-8 byte-order mark at the start belongs to no line.
std::vector<std::string_view> SplitIntoLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  std::size_t begin = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c != '\r' && c != '\n') continue;
    lines.push_back(bytes.substr(begin, i - begin));
    if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    begin = i + 1;
  }
  if (begin < bytes.size()) lines.push_back(bytes.substr(begin));
  return lines;
}

bool BeginsWith(std::string_view line, std::string_view prefix) {
  return line.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view line, std::string_view suffix) {
  return line.size() >= suffix.size() && line.substr(line.size() - suffix.size()) == suffix;
}

// A count, or the cause of the error the contract calls for ("" when there is none).
struct Expected {
  long count = 0;
  std::string cause;
};

Expected WindowTitleLines(const std::vector<std::string_view>& lines) {
  Expected expected;
  for (std::string_view line : lines) expected.count += BeginsWith(line, "Wind");
  if (expected.count > kMaxCount) expected.cause = "has more than 32767 window lines";
  return expected;
}

Expected SectionGaugeLines(const std::vector<std::string_view>& lines, const std::string& start,
                           const std::string& stop) {
  Expected expected;
  bool inside = false;
  bool stopped = false;
  for (std::string_view line : lines) {
    inside = inside || line == start;
    if (inside && BeginsWith(line, "gau")) ++expected.count;
    if (line == stop) {
      stopped = true;
      break;
    }
  }
  if (expected.count > kMaxCount) {
    expected.cause = "has more than 32767 gauge lines";
  } else if (!inside) {
    expected.cause = "has no " + start + " section" + (stopped ? " before " + stop : "");
  } else if (!stopped) {
    expected.cause = "has no " + stop + " section after " + start;
  }
  return expected;
}

void Fail(const char* what, const Expected& expected, const ql2::Result<ql2::LineCount>& got,
          const std::string& start, const std::string& stop) {
  std::fprintf(stderr,
               "panel_scan_fuzz: %s\nstart \"%s\" stop \"%s\"\nexpected %ld \"%s\"\n"
               "got %d ok=%d \"%s\"\n",
               what, start.c_str(), stop.c_str(), expected.count, expected.cause.c_str(),
               static_cast<int>(got.value()), got.ok() ? 1 : 0, got.status().cause().c_str());
  std::abort();
}

void Compare(const char* what, const Expected& expected, const ql2::Result<ql2::LineCount>& got,
             const std::string& start = {}, const std::string& stop = {}) {
  if (expected.cause.empty()) {
    if (!got.ok() || got.value() != expected.count) Fail(what, expected, got, start, stop);
    return;
  }
  if (got.ok() || got.status().kind() != ql2::ErrorKind::kBadContent ||
      got.status().cause() != expected.cause) {
    Fail(what, expected, got, start, stop);
  }
}

// A header the installers use, or (for odd choices) one of the file's own lines.
std::string ChooseLine(unsigned choice, const std::vector<std::string_view>& lines) {
  if (choice % 2 == 1 && !lines.empty()) return std::string(lines[(choice / 2) % lines.size()]);
  return std::string(kKnownLines[(choice / 2) % std::size(kKnownLines)]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  const unsigned start_choice = data.ConsumeIntegral<std::uint16_t>();
  const unsigned stop_choice = data.ConsumeIntegral<std::uint16_t>();
  // Rarely, a short file repeated just past the count limit, to reach the 16-bit boundary.
  const bool repeat = data.ConsumeIntegral<std::uint8_t>() == 0xFF;
  const int copies = 32760 + data.ConsumeIntegralInRange<int>(0, 15);
  std::string file = data.ConsumeRemainingBytesAsString();
  if (repeat && !file.empty() && file.size() <= 8) {
    const std::string unit = file;
    for (int i = 1; i < copies; ++i) file += unit;
  }

  const std::vector<std::string_view> lines = SplitIntoLines(file);
  const std::string start = ChooseLine(start_choice, lines);
  const std::string stop = ChooseLine(stop_choice, lines);

  const ql2::Result<ql2::LineCount> windows = ql2::CountWindowTitleLines(file);
  Compare("CountWindowTitleLines", WindowTitleLines(lines), windows);
  const ql2::Result<ql2::LineCount> gauges = ql2::CountSectionGaugeLines(file, start, stop);
  Compare("CountSectionGaugeLines", SectionGaugeLines(lines, start, stop), gauges, start, stop);

  bool title_line = false;
  for (std::string_view line : lines) title_line = title_line || EndsWith(line, "=Quillever");
  if (ql2::HasGaugeTitleLine(file) != title_line) {
    std::fprintf(stderr, "panel_scan_fuzz: HasGaugeTitleLine says %s, the reference %s\n",
                 title_line ? "no" : "yes", title_line ? "yes" : "no");
    std::abort();
  }

  return 0;
}
