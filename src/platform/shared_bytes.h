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
  SharedBytes(std::string bytes);  // NOLINT: implicit, as a string is what it holds
  SharedBytes(const char* text) : SharedBytes(std::string(text)) {}  // NOLINT
  // Takes over the first `size` bytes of a buffer the caller filled (a file read straight into
  // memory that was never cleared first), released as its owner says.
  SharedBytes(std::shared_ptr<const char> buffer, std::size_t size);

  std::string_view view() const { return {data_, size_}; }
  operator std::string_view() const { return view(); }  // NOLINT
  const char* data() const { return data_; }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

  friend bool operator==(const SharedBytes& a, const SharedBytes& b) {
    return (a.data_ == b.data_ && a.size_ == b.size_) || a.view() == b.view();
  }
  friend bool operator!=(const SharedBytes& a, const SharedBytes& b) { return !(a == b); }
  friend bool operator==(const SharedBytes& a, std::string_view b) { return a.view() == b; }
  friend bool operator!=(const SharedBytes& a, std::string_view b) { return a.view() != b; }
  friend bool operator==(std::string_view a, const SharedBytes& b) { return a == b.view(); }
  friend bool operator!=(std::string_view a, const SharedBytes& b) { return a != b.view(); }
  friend bool operator==(const SharedBytes& a, const std::string& b) { return a.view() == b; }
  friend bool operator!=(const SharedBytes& a, const std::string& b) { return a.view() != b; }
  friend bool operator==(const std::string& a, const SharedBytes& b) { return a == b.view(); }
  friend bool operator!=(const std::string& a, const SharedBytes& b) { return a != b.view(); }

 private:
  std::shared_ptr<const void> owner_;  // what holds the bytes: a string or a buffer
  const char* data_ = "";
  std::size_t size_ = 0;
};

}  // namespace ql2
