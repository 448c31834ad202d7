#include "platform/profile.h"

#include <algorithm>
#include <cstring>

#include "platform/ascii.h"
#include "platform/text_lines.h"

namespace ql2 {
namespace profile {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string_view Trim(std::string_view text) {
  return TrimBlanks(text);
}

// The section name of a header line, or false when the line is not a header.
bool HeaderName(std::string_view text, std::string_view* name) {
  std::size_t first = FirstNonBlank(text);
  if (first == std::string_view::npos || text[first] != '[') return false;
  std::string_view rest = text.substr(first + 1);
  *name = Trim(rest.substr(0, rest.find(']')));
  return true;
}

// The key of a key line, or false when the line is not one.
bool KeyName(std::string_view text, std::string_view* key) {
  std::size_t first = FirstNonBlank(text);
  if (first == std::string_view::npos || text[first] == ';' || text[first] == '[') return false;
  std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) return false;
  *key = Trim(text.substr(0, equals));
  return true;
}

// Where a section and a key stand in a file.
struct Location {
  bool section_found = false;
  TextLine header_line;
  bool has_key_line = false;
  TextLine last_key_line;  // the section's last key line, when it has one
  bool key_found = false;
  TextLine key_line;
  bool has_lines = false;
  TextLine last_line;  // the file's last line, known only when the section was not found
};

// One pass over the lines up to the end of the section, keeping none of them: a write to a large
// file costs one scan of what lies before the key, and no memory beyond the file.
Location Find(std::string_view file, std::string_view section, std::string_view key) {
  Location at;
  bool inside = false;
  const std::string_view wanted_section = Trim(section);
  const std::string_view wanted_key = Trim(key);
  for (std::size_t pos = TextStart(file); pos < file.size();) {
    const TextLine line = LineAt(file, pos);
    pos = line.end;
    at.has_lines = true;
    at.last_line = line;
    std::string_view text = LineText(file, line);
    std::string_view name;
    if (HeaderName(text, &name)) {
      if (inside) break;  // the first section of the name has ended
      if (EqualIgnoringAsciiCase(name, wanted_section)) {
        inside = true;
        at.section_found = true;
        at.header_line = line;
      }
      continue;
    }
    if (!inside || !KeyName(text, &name)) continue;
    at.has_key_line = true;
    at.last_key_line = line;
    if (!at.key_found && EqualIgnoringAsciiCase(name, wanted_key)) {
      at.key_found = true;
      at.key_line = line;
    }
  }
  return at;
}

std::string CutToBuffer(std::string_view value, std::size_t buffer_size) {
  value = value.substr(0, value.find('\0'));
  if (buffer_size == 0) return {};
  return std::string(value.substr(0, buffer_size - 1));
}

}  // namespace

std::string KeyLine(std::string_view key, std::string_view value) {
  std::string line(key);
  line += '=';
  line += value;
  line += kLineEnd;
  return line;
}

