#include "platform/prefix_manager_files.h"

#include <cstdint>

#include "platform/ascii.h"
#include "platform/text_lines.h"
#include "platform/utf8.h"

namespace ql2 {
namespace {

constexpr std::string_view kLutrisGameSection = "game";
constexpr std::string_view kLutrisPrefixKey = "prefix";
constexpr std::string_view kYamlNulls[] = {"~", "null", "Null", "NULL"};
constexpr std::string_view kYamlCommentStart = " #";
constexpr std::string_view kYmlExtension = ".yml";
// Lutris stamps a configuration with the Unix time it was made: ten digits since 2001.
constexpr std::size_t kMinTimeStampDigits = 9;
constexpr std::string_view kHeroicPrefixKey = "winePrefix";
constexpr std::string_view kSteamPathKey = "path";

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

size_t Indentation(std::string_view line) {
  size_t n = 0;
  while (n < line.size() && IsBlank(line[n])) ++n;
  return n;
}

// "key: value" -> value, when the line's key is `key`; nullopt for any other line.
std::optional<std::string_view> YamlValueOf(std::string_view line, std::string_view key) {
  line = Trim(line);
  if (line.substr(0, key.size()) != key) return std::nullopt;
  line.remove_prefix(key.size());
  line = Trim(line);
  if (line.empty() || line.front() != ':') return std::nullopt;
  line.remove_prefix(1);
  if (!line.empty() && !IsBlank(line.front())) return std::nullopt;  // "key:x" is no mapping
  return Trim(line);
}

// A YAML scalar as written after "key:", on one line.
std::string YamlScalar(std::string_view written) {
  if (!written.empty() && written.front() == '\'') {
    std::string text;
    for (size_t i = 1; i < written.size(); ++i) {
      if (written[i] != '\'') {
        text += written[i];
      } else if (i + 1 < written.size() && written[i + 1] == '\'') {
        text += '\'';  // '' stands for one quote
        ++i;
      } else {
        break;
      }
    }
    return text;
  }
  if (!written.empty() && written.front() == '"') {
    std::string text;
    for (size_t i = 1; i < written.size() && written[i] != '"'; ++i) {
      if (written[i] == '\\' && i + 1 < written.size()) {
        const char escaped = written[++i];
        text += escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
      } else {
        text += written[i];
      }
    }
    return text;
  }
  const size_t comment = written.find(kYamlCommentStart);
  return std::string(Trim(written.substr(0, comment)));
}

std::optional<std::uint32_t> Hex4(std::string_view s, size_t pos) {
  if (pos + 4 > s.size()) return std::nullopt;
  std::uint32_t value = 0;
  for (size_t i = pos; i < pos + 4; ++i) {
    const char c = AsciiLower(s[i]);
    int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<std::uint32_t>(digit);
  }
  return value;
}

// The quoted strings of a JSON or VDF file in order, each with the position just after it;
// `json` decodes JSON's escapes, else VDF's.
struct QuotedString {
  std::string text;
  size_t end;
};

std::vector<QuotedString> QuotedStrings(std::string_view s, bool json) {
  std::vector<QuotedString> strings;
  size_t pos = 0;
  while ((pos = s.find('"', pos)) != std::string_view::npos) {
    std::string text;
    ++pos;
    while (pos < s.size() && s[pos] != '"') {
      char c = s[pos++];
      if (c != '\\' || pos == s.size()) {
        text += c;
        continue;
      }
      c = s[pos++];
      switch (c) {
        case 'n':
          text += '\n';
          break;
        case 't':
          text += '\t';
          break;
        case 'u': {
          std::optional<std::uint32_t> unit = json ? Hex4(s, pos) : std::nullopt;
          if (!unit) {
            text += c;
            break;
          }
          pos += 4;
          std::uint32_t cp = *unit;
          if (cp >= 0xD800 && cp <= 0xDBFF && s.substr(pos, 2) == "\\u") {
            std::optional<std::uint32_t> low = Hex4(s, pos + 2);
            if (low && *low >= 0xDC00 && *low <= 0xDFFF) {
              cp = 0x10000 + ((cp - 0xD800) << 10) + (*low - 0xDC00);
              pos += 6;
            }
          }
          AppendUtf8(text, cp);
          break;
        }
        default:
          text += c;  // \\ \" \/ and anything else stand for themselves
          break;
      }
    }
    if (pos >= s.size()) break;  // not closed
    ++pos;
    strings.push_back({std::move(text), pos});
  }
  return strings;
}

}  // namespace

std::optional<std::string> LutrisGamePrefix(std::string_view yml) {
  std::optional<std::string> prefix;
  bool in_game = false;
  size_t key_indentation = 0;  // of the game section's keys, once the first is seen
  ForEachLine(yml, [&](std::string_view line) {
    std::string_view content = Trim(line);
    if (content.empty() || content.front() == '#') return true;
    const size_t indentation = Indentation(line);
    if (indentation == 0) {
      std::optional<std::string_view> value = YamlValueOf(line, kLutrisGameSection);
      in_game = value && value->empty();
      key_indentation = 0;
      return true;
    }
    if (!in_game) return true;
    if (key_indentation == 0) key_indentation = indentation;
    if (indentation != key_indentation) return true;  // deeper: a nested value
    std::optional<std::string_view> value = YamlValueOf(line, kLutrisPrefixKey);
    if (!value) return true;
    for (std::string_view null : kYamlNulls) {
      if (*value == null) return false;
    }
    std::string text = YamlScalar(*value);
    if (!text.empty()) prefix = std::move(text);
    return false;
  });
  return prefix;
}

std::string LutrisGameName(std::string_view file_name) {
  if (file_name.size() > kYmlExtension.size() &&
      file_name.substr(file_name.size() - kYmlExtension.size()) == kYmlExtension) {
    file_name.remove_suffix(kYmlExtension.size());
  }
  size_t digits = 0;
  while (digits < file_name.size() && file_name[file_name.size() - 1 - digits] >= '0' &&
         file_name[file_name.size() - 1 - digits] <= '9') {
    ++digits;
  }
  if (digits >= kMinTimeStampDigits && digits + 1 < file_name.size() &&
      file_name[file_name.size() - 1 - digits] == '-') {
    file_name.remove_suffix(digits + 1);
  }
  return std::string(file_name);
}

namespace {

// The string values of `key` in a file of "key": "value" (JSON) or "key" "value" (VDF) pairs.
std::vector<std::string> ValuesOf(std::string_view file, std::string_view key, bool json) {
  std::vector<std::string> values;
  std::vector<QuotedString> strings = QuotedStrings(file, json);
  for (size_t i = 0; i + 1 < strings.size(); ++i) {
    if (strings[i].text != key) continue;
    // Only blanks (and JSON's colon) between the key and its value.
    std::string_view between = file.substr(strings[i].end);
    size_t value_start = file.find('"', strings[i].end);
    between = between.substr(0, value_start - strings[i].end);
    bool plain = true;
    for (char c : between) plain &= IsBlank(c) || c == '\n' || (json && c == ':');
    if (!plain) continue;
    values.push_back(strings[i + 1].text);
    ++i;
  }
  return values;
}

}  // namespace

std::vector<std::string> HeroicWinePrefixes(std::string_view json) {
  return ValuesOf(json, kHeroicPrefixKey, true);
}

std::vector<std::string> SteamLibraryPaths(std::string_view vdf) {
  return ValuesOf(vdf, kSteamPathKey, false);
}

}  // namespace ql2
