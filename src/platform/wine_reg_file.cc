#include "platform/wine_reg_file.h"

#include <cstdint>
#include <optional>

#include "platform/ascii.h"
#include "platform/utf8.h"

namespace ql2 {
namespace wine {
namespace {

// Text value kinds as the file tags them.
constexpr std::string_view kPlainStringTag = "\"";
constexpr std::string_view kStringTag = "str:\"";
constexpr std::string_view kExpandStringTag = "str(2):\"";
constexpr std::string_view kMultiStringTag = "str(7):\"";
// The same kind with the type's parenthesis closed after the text, as some hand-written files
// spell it; Wine itself never writes it.
constexpr std::string_view kExpandStringLooseTag = "str(2:\"";
constexpr std::string_view kHexTag = "hex(";
constexpr unsigned kTypeString = 1;
constexpr unsigned kTypeExpandString = 2;
constexpr unsigned kTypeMultiString = 7;

constexpr char32_t kReplacementCharacter = 0xFFFD;

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

// UTF-8 text built from UTF-16 code units (pairing surrogates) and raw bytes.
class TextBuilder {
 public:
  void AddUnit(std::uint32_t unit) {
    if (unit >= 0xDC00 && unit <= 0xDFFF && high_ != 0) {
      AppendUtf8(out_, 0x10000 + ((high_ - 0xD800) << 10) + (unit - 0xDC00));
      high_ = 0;
      return;
    }
    FlushHigh();
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      high_ = unit;
    } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
      AppendUtf8(out_, kReplacementCharacter);
    } else {
      AppendUtf8(out_, unit);
    }
  }
  void AddByte(char byte) {
    FlushHigh();
    out_ += byte;
  }
  std::string Finish() {
    FlushHigh();
    return std::move(out_);
  }
  bool Stopped() const { return false; }

 private:
  void FlushHigh() {
    if (high_ != 0) AppendUtf8(out_, kReplacementCharacter);
    high_ = 0;
  }
  std::string out_;
  std::uint32_t high_ = 0;  // a high surrogate waiting for its low half, 0 when none
};

// Compares decoded text with an ASCII text ignoring ASCII case, as it is decoded: it stops at the
// first difference, so that a key line is told apart within its first few characters and nothing
// is built for it. Every character of the text compared with is ASCII, so any other unit or byte
// is a difference.
class TextMatcher {
 public:
  explicit TextMatcher(std::string_view expected) : expected_(expected) {}
  void AddUnit(std::uint32_t unit) {
    if (unit >= 0x80 || pos_ >= expected_.size() ||
        AsciiLower(static_cast<char>(unit)) != AsciiLower(expected_[pos_])) {
      differs_ = true;
      return;
    }
    ++pos_;
  }
  void AddByte(char) { differs_ = true; }
  bool Stopped() const { return differs_; }
  bool Matched() const { return !differs_ && pos_ == expected_.size(); }

 private:
  std::string_view expected_;
  size_t pos_ = 0;
  bool differs_ = false;
};

// Decodes an escaped string from just after its opening delimiter up to `end` into `out` (a
// TextBuilder or a TextMatcher), until the end or until `out` stops. Returns the position just
// after the closing delimiter, or nullopt when the string is not closed or decoding stopped.
template <typename Sink>
std::optional<size_t> DecodeString(std::string_view s, size_t pos, char end, Sink& out) {
  while (pos < s.size() && s[pos] != end) {
    if (out.Stopped()) return std::nullopt;
    char c = s[pos++];
    if (c != '\\') {
      if (static_cast<unsigned char>(c) < 0x80) {
        out.AddUnit(static_cast<unsigned char>(c));
      } else {
        out.AddByte(c);
      }
      continue;
    }
    if (pos == s.size()) return std::nullopt;
    c = s[pos++];
    switch (c) {
      case 'a':
        out.AddUnit('\a');
        break;
      case 'b':
        out.AddUnit('\b');
        break;
      case 'e':
        out.AddUnit(0x1B);
        break;
      case 'f':
        out.AddUnit('\f');
        break;
      case 'n':
        out.AddUnit('\n');
        break;
      case 'r':
        out.AddUnit('\r');
        break;
      case 't':
        out.AddUnit('\t');
        break;
      case 'v':
        out.AddUnit('\v');
        break;
      case 'x': {
        std::uint32_t unit = 0;
        int digits = 0;
        while (digits < 4 && pos < s.size() && HexDigit(s[pos]) >= 0) {
          unit = unit * 16 + static_cast<std::uint32_t>(HexDigit(s[pos++]));
          ++digits;
        }
        out.AddUnit(digits == 0 ? 'x' : unit);
        break;
      }
      case '0':
      case '1':
      case '2':
      case '3':
      case '4':
      case '5':
      case '6':
      case '7': {
        std::uint32_t unit = static_cast<std::uint32_t>(c - '0');
        for (int more = 0; more < 2 && pos < s.size() && s[pos] >= '0' && s[pos] <= '7'; ++more) {
          unit = unit * 8 + static_cast<std::uint32_t>(s[pos++] - '0');
        }
        out.AddUnit(unit);
        break;
      }
      default:
        if (static_cast<unsigned char>(c) < 0x80) {
          out.AddUnit(static_cast<unsigned char>(c));
        } else {
          out.AddByte(c);
        }
        break;
    }
  }
  if (pos == s.size() || out.Stopped()) return std::nullopt;
  return pos + 1;
}

// Whether a line ends in a backslash that is not itself escaped.
bool EndsInContinuation(std::string_view line) {
  size_t count = 0;
  while (count < line.size() && line[line.size() - 1 - count] == '\\') ++count;
  return count % 2 == 1;
}

// The file's lines, without their CR LF or LF, with continued value lines joined. A line is a view
// into the file, or into the reader's own buffer when it was joined; it lasts until the next.
class LineReader {
 public:
  explicit LineReader(std::string_view file) : file_(file) {}

