#ifndef SCENARIO_BUILDER_PLATFORM_BUFFERED_WRITER_H_
#define SCENARIO_BUILDER_PLATFORM_BUFFERED_WRITER_H_

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "util/little_endian.h"

namespace sb {

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
  void put_i16(int16_t value) { put_le(value); }
  void put_i32(int32_t value) { put_le(value); }
  void put_f64(double value) { put_le(value); }

  // Hands what is buffered to the file; false once anything failed.
  bool flush();
  bool ok() const { return ok_; }

 private:
  void reserve(size_t bytes) {
    if (used_ + bytes > buffer_.size()) flush();
  }

  template <typename T>
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
