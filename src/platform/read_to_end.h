// Reading a whole file that a file system opened, the same on every system: into memory sized as
// the file was when opened (one byte more shows its end), and into a larger one should it have
// grown meanwhile. `File` gives status() (why it could not be opened), room() (its size when
// opened, and one) and ReadSome(buffer, most, &got, path) (one read of the system's; 0 at the
// end).
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>

#include "platform/shared_bytes.h"
#include "platform/status.h"

namespace ql2 {

// Reads on into buffer [*filled, capacity); false when the buffer filled before the file ended.
template <typename File>
Result<bool> ReadOn(File& file, char* buffer, std::size_t capacity, std::size_t* filled,
                    const std::string& path) {
  while (*filled < capacity) {
    std::size_t got = 0;
    Status read = file.ReadSome(buffer + *filled, capacity - *filled, &got, path);
    if (!read.ok()) return read;
    if (got == 0) return true;
    *filled += got;
  }
  return false;
}

template <typename File>
Result<std::string> ReadToEndAsString(File& file, const std::string& path) {
  if (!file.status().ok()) return file.status();
  std::string bytes(file.room(), '\0');
  std::size_t filled = 0;
  for (;;) {
    Result<bool> ended = ReadOn(file, &bytes[0], bytes.size(), &filled, path);
    if (!ended.ok()) return ended.status();
    if (ended.value()) break;
    bytes.resize(bytes.size() * 2);
  }
  bytes.resize(filled);
  return bytes;
}

// Into memory from new_buffer(size) (a std::shared_ptr<char>), which need not be cleared: a click
// holds every file it reads, and clearing the memory first is one more pass over all of it.
template <typename File, typename NewBuffer>
Result<SharedBytes> ReadToEndAsShared(File& file, const std::string& path, NewBuffer&& new_buffer) {
  if (!file.status().ok()) return file.status();
  std::size_t capacity = file.room();
  std::shared_ptr<char> buffer = new_buffer(capacity);
  std::size_t filled = 0;
  for (;;) {
    Result<bool> ended = ReadOn(file, buffer.get(), capacity, &filled, path);
    if (!ended.ok()) return ended.status();
    if (ended.value()) break;
    std::shared_ptr<char> larger = new_buffer(capacity * 2);
    std::memcpy(larger.get(), buffer.get(), filled);
    buffer = std::move(larger);
    capacity *= 2;
  }
  return SharedBytes(std::move(buffer), filled);
}

// Memory that is not cleared, from the heap.
inline std::shared_ptr<char> NewUnclearedBuffer(std::size_t size) {
  return std::shared_ptr<char>(new char[size], std::default_delete<char[]>());
}

}  // namespace ql2
