#ifndef SCENARIO_BUILDER_INSPECT_TEST_BYTES_H_
#define SCENARIO_BUILDER_INSPECT_TEST_BYTES_H_

// Hand-built scenario file bytes for the tests of this folder.

#include <bit>
#include <cstdint>
#include <string>

#include "model/build_state.h"
#include "model/track_cell.h"

namespace sb::test {

// Appends little-endian fields.
class Bytes {
 public:
  Bytes& u8(uint8_t v) { return le(v, 1); }
  Bytes& u16(uint16_t v) { return le(v, 2); }
  Bytes& i16(int16_t v) { return le(static_cast<uint16_t>(v), 2); }
  Bytes& i32(int32_t v) { return le(static_cast<uint32_t>(v), 4); }
  Bytes& f64(double v) { return le(std::bit_cast<uint64_t>(v), 8); }
  Bytes& raw(const std::string& s) {
    data_ += s;
    return *this;
  }
  Bytes& text(const std::string& s) { return u16(static_cast<uint16_t>(s.size())).raw(s); }

  Bytes& record(const GeneralRecord& r) {
    return u8(r.kind).i32(r.long_1).i32(r.long_2).i32(r.long_3).u8(r.byte_1).text(r.text)
        .i16(r.short_1).i16(r.short_2).i16(r.short_3).i16(r.short_4).i16(r.short_5)
        .u8(r.byte_2).u8(r.byte_3).u8(r.byte_4).u8(r.byte_5).i32(r.long_4);
  }
  Bytes& cell(const TrackCell& c) {
    return u8(c.kind).i16(c.value_1).i16(c.value_2).i16(c.value_3).i16(c.value_4)
        .u8(c.signal_time).u8(c.approach).u8(c.mountain_side).u8(c.speed_limit)
        .u8(c.gradient).u8(c.adhesion);
  }
  Bytes& unset() { return u16(0); }
  Bytes& int16_element(int16_t v) { return u16(2).i16(v); }
  Bytes& double_element(double v) { return u16(5).f64(v); }

  const std::string& str() const { return data_; }
  operator std::string() const { return data_; }

 private:
  Bytes& le(uint64_t v, int size) {
    for (int i = 0; i < size; ++i) data_ += static_cast<char>((v >> (8 * i)) & 0xFF);
    return *this;
  }
  std::string data_;
};

inline std::string records_file(const std::array<GeneralRecord, kRecordCount>& records) {
  Bytes bytes;
  for (const GeneralRecord& r : records) bytes.record(r);
  return bytes;
}

}  // namespace sb::test

#endif  // SCENARIO_BUILDER_INSPECT_TEST_BYTES_H_
