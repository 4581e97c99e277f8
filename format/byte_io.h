#ifndef SCENARIO_BUILDER_FORMAT_BYTE_IO_H_
#define SCENARIO_BUILDER_FORMAT_BYTE_IO_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "util/little_endian.h"

namespace sb {

// Fields in the files' byte order appended to a string: the same puts as
// the file writer's, for encoding in memory.
class ByteString {
 public:
  void put(std::string_view bytes) { bytes_ += bytes; }
  void put_u8(uint8_t value) { put_le(value); }
  void put_u16(uint16_t value) { put_le(value); }
  void put_i16(int16_t value) { put_le(value); }
  void put_i32(int32_t value) { put_le(value); }
  void put_f64(double value) { put_le(value); }

  const std::string& bytes() const { return bytes_; }
  std::string take() { return std::move(bytes_); }

 private:
  template <typename T>
  void put_le(T value) {
    char stored[sizeof value];
    store_le(stored, value);
    bytes_.append(stored, sizeof value);
  }

  std::string bytes_;
};

// Reads fields in the files' byte order front to back; the caller checks
// left() before each read.
class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

  size_t offset() const { return offset_; }
  size_t left() const { return bytes_.size() - offset_; }

  template <typename T>
  T take_le() {
    const T value = load_le<T>(bytes_.data() + offset_);
    offset_ += sizeof(T);
    return value;
  }

  std::string_view take(size_t size) {
    const std::string_view part = bytes_.substr(offset_, size);
    offset_ += size;
    return part;
  }

 private:
  std::string_view bytes_;
  size_t offset_ = 0;
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_FORMAT_BYTE_IO_H_
