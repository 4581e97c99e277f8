#ifndef SCENARIO_BUILDER_PLATFORM_BUFFERED_WRITER_H_
#define SCENARIO_BUILDER_PLATFORM_BUFFERED_WRITER_H_

#include <bit>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace sb {

// Stores `value` at `at` as little-endian bytes, whatever the machine's own
// order; returns the end of what it stored.
template <std::unsigned_integral T>
inline char* store_le(char* at, T value) {
  if constexpr (std::endian::native != std::endian::little) {
    for (size_t i = 0; i < sizeof value; ++i) at[i] = static_cast<char>(value >> (8 * i));
  } else {
    std::memcpy(at, &value, sizeof value);
  }
  return at + sizeof value;
}

inline char* store_le(char* at, double value) {
  return store_le(at, std::bit_cast<uint64_t>(value));
}

// Little-endian bytes into a fixed buffer that goes to its file whenever it
// fills, so a file of any size costs one write call per buffer.  The first
// failure sticks: later puts do nothing and ok() stays false.
class BufferedWriter {
 public:
  static constexpr size_t kDefaultCapacity = 1 << 16;
  static constexpr size_t kLeastCapacity = 16;

  explicit BufferedWriter(OutputFile& file, size_t capacity = kDefaultCapacity);

  void put(std::string_view bytes);
  void put_u8(uint8_t value) { put_le(value); }
  void put_u16(uint16_t value) { put_le(value); }
  void put_i16(int16_t value) { put_le(static_cast<uint16_t>(value)); }
  void put_i32(int32_t value) { put_le(static_cast<uint32_t>(value)); }
  void put_f64(double value) { put_le(std::bit_cast<uint64_t>(value)); }

  // Hands what is buffered to the file; false once anything failed.
  bool flush();
  bool ok() const { return ok_; }

 private:
  void reserve(size_t bytes) {
    if (used_ + bytes > buffer_.size()) flush();
  }

  template <std::unsigned_integral T>
  void put_le(T value) {
    reserve(sizeof value);
    store_le(buffer_.data() + used_, value);
    used_ += sizeof value;
  }

  OutputFile& file_;
  std::vector<char> buffer_;
  size_t used_ = 0;
  bool ok_ = true;
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_PLATFORM_BUFFERED_WRITER_H_
