// Fuzzes the profile engine with a file and a sequence of writes to it, and checks two promises
// against a model kept here:
//  - after every write, each key written so far reads back as the last value written to it;
//  - a write changes exactly what it may: the value of one key line, or one inserted "key=value"
//    line, or a new section header and its entry at the end of the file. Every other line, its
//    ending included, stays as it was and where it was (only an unended last line may gain the
//    CR LF that separates it from what follows). By induction, every line of the original file
//    that no write changed survives, in order.
// It also checks that the header lines found by their brackets are the lines a reading line by
// line takes for headers.
//
// Input layout (FuzzedDataProvider): the writes are drawn from the end of the data, the file is
// whatever remains at the front, so a plain panel or record file is already a useful seed.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/profile.h"

namespace {

// The pieces names and values are made of: few enough that writes hit each other and the seeds'
// own sections and keys, in both letter cases (names match ignoring ASCII case only, so the two
// Latin-1 A-umlauts must stay distinct), with blanks, the format's own characters and NUL.
// CR and LF are left out: no line can hold them, and the program never writes them.
constexpr std::string_view kPieces[] = {
    "a",     "A",      "b",    "W",         "w",       "Window",  "WINDOW", "00",
    "gauge", "Titles", "Full", "Installed", "Options", " ",       "\t",     "[",
    "]",     "=",      ";",    "\"",        "'",       {"\0", 1}, "\xC4",   "\xE4",
};
constexpr std::size_t kMaxPieces = 3;
constexpr int kMaxWrites = 12;

std::string DrawText(FuzzedDataProvider& data) {
  std::string text;
  const std::size_t pieces = data.ConsumeIntegralInRange<std::size_t>(0, kMaxPieces);
  for (std::size_t i = 0; i < pieces; ++i) {
    text += kPieces[data.ConsumeIntegralInRange<std::size_t>(0, std::size(kPieces) - 1)];
  }
  return text;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool HasOuterBlanks(std::string_view text) {
  return !text.empty() && (IsBlank(text.front()) || IsBlank(text.back()));
}

// What the program may write, and why the rest is out of scope:
//  - no leading or trailing blanks anywhere: the reader trims them (the program's own sections,
//    keys and values never have them);
//  - a section has no ']': its header's name ends at the first ']';
//  - a key has no '=' (the key ends at the first '=') and does not begin with ';' (a comment) or
//    '[' (a header);
//  - a value is not wrapped in a pair of the same quotes: the reader removes one such pair.
bool Writable(std::string_view section, std::string_view key, std::string_view value) {
  if (HasOuterBlanks(section) || HasOuterBlanks(key) || HasOuterBlanks(value)) return false;
  if (section.find(']') != std::string_view::npos) return false;
  if (key.find('=') != std::string_view::npos) return false;
  if (!key.empty() && (key.front() == ';' || key.front() == '[')) return false;
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return false;
  }
  return true;
}

std::string FoldAscii(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// A header's first non-blank is '['; its name runs to the first ']' or the line's end.
bool IsHeader(std::string_view text) {
  text = TrimBlanks(text);
  return !text.empty() && text.front() == '[';
}

bool HeaderNameIs(std::string_view text, std::string_view section) {
  if (!IsHeader(text)) return false;
  text = TrimBlanks(text).substr(1);
  return FoldAscii(TrimBlanks(text.substr(0, text.find(']')))) == FoldAscii(section);
}

// A key line holds '=' and begins with neither ';' nor '['.
bool IsKeyLine(std::string_view text) {
  std::string_view trimmed = TrimBlanks(text);
  return !trimmed.empty() && trimmed.front() != ';' && trimmed.front() != '[' &&
         text.find('=') != std::string_view::npos;
}

struct Line {
  std::string text;
  std::string ending;  // "\r\n", "\n", "\r", or "" for an unended last line
};

// Lines end with CR LF, LF or CR; a file that ends with an ending has no empty line after it. A
// UTF-8 byte-order mark at the start belongs to no line.
std::vector<Line> SplitIntoLines(std::string_view bytes) {
  std::vector<Line> lines;
  std::size_t pos = bytes.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
  while (pos < bytes.size()) {
    const std::size_t end = std::min(bytes.find_first_of("\r\n", pos), bytes.size());
    std::size_t next = end;
    if (next < bytes.size()) next += bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1;
    lines.push_back(
        {std::string(bytes.substr(pos, end - pos)), std::string(bytes.substr(end, next - end))});
    pos = next;
  }
  return lines;
}

// Bytes as a C string literal, for the failure report.
std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out + "\"";
}

std::string Describe(std::string_view section, std::string_view key, std::string_view value) {
  return "section " + Quoted(section) + " key " + Quoted(key) + " value " + Quoted(value);
}

// Reports a broken promise with what led to it (formatted only then: it quotes whole files).
template <typename Detail>
void Check(bool ok, const char* what, const Detail& detail) {
  if (ok) return;
  std::fprintf(stderr, "profile_fuzz: %s\n%s\n", what, detail().c_str());
  std::abort();
}

// Checks that `after` is `before` with exactly one allowed edit for this write.
void CheckOneWrite(std::string_view before, std::string_view after, std::string_view section,
                   std::string_view key, std::string_view value) {
  auto detail = [&] {
    return Describe(section, key, value) + "\nbefore " + Quoted(before) + "\nafter  " +
           Quoted(after);
  };
  const std::vector<Line> old_lines = SplitIntoLines(before);
  const std::vector<Line> new_lines = SplitIntoLines(after);
  const bool had_mark = before.substr(0, 3) == "\xEF\xBB\xBF";
  Check(had_mark == (after.substr(0, 3) == "\xEF\xBB\xBF"), "the byte-order mark changed", detail);

  // The lines both share at the front and at the back, compared by text; what lies between is
  // what the write removed and added.
  std::size_t front = 0;
  while (front < old_lines.size() && front < new_lines.size() &&
         old_lines[front].text == new_lines[front].text) {
    ++front;
  }
  std::size_t back = 0;
  while (back < old_lines.size() - front && back < new_lines.size() - front &&
         old_lines[old_lines.size() - 1 - back].text ==
             new_lines[new_lines.size() - 1 - back].text) {
    ++back;
  }
  const std::size_t removed = old_lines.size() - front - back;
  const std::size_t added = new_lines.size() - front - back;

  // A kept line keeps its ending; only the old last line, if unended, may gain CR LF.
  auto ending_kept = [&](std::size_t old_index, const Line& now) {
    const Line& was = old_lines[old_index];
    if (now.ending == was.ending) return true;
    return old_index + 1 == old_lines.size() && was.ending.empty() && now.ending == "\r\n";
  };
  for (std::size_t i = 0; i < front; ++i) {
    Check(ending_kept(i, new_lines[i]), "a kept line lost its line ending", detail);
  }
  for (std::size_t i = 0; i < back; ++i) {
    Check(ending_kept(old_lines.size() - 1 - i, new_lines[new_lines.size() - 1 - i]),
          "a kept line lost its line ending", detail);
  }

  const std::string entry = std::string(key) + "=" + std::string(value);
  if (removed == 0 && added == 0) return;  // the same value written again
  if (removed == 1 && added == 1) {
    // The key's line: its text up to and including its first '=' is kept, the value replaced.
    const Line& was = old_lines[front];
    const Line& now = new_lines[front];
    const std::size_t equals = was.text.find('=');
    Check(equals != std::string::npos, "a line without '=' was changed", detail);
    Check(FoldAscii(TrimBlanks(std::string_view(was.text).substr(0, equals))) == FoldAscii(key),
          "the line of another key was changed", detail);
    Check(now.text == was.text.substr(0, equals + 1) + std::string(value),
          "a key line was changed beyond its value", detail);
    Check(ending_kept(front, now), "a changed key line lost its line ending", detail);
    return;
  }
  if (removed == 0 && added == 1) {
    // A new entry in the first section of that name, after the section's last key line.
    Check(new_lines[front].text == entry && new_lines[front].ending == "\r\n",
          "the inserted line is not key=value CR LF", detail);
    std::size_t header = front;
    while (header > 0 && !IsHeader(new_lines[header - 1].text)) --header;
    Check(header > 0, "a new entry was inserted before every section", detail);
    --header;
    Check(HeaderNameIs(new_lines[header].text, section),
          "a new entry was inserted into another section", detail);
    for (std::size_t i = 0; i < header; ++i) {
      Check(!HeaderNameIs(new_lines[i].text, section),
            "a new entry was inserted into a later section of the name", detail);
    }
    for (std::size_t i = front + 1; i < new_lines.size() && !IsHeader(new_lines[i].text); ++i) {
      Check(!IsKeyLine(new_lines[i].text), "a new entry was inserted before a key line", detail);
    }
    return;
  }
  if (removed == 0 && added == 2 && back == 0) {
    Check(new_lines[front].text == "[" + std::string(section) + "]" &&
              new_lines[front].ending == "\r\n",
          "the appended header is not [section] CR LF", detail);
    Check(new_lines[front + 1].text == entry && new_lines[front + 1].ending == "\r\n",
          "the appended entry is not key=value CR LF", detail);
    return;
  }
  Check(false, "the write changed more than one entry", detail);
}

// The header lines found from '[' to '[' (as scans that skip sections find them) are the model's
// header lines, at the same places.
void CheckHeaders(std::string_view file) {
  std::vector<std::size_t> expected;
  std::size_t pos = file.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
  for (const Line& line : SplitIntoLines(file)) {
    if (IsHeader(line.text)) expected.push_back(pos);
    pos += line.text.size() + line.ending.size();
  }
  std::vector<std::size_t> found;
  ql2::TextLine header;
  for (std::size_t from = 0; ql2::profile::FindHeaderLine(file, from, &header); from = header.end) {
    found.push_back(header.begin);
  }
  Check(found == expected, "the headers found by their brackets are not the header lines",
        [&] { return "file " + Quoted(file); });
}

struct Write {
  std::string section;
  std::string key;
  std::string value;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  std::vector<Write> writes;
  const int count = data.ConsumeIntegralInRange<int>(0, kMaxWrites);
  for (int i = 0; i < count; ++i) {
    Write write;
    write.section = DrawText(data);
    write.key = DrawText(data);
    write.value = DrawText(data);
    writes.push_back(std::move(write));
  }
  std::string file = data.ConsumeRemainingBytesAsString();
  CheckHeaders(file);

