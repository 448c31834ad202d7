#include "platform/spliced_bytes.h"

namespace ql2 {

SplicedBytes::SplicedBytes(SharedBytes base, std::vector<Splice> splices)
    : base_(std::move(base)), splices_(std::move(splices)) {}

std::size_t SplicedBytes::size() const {
  std::size_t size = base_.size();
  for (const Splice& splice : splices_) size += splice.text.size() - splice.erase;
  return size;
}

std::vector<std::string_view> SplicedBytes::Parts() const {
  const std::string_view base = base_;
  std::vector<std::string_view> parts;
  parts.reserve(2 * splices_.size() + 1);
  std::size_t from = 0;
  auto add = [&parts](std::string_view part) {
    if (!part.empty()) parts.push_back(part);
  };
  for (const Splice& splice : splices_) {
    add(base.substr(from, splice.at - from));
    add(splice.text);
    from = splice.at + splice.erase;
  }
  add(base.substr(from));
  return parts;
}

std::string SplicedBytes::Joined() const {
  std::string joined;
  joined.reserve(size());
  for (std::string_view part : Parts()) joined.append(part);
  return joined;
}

bool SplicedBytes::Equals(std::string_view bytes) const {
  if (bytes.size() != size()) return false;
  for (std::string_view part : Parts()) {
    if (bytes.substr(0, part.size()) != part) return false;
    bytes.remove_prefix(part.size());
  }
  return true;
}

}  // namespace ql2