  std::optional<std::string_view> Next() {
    std::optional<std::string_view> physical = NextPhysical();
    if (!physical) return std::nullopt;
    std::string_view start = TrimLeft(*physical);
    bool is_value = !start.empty() && (start.front() == '"' || start.front() == '@');
    if (!is_value || !EndsInContinuation(*physical)) return physical;
    joined_.assign(physical->data(), physical->size());
    while (EndsInContinuation(joined_)) {
      joined_.pop_back();
      std::optional<std::string_view> more = NextPhysical();
      if (!more) break;
      joined_ += TrimLeft(*more);
    }
    return std::string_view(joined_);
  }

  // Moves on to the next line that starts (after blanks) with '[': the next key, or the end. Only
  // the lines of keys nobody asked for are passed over this way, so they are not split one by
  // one. Where a '[' line follows one that ends in a backslash, whether it continues a value is
  // for Next to tell: the lines up to it are then read one by one as usual.
  void SkipToKeyLine() {
    if (pos_ < slow_until_) return;
    for (std::size_t search = pos_; search < file_.size();) {
      const std::size_t bracket = file_.find('[', search);
      if (bracket == std::string_view::npos) break;
      std::size_t start = bracket;
      while (start > pos_ && file_[start - 1] != '\n' && IsBlank(file_[start - 1])) --start;
      if (start > pos_ && file_[start - 1] != '\n') {
        search = bracket + 1;  // a '[' inside a line
        continue;
      }
      if (start > 0 && EndsInContinuation(PhysicalLineBefore(start))) {
        slow_until_ = bracket + 1;
        return;
      }
      pos_ = start;
      return;
    }
    pos_ = file_.size();
  }

 private:
  // The physical line that ends just before the line starting at `start`, without its CR LF.
  std::string_view PhysicalLineBefore(std::size_t start) const {
    std::size_t end = start - 1;  // its '\n'
    const std::size_t begin = end == 0 ? 0 : file_.rfind('\n', end - 1) + 1;
    if (end > begin && file_[end - 1] == '\r') --end;
    return file_.substr(begin, end - begin);
  }

  std::optional<std::string_view> NextPhysical() {
    if (pos_ >= file_.size()) return std::nullopt;
    size_t end = file_.find('\n', pos_);
    if (end == std::string_view::npos) end = file_.size();
    std::string_view line = file_.substr(pos_, end - pos_);
    pos_ = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
  }

