// A file's new bytes as its old bytes with a few splices: an edit of a large panel file adds a
// few lines, so the edited file is kept as the original's shared bytes and the lines it gains,
// written out part by part (FileSystem::ReplaceFileWithParts), and joined into one string only
// where someone asks for it (a dry run's diff, a test).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/shared_bytes.h"

namespace ql2 {

// `erase` bytes at offset `at` give way to `text`.
struct Splice {
  std::size_t at = 0;
  std::size_t erase = 0;
  std::string text;
};

class SplicedBytes {
 public:
  SplicedBytes() = default;
  // Implicit, as whole bytes are bytes with no splice.
  SplicedBytes(SharedBytes whole) : base_(std::move(whole)) {}    // NOLINT
  SplicedBytes(std::string whole) : base_(std::move(whole)) {}    // NOLINT
  SplicedBytes(const char* whole) : base_(std::string(whole)) {}  // NOLINT
  // The splices in file order, none overlapping another; two at one offset are made in the
  // order given.
  SplicedBytes(SharedBytes base, std::vector<Splice> splices);

  const SharedBytes& base() const { return base_; }
  const std::vector<Splice>& splices() const { return splices_; }
  std::size_t size() const;

  // The bytes in order, as views into the base and the splices' texts (no empty part).
  std::vector<std::string_view> Parts() const;
  std::string Joined() const;

  // Whether these are exactly the given bytes, compared part by part.
  bool Equals(std::string_view bytes) const;

 private:
  SharedBytes base_;
  std::vector<Splice> splices_;
};

}  // namespace ql2