  // The last value written to each (section, key), both folded as the reader matches them.
  std::map<std::pair<std::string, std::string>, Write> model;
  auto check_reads_back = [&](const Write& last) {
    constexpr std::string_view kMissing = "\x01missing";  // no write can produce it
    constexpr std::size_t kWholeValue = 1 << 20;
    // The Windows reader hands a value over as a C string: it ends at a NUL.
    const std::string expected = last.value.substr(0, last.value.find('\0'));
    const std::string read =
        ql2::profile::ReadString(file, last.section, last.key, kMissing, kWholeValue);
    auto detail = [&] {
      return Describe(last.section, last.key, last.value) + "\nread " + Quoted(read) + "\nfile " +
             Quoted(file);
    };
    Check(read == expected, "a written key does not read back as its last value", detail);
    Check(ql2::profile::HasSection(file, last.section), "a written section is not found", detail);
  };
  for (const Write& write : writes) {
    if (!Writable(write.section, write.key, write.value)) continue;
    std::string after = ql2::profile::WriteString(file, write.section, write.key, write.value);
    CheckOneWrite(file, after, write.section, write.key, write.value);
    file = std::move(after);
    CheckHeaders(file);
    model[{FoldAscii(write.section), FoldAscii(write.key)}] = write;
    check_reads_back(write);
  }
  // And every key once more at the end: a later write never disturbs an earlier one.
  for (const auto& entry : model) check_reads_back(entry.second);
  return 0;
}