  std::string_view file_;
  size_t pos_ = 0;
  size_t slow_until_ = 0;  // lines before this are read one by one
  std::string joined_;
};

// Whether the key path of a "[...]" line (given without its '[') is key_path, ignoring case.
// Wine escapes nothing in a key path but its backslashes, so the raw text is compared first,
// "\\\\" standing for one backslash; any other escape is left to the full decoder.
bool KeyPathIs(std::string_view rest, std::string_view key_path) {
  std::size_t raw = 0;
  for (char expected : key_path) {
    if (raw == rest.size()) return false;
    char c = rest[raw];
    if (c == '\\') {
      if (raw + 1 == rest.size() || rest[raw + 1] != '\\') break;  // another escape: decode
      ++raw;
    }
    if (AsciiLower(c) != AsciiLower(expected)) return false;
    ++raw;
    if (&expected == &key_path.back()) return raw < rest.size() && rest[raw] == ']';
  }
  TextMatcher path(key_path);
  return DecodeString(rest, 0, ']', path) && path.Matched();
}

// The text of comma-separated hex bytes, taken as UTF-16LE code units.
std::string DecodeHexText(std::string_view data) {
  TextBuilder text;
  bool have_low = false;  // a code unit's first byte has been read
  unsigned low = 0;
  size_t pos = 0;
  for (;;) {
    while (pos < data.size() && (IsBlank(data[pos]) || data[pos] == ',')) ++pos;
    if (pos == data.size() || HexDigit(data[pos]) < 0) break;
    unsigned byte = static_cast<unsigned>(HexDigit(data[pos++]));
    if (pos < data.size() && HexDigit(data[pos]) >= 0) {
      byte = byte * 16 + static_cast<unsigned>(HexDigit(data[pos++]));
    }
    if (!have_low) {
      low = byte;
      have_low = true;
    } else {
      text.AddUnit(low | (byte << 8));
      have_low = false;
    }
  }
  return text.Finish();
}

// The data of a value line after its '=' and blanks.
RegText ParseData(std::string_view data) {
  RegText result;
  result.lookup = RegLookup::kNotText;
  std::string_view tags[] = {kPlainStringTag, kStringTag, kExpandStringTag, kMultiStringTag,
                             kExpandStringLooseTag};
  for (std::string_view tag : tags) {
    if (!StartsWith(data, tag)) continue;
    TextBuilder text;
    if (!DecodeString(data, tag.size(), '"', text)) return result;
    result.lookup = RegLookup::kFound;
    result.text = text.Finish();
    result.expandable = tag == kExpandStringTag || tag == kExpandStringLooseTag;
    return result;
  }
  if (StartsWith(data, kHexTag)) {
    size_t close = data.find("):", kHexTag.size());
    if (close == std::string_view::npos) return result;
    std::string_view type_text = data.substr(kHexTag.size(), close - kHexTag.size());
    unsigned type = 0;
    for (char c : type_text) {
      if (HexDigit(c) < 0) return result;
      type = type * 16 + static_cast<unsigned>(HexDigit(c));
    }
    if (type_text.empty() ||
        (type != kTypeString && type != kTypeExpandString && type != kTypeMultiString)) {
      return result;
    }
    result.lookup = RegLookup::kFound;
    result.text = DecodeHexText(data.substr(close + 2));
    result.expandable = type == kTypeExpandString;
  }
  return result;
}

}  // namespace

std::vector<RegText> FindRegistryTexts(std::string_view file,
                                       const std::vector<std::string_view>& key_paths,
                                       std::string_view value_name) {
  std::vector<RegText> results(key_paths.size());
  LineReader lines(file);
  std::optional<std::string_view> first = lines.Next();
  if (!first || *first != kRegistryFileHeader) {
    for (RegText& result : results) result.lookup = RegLookup::kNotRegistry;
    return results;
  }
  RegText* in_key = nullptr;  // the result of the key whose values follow, if any
  for (;;) {
    if (in_key == nullptr) lines.SkipToKeyLine();
    std::optional<std::string_view> line = lines.Next();
    if (!line) break;
    std::string_view text = TrimLeft(*line);
    if (text.empty()) continue;
    if (text.front() == '[') {
      in_key = nullptr;
      for (std::size_t i = 0; i < key_paths.size() && in_key == nullptr; ++i) {
        if (KeyPathIs(text.substr(1), key_paths[i])) in_key = &results[i];
      }
      if (in_key != nullptr && in_key->lookup == RegLookup::kNoKey) {
        in_key->lookup = RegLookup::kNoValue;
      }
      continue;
    }
    if (in_key == nullptr || text.front() != '"') continue;
    TextMatcher name(value_name);
    std::optional<size_t> after_name = DecodeString(text, 1, '"', name);
    if (!after_name || !name.Matched()) continue;
    std::string_view rest = TrimLeft(text.substr(*after_name));
    if (rest.empty() || rest.front() != '=') continue;
    *in_key = ParseData(TrimLeft(rest.substr(1)));
  }
  return results;
}

RegText FindRegistryText(std::string_view file, std::string_view key_path,
                         std::string_view value_name) {
  return FindRegistryTexts(file, {key_path}, value_name).front();
}

}  // namespace wine
}  // namespace ql2
