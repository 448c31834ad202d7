// Reading one text value out of a registry file that Wine keeps in its prefix (system.reg,
// user.reg). Only parsing: the bytes come from the caller, nothing here touches the file system.
//
// The file is line based. It starts with "WINE REGISTRY Version 2"; a key starts with its path in
// brackets ("[Software\\Microsoft\\Windows] 1700000000", the number is its time stamp), followed by
// its values, one a line: "name"="text" (a plain string), "name"=str(2):"text" (a string with
// %variables%), "name"=str(7):"text" (several strings), "name"=hex(2):43,00,... (the same as
// UTF-16LE bytes), dword:..., hex:... Lines starting with ';' or '#' are comments and options.
// The spelling str(2:"text") found in some hand-written files is read as str(2):"text".
//
// Key paths and value names are matched ignoring ASCII letter case, as Wine matches them. A
// prefix's system.reg runs to megabytes, so a key line is compared as it is decoded and left at
// its first differing character; no line is copied unless it continues on the next.
//
// Strings use Wine's escapes: \\ \" \a \b \e \f \n \r \t \v, \x followed by 1 to 4 hex digits (one
// UTF-16 code unit) and \ followed by 1 to 3 octal digits (\0 is a NUL); any other escaped
// character stands for itself. Wine writes every character above 127 as \x, so the file itself is
// ASCII; the text is returned as UTF-8 because that is how Wine names files on disk, which is what
// the text is used for. A surrogate pair becomes one character; a lone surrogate becomes U+FFFD.
// Bytes above 127 written straight into a hand-edited file are passed through unchanged (taken
// as UTF-8 already).
//
// A line ending in a backslash that is not itself escaped continues on the next line, whose
// leading blanks are dropped (Wine wraps long hex values this way; a string wrapped the same way
// is read too).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ql2 {
namespace wine {

inline constexpr std::string_view kRegistryFileHeader = "WINE REGISTRY Version 2";

enum class RegLookup {
  kFound,        // the value is a text; RegText::text holds it
  kNoKey,        // no key of that path
  kNoValue,      // the key has no value of that name
  kNotText,      // the value holds a number or binary data, not a text
  kNotRegistry,  // the bytes do not start with kRegistryFileHeader
};

struct RegText {
  RegLookup lookup = RegLookup::kNoKey;
  // The whole decoded text in UTF-8, NULs included (a caller that wants a C string cuts it).
  std::string text;
  // Whether the value is of the kind whose %variables% Windows expands on use (str(2)/hex(2)).
  bool expandable = false;
};

// The value `value_name` of key `key_path` (both ASCII; the path backslash-separated, relative to
// the file's root, as "Software\Microsoft\...") in the registry file `file`. A key written in
// several places is one key, and of a value written several times the last line counts, as when
// Wine loads the file.
RegText FindRegistryText(std::string_view file, std::string_view key_path,
                         std::string_view value_name);

// The value in each of several keys, in one reading of the file: one result per key, in order.
std::vector<RegText> FindRegistryTexts(std::string_view file,
                                       const std::vector<std::string_view>& key_paths,
                                       std::string_view value_name);

}  // namespace wine
}  // namespace ql2
