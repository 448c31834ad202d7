#include "platform/shared_bytes.h"

namespace ql2 {

SharedBytes::SharedBytes(std::string bytes) {
  auto held = std::make_shared<const std::string>(std::move(bytes));
  data_ = held->data();
  size_ = held->size();
  owner_ = std::move(held);
}

SharedBytes::SharedBytes(std::shared_ptr<const char> buffer, std::size_t size)
    : data_(buffer.get()), size_(size) {
  owner_ = std::move(buffer);
  if (data_ == nullptr) data_ = "";
}

}  // namespace ql2
