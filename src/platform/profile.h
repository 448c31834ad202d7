// The profile (INI) file engine. The program edits files it does not own (the aircraft's panel
// files), so a write changes exactly one line, or inserts exactly one, and leaves every other byte
// as it was: comments, blank lines, line endings, bytes before the first section, NUL bytes.
//
// Rules: a section header is a line whose first non-blank is '['; its name runs to the first ']'
// (or the line's end), blanks trimmed. Names and keys match ASCII case-insensitively, and only
// the first section of a name and the first key of a name within it count. A key line is a line
// of a section that holds '=' and does not begin with ';'.
#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/spliced_bytes.h"
#include "platform/text_lines.h"

namespace ql2 {
namespace profile {

// The value of section/key as the Windows profile reader gives it into a buffer of buffer_size
// characters: blanks trimmed, one pair of outer quotes removed, cut at a NUL and to
// buffer_size - 1 characters. A missing section or key gives default_value (cut the same way).
std::string ReadString(std::string_view file, std::string_view section, std::string_view key,
                       std::string_view default_value, std::size_t buffer_size);

// The file's bytes after setting section/key to value. An existing key keeps its text and line
// ending and gets everything after its '=' replaced; a missing key becomes "key=value" CR LF right
// after the section's last key line; a missing section is appended at the end of the file.
std::string WriteString(std::string_view file, std::string_view section, std::string_view key,
                        std::string_view value);

// A write as a change of the file's bytes.
using Splice = ql2::Splice;

// WriteString as a splice of the file, and the same write made in place: a file grown in place
// (its capacity reserved) is never copied. With section_found, whether the file has the section
// (else the splice appends it).
Splice PlanWrite(std::string_view file, std::string_view section, std::string_view key,
                 std::string_view value, bool* section_found = nullptr);
void ApplySplice(std::string* file, const Splice& splice);
void WriteStringInPlace(std::string* file, std::string_view section, std::string_view key,
                        std::string_view value);

// The line a write adds for a key its section lacks: "key=value" CR LF.
std::string KeyLine(std::string_view key, std::string_view value);

// Whether the file has a section of this name, and whether that section has this key.
bool HasSection(std::string_view file, std::string_view section);
bool HasKey(std::string_view file, std::string_view section, std::string_view key);

// The rules above, one line at a time, for readers that look at a file's lines themselves: the
// name of a header line, and the key and raw value (everything after the first '=') of a key
// line; false when the line is not one.
bool ParseHeader(std::string_view line, std::string_view* name);
bool ParseKeyLine(std::string_view line, std::string_view* key, std::string_view* value);

// The first header line that begins at or after `from` (a line's beginning), found by looking
// only at the '[' characters of the file, not at every line; false when there is none. A scan
// that skips most sections of a large file finds their headers this way.
bool FindHeaderLine(std::string_view file, std::size_t from, TextLine* line);

// The line that ends where the line beginning at `begin` (> TextStart) begins.
TextLine LineBefore(std::string_view file, std::size_t begin);

// Whether two section names or two keys name the same thing, as the rules above compare them.
bool SameName(std::string_view a, std::string_view b);

// A set of section names or keys, which holds a name as SameName compares it.
class NameSet {
 public:
  void Add(std::string_view name) { names_.insert(Folded(name)); }
  bool Has(std::string_view name) const { return names_.count(Folded(name)) != 0; }

 private:
  static std::string Folded(std::string_view name);

  std::set<std::string> names_;
};

// A text taken as a number: leading blanks skipped, then the longest prefix that forms a decimal
// number (sign, digits, optional fraction); no such prefix gives 0.
double ParseNumber(std::string_view text);

// ReadString on a file: a missing file gives the default; a file that cannot be read is an error.
Result<std::string> ReadFileString(FileSystem& fs, const std::string& path,
                                   std::string_view section, std::string_view key,
                                   std::string_view default_value, std::size_t buffer_size);

// WriteString on a file, replaced atomically. A missing file is created; a missing folder is an
// error.
Status WriteFileString(FileSystem& fs, const std::string& path, std::string_view section,
                       std::string_view key, std::string_view value);

}  // namespace profile
}  // namespace ql2
