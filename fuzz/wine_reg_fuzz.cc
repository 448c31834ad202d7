// Fuzzes the reading of a value out of a Wine registry file, which passes over the keys nobody
// asked for without splitting their lines, and checks it against a model kept here that reads
// every line: which key each value line belongs to, after continued value lines are joined.
//
// The model decodes only what it needs to be sure of: key paths whose only escape is "\\\\" and
// value names without escapes; an input with other escapes there is not checked. Of a value, it
// knows the text of a plain "..." string without escapes, and otherwise only that the key and
// the value were found.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ascii.h"
#include "platform/wine_reg_file.h"

namespace {

using ql2::wine::RegLookup;
using ql2::wine::RegText;

// The keys asked for: the simulator's in both views, as the program asks, and a short one the
// mutations easily make.
const std::vector<std::string_view> kKeys = {
    "SOFTWARE\\Wow6432Node\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0",
    "SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0",
    "a\\b",
};
constexpr std::string_view kValue = "EXE Path";

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

bool EndsInContinuation(std::string_view line) {
  std::size_t count = 0;
  while (count < line.size() && line[line.size() - 1 - count] == '\\') ++count;
  return count % 2 == 1;
}

// The file's lines as the format defines them: split at LF, one CR before it dropped, and a value
// line ("..." or @...) that ends in an unescaped backslash joined with the next, whose leading
// blanks are dropped.
std::vector<std::string> LogicalLines(std::string_view file) {
  std::vector<std::string> physical;
  for (std::size_t pos = 0; pos < file.size();) {
    std::size_t end = file.find('\n', pos);
    if (end == std::string_view::npos) end = file.size();
    std::string_view line = file.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    physical.emplace_back(line);
    pos = end + 1;
  }
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < physical.size(); ++i) {
    std::string line = physical[i];
    const std::string_view start = TrimLeft(line);
    const bool is_value = !start.empty() && (start.front() == '"' || start.front() == '@');
    while (is_value && EndsInContinuation(line)) {
      line.pop_back();
      if (i + 1 == physical.size()) break;
      line += std::string(TrimLeft(physical[++i]));
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

// The key path of a "[...]" line, when it is written without escapes other than "\\\\"; nullopt
// when the line is no key; "undecided" when the model cannot tell.
struct KeyPath {
  bool undecided = false;
  std::optional<std::string> path;
};

KeyPath ReadKeyPath(std::string_view rest) {
  KeyPath key;
  std::string path;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] == ']') {
      key.path = path;
      return key;
    }
    if (rest[i] == '\\') {
      if (i + 1 == rest.size() || rest[i + 1] != '\\') {
        key.undecided = true;
        return key;
      }
      ++i;
    }
    path += rest[i];
  }
  return key;  // not closed: no key
}

struct Expected {
  RegLookup lookup = RegLookup::kNoKey;
  std::optional<std::string> text;  // known for a plain string without escapes
};

void Fail(const char* what, std::size_t key) {
  std::fprintf(stderr, "wine_reg_fuzz: %s for key %zu\n", what, key);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  const std::vector<RegText> found = ql2::wine::FindRegistryTexts(file, kKeys, kValue);

  const std::vector<std::string> lines = LogicalLines(file);
  std::vector<Expected> expected(kKeys.size());
  if (lines.empty() || lines[0] != ql2::wine::kRegistryFileHeader) {
    for (std::size_t k = 0; k < kKeys.size(); ++k) {
      if (found[k].lookup != RegLookup::kNotRegistry) Fail("a registry without its header", k);
    }
    return 0;
  }
  std::optional<std::size_t> in_key;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::string_view text = TrimLeft(lines[i]);
    if (text.empty()) continue;
    if (text.front() == '[') {
      const KeyPath key = ReadKeyPath(text.substr(1));
      if (key.undecided) return 0;
      in_key.reset();
      for (std::size_t k = 0; k < kKeys.size() && key.path && !in_key; ++k) {
        if (ql2::EqualIgnoringAsciiCase(*key.path, kKeys[k])) in_key = k;
      }
      if (in_key && expected[*in_key].lookup == RegLookup::kNoKey) {
        expected[*in_key].lookup = RegLookup::kNoValue;
      }
      continue;
    }
    if (!in_key || text.front() != '"') continue;
    const std::size_t name_end = text.find_first_of("\"\\", 1);
    if (name_end == std::string_view::npos) continue;  // not closed
    if (text[name_end] == '\\') return 0;
    if (!ql2::EqualIgnoringAsciiCase(text.substr(1, name_end - 1), kValue)) continue;
    const std::string_view rest = TrimLeft(text.substr(name_end + 1));
    if (rest.empty() || rest.front() != '=') continue;
    const std::string_view value = TrimLeft(rest.substr(1));
    Expected& result = expected[*in_key];
    result.lookup = RegLookup::kFound;  // or kNotText: the data decides
    result.text.reset();
    const std::size_t close = value.find_first_of("\"\\", 1);
    if (!value.empty() && value.front() == '"' && close != std::string_view::npos &&
        value[close] == '"') {
      result.text = std::string(value.substr(1, close - 1));
    }
  }

  for (std::size_t k = 0; k < kKeys.size(); ++k) {
    const Expected& want = expected[k];
    const RegText& got = found[k];
    if (want.lookup == RegLookup::kNoKey || want.lookup == RegLookup::kNoValue) {
      if (got.lookup != want.lookup) Fail("a key or value found that is not there, or missed", k);
      continue;
    }
    if (got.lookup != RegLookup::kFound && got.lookup != RegLookup::kNotText) {
      Fail("the value's line was missed", k);
    }
    if (want.text && (got.lookup != RegLookup::kFound || got.text != *want.text)) {
      Fail("another text than the value's", k);
    }
  }
  return 0;
}
