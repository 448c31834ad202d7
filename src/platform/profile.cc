#include "platform/profile.h"

#include <vector>

#include "platform/ascii.h"
#include "platform/text_lines.h"

namespace ql2 {
namespace profile {
namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kLineEnd = "\r\n";

std::string_view Trim(std::string_view text) {
  std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  std::size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

// The section name of a header line, or false when the line is not a header.
bool HeaderName(std::string_view text, std::string_view* name) {
  std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos || text[first] != '[') return false;
  std::string_view rest = text.substr(first + 1);
  *name = Trim(rest.substr(0, rest.find(']')));
  return true;
}

// The key of a key line, or false when the line is not one.
bool KeyName(std::string_view text, std::string_view* key) {
  std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos || text[first] == ';' || text[first] == '[') return false;
  std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) return false;
  *key = Trim(text.substr(0, equals));
  return true;
}

// Where a section and a key stand in a file.
struct Location {
  bool section_found = false;
  std::size_t header_line = 0;
  bool has_key_line = false;
  std::size_t last_key_line = 0;  // the section's last key line, when it has one
  bool key_found = false;
  std::size_t key_line = 0;
};

Location Find(std::string_view file, const std::vector<TextLine>& lines, std::string_view section,
              std::string_view key) {
  Location at;
  bool inside = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string_view text = LineText(file, lines[i]);
    std::string_view name;
    if (HeaderName(text, &name)) {
      if (inside) break;  // the first section of the name has ended
      if (EqualIgnoringAsciiCase(name, Trim(section))) {
        inside = true;
        at.section_found = true;
        at.header_line = i;
      }
      continue;
    }
    if (!inside || !KeyName(text, &name)) continue;
    at.has_key_line = true;
    at.last_key_line = i;
    if (!at.key_found && EqualIgnoringAsciiCase(name, Trim(key))) {
      at.key_found = true;
      at.key_line = i;
    }
  }
  return at;
}

std::string CutToBuffer(std::string_view value, std::size_t buffer_size) {
  value = value.substr(0, value.find('\0'));
  if (buffer_size == 0) return {};
  return std::string(value.substr(0, buffer_size - 1));
}

std::string EndedLine(std::string_view key, std::string_view value) {
  std::string line(key);
  line += '=';
  line += value;
  line += kLineEnd;
  return line;
}

}  // namespace

std::string ReadString(std::string_view file, std::string_view section, std::string_view key,
                       std::string_view default_value, std::size_t buffer_size) {
  std::vector<TextLine> lines = SplitLines(file);
  Location at = Find(file, lines, section, key);
  if (!at.key_found) return CutToBuffer(default_value, buffer_size);
  std::string_view text = LineText(file, lines[at.key_line]);
  std::string_view value = Trim(text.substr(text.find('=') + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return CutToBuffer(value, buffer_size);
}

std::string WriteString(std::string_view file, std::string_view section, std::string_view key,
                        std::string_view value) {
  std::vector<TextLine> lines = SplitLines(file);
  Location at = Find(file, lines, section, key);
  std::string out;
  out.reserve(file.size() + section.size() + key.size() + value.size() + 8);

  if (at.key_found) {
    const TextLine& line = lines[at.key_line];
    std::size_t after_equals = line.begin + LineText(file, line).find('=') + 1;
    out.append(file.substr(0, after_equals));
    out.append(value);
    if (line.has_ending()) {
      out.append(file.substr(line.content_end));
    } else {
      out.append(kLineEnd);
    }
    return out;
  }

  if (at.section_found) {
    const TextLine& anchor = lines[at.has_key_line ? at.last_key_line : at.header_line];
    out.append(file.substr(0, anchor.end));
    if (!anchor.has_ending()) out.append(kLineEnd);
    out.append(EndedLine(key, value));
    out.append(file.substr(anchor.end));
    return out;
  }

  out.append(file);
  // Only an unended last line needs an ending before the new header; a byte-order mark alone is
  // no line, so a file holding nothing else gets no blank line after it.
  if (!lines.empty() && !lines.back().has_ending()) out.append(kLineEnd);
  out += '[';
  out.append(section);
  out += ']';
  out.append(kLineEnd);
  out.append(EndedLine(key, value));
  return out;
}

bool HasSection(std::string_view file, std::string_view section) {
  return Find(file, SplitLines(file), section, {}).section_found;
}

bool HasKey(std::string_view file, std::string_view section, std::string_view key) {
  return Find(file, SplitLines(file), section, key).key_found;
}

bool ParseHeader(std::string_view line, std::string_view* name) {
  return HeaderName(line, name);
}

bool ParseKeyLine(std::string_view line, std::string_view* key, std::string_view* value) {
  if (!KeyName(line, key)) return false;
  *value = line.substr(line.find('=') + 1);
  return true;
}

bool SameName(std::string_view a, std::string_view b) {
  return EqualIgnoringAsciiCase(Trim(a), Trim(b));
}

double ParseNumber(std::string_view text) {
  std::size_t i = text.find_first_not_of(kBlanks);
  if (i == std::string_view::npos) return 0;
  double sign = 1;
  if (text[i] == '+' || text[i] == '-') {
    if (text[i] == '-') sign = -1;
    ++i;
  }
  double value = 0;
  bool digits = false;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    digits = true;
  }
  if (i < text.size() && text[i] == '.') {
    double scale = 0.1;
    for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
      value += (text[i] - '0') * scale;
      scale /= 10;
      digits = true;
    }
  }
  return digits ? sign * value : 0;
}

Result<std::string> ReadFileString(FileSystem& fs, const std::string& path,
                                   std::string_view section, std::string_view key,
                                   std::string_view default_value, std::size_t buffer_size) {
  Result<std::string> bytes = fs.ReadFile(path);
  if (!bytes.ok()) {
    if (bytes.status().kind() == ErrorKind::kNotFound) {
      return CutToBuffer(default_value, buffer_size);
    }
    return bytes.status();
  }
  return ReadString(bytes.value(), section, key, default_value, buffer_size);
}

Status WriteFileString(FileSystem& fs, const std::string& path, std::string_view section,
                       std::string_view key, std::string_view value) {
  std::string old;
  if (fs.Stat(path).kind != EntryKind::kNone) {
    Result<std::string> bytes = fs.ReadFile(path);
    if (!bytes.ok()) return bytes.status();
    old = std::move(bytes.value());
  }
  return fs.ReplaceFile(path, WriteString(old, section, key, value));
}

}  // namespace profile
}  // namespace ql2