std::string ReadString(std::string_view file, std::string_view section, std::string_view key,
                       std::string_view default_value, std::size_t buffer_size) {
  Location at = Find(file, section, key);
  if (!at.key_found) return CutToBuffer(default_value, buffer_size);
  std::string_view text = LineText(file, at.key_line);
  std::string_view value = Trim(text.substr(text.find('=') + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return CutToBuffer(value, buffer_size);
}

Splice PlanWrite(std::string_view file, std::string_view section, std::string_view key,
                 std::string_view value, bool* section_found) {
  Location at = Find(file, section, key);
  if (section_found != nullptr) *section_found = at.section_found;
  Splice splice;
  if (at.key_found) {
    const TextLine& line = at.key_line;
    splice.at = line.begin + LineText(file, line).find('=') + 1;
    splice.erase = line.content_end - splice.at;
    splice.text = std::string(value);
    if (!line.has_ending()) splice.text.append(kLineEnd);
    return splice;
  }

  if (at.section_found) {
    const TextLine& anchor = at.has_key_line ? at.last_key_line : at.header_line;
    splice.at = anchor.end;
    if (!anchor.has_ending()) splice.text.append(kLineEnd);
    splice.text.append(KeyLine(key, value));
    return splice;
  }

  splice.at = file.size();
  // Only an unended last line needs an ending before the new header; a byte-order mark alone is
  // no line, so a file holding nothing else gets no blank line after it.
  if (at.has_lines && !at.last_line.has_ending()) splice.text.append(kLineEnd);
  splice.text += '[';
  splice.text.append(section);
  splice.text += ']';
  splice.text.append(kLineEnd);
  splice.text.append(KeyLine(key, value));
  return splice;
}

void ApplySplice(std::string* file, const Splice& splice) {
  file->replace(splice.at, splice.erase, splice.text);
}

void WriteStringInPlace(std::string* file, std::string_view section, std::string_view key,
                        std::string_view value) {
  ApplySplice(file, PlanWrite(*file, section, key, value));
}

std::string WriteString(std::string_view file, std::string_view section, std::string_view key,
                        std::string_view value) {
  const Splice splice = PlanWrite(file, section, key, value);
  std::string out;
  out.reserve(file.size() - splice.erase + splice.text.size());
  out.append(file.substr(0, splice.at));
  out.append(splice.text);
  out.append(file.substr(splice.at + splice.erase));
  return out;
}

bool HasSection(std::string_view file, std::string_view section) {
  return Find(file, section, {}).section_found;
}

bool HasKey(std::string_view file, std::string_view section, std::string_view key) {
  return Find(file, section, key).key_found;
}

bool ParseHeader(std::string_view line, std::string_view* name) {
  return HeaderName(line, name);
}

bool ParseKeyLine(std::string_view line, std::string_view* key, std::string_view* value) {
  if (!KeyName(line, key)) return false;
  *value = line.substr(line.find('=') + 1);
  return true;
}

namespace {

bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}

}  // namespace

bool FindHeaderLine(std::string_view file, std::size_t from, TextLine* line) {
  const std::size_t start = TextStart(file);
  for (std::size_t at = std::max(from, start); at < file.size(); ++at) {
    const void* bracket = std::memchr(file.data() + at, '[', file.size() - at);
    if (bracket == nullptr) return false;
    at = static_cast<std::size_t>(static_cast<const char*>(bracket) - file.data());
    // A header when only blanks stand between it and the line's beginning.
    std::size_t begin = at;
    while (begin > start && IsBlank(file[begin - 1])) --begin;
    if (begin == start || IsLineEnd(file[begin - 1])) {
      *line = LineAt(file, begin);
      return true;
    }
  }
  return false;
}

TextLine LineBefore(std::string_view file, std::size_t begin) {
  const std::size_t start = TextStart(file);
  TextLine line;
  line.end = begin;
  line.content_end = begin - 1;
  if (file[begin - 1] == '\n' && begin - 1 > start && file[begin - 2] == '\r') --line.content_end;
  line.begin = line.content_end;
  while (line.begin > start && !IsLineEnd(file[line.begin - 1])) --line.begin;
  return line;
}

bool SameName(std::string_view a, std::string_view b) {
  return EqualIgnoringAsciiCase(Trim(a), Trim(b));
}

std::string NameSet::Folded(std::string_view name) {
  name = Trim(name);
  std::string folded;
  folded.reserve(name.size());
  for (char c : name) folded += AsciiLower(c);
  return folded;
}

double ParseNumber(std::string_view text) {
  std::size_t i = FirstNonBlank(text);
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
  // A read tells whether the file is there: a missing one is written afresh.
  Result<std::string> bytes = fs.ReadFile(path);
  std::string file;
  if (bytes.ok()) {
    file = std::move(bytes.value());
  } else if (bytes.status().kind() != ErrorKind::kNotFound) {
    return bytes.status();
  }
  WriteStringInPlace(&file, section, key, value);
  return fs.ReplaceFile(path, file);
}

}  // namespace profile
}  // namespace ql2
