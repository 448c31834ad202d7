// A file's bytes, read or made once and then shared by whoever holds them (the view of the
// folder, a click's plan, the plan's undo), never copied: a click on a large file holds it once.
// The bytes never change once made.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace ql2 {

class SharedBytes {
 public:
  SharedBytes() = default;
  // Takes the bytes over (move a string in to avoid a copy).
  SharedBytes(std::string bytes)  // NOLINT: implicit, as a string is what it holds
      : bytes_(std::make_shared<const std::string>(std::move(bytes))) {}
  SharedBytes(const char* text) : SharedBytes(std::string(text)) {}  // NOLINT

  const std::string& str() const { return bytes_ ? *bytes_ : Empty(); }
  operator const std::string&() const { return str(); }  // NOLINT
  operator std::string_view() const { return str(); }    // NOLINT
  std::size_t size() const { return str().size(); }
  bool empty() const { return str().empty(); }

  friend bool operator==(const SharedBytes& a, const SharedBytes& b) {
    return a.bytes_ == b.bytes_ || a.str() == b.str();
  }
  friend bool operator!=(const SharedBytes& a, const SharedBytes& b) { return !(a == b); }
  friend bool operator==(const SharedBytes& a, const std::string& b) { return a.str() == b; }
  friend bool operator!=(const SharedBytes& a, const std::string& b) { return a.str() != b; }
  friend bool operator==(const std::string& a, const SharedBytes& b) { return a == b.str(); }
  friend bool operator!=(const std::string& a, const SharedBytes& b) { return a != b.str(); }

 private:
  static const std::string& Empty() {
    static const std::string empty;
    return empty;
  }

  std::shared_ptr<const std::string> bytes_;
};

}  // namespace ql2
