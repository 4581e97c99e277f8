#ifndef SCENARIO_BUILDER_INSPECT_TEST_BYTES_H_
#define SCENARIO_BUILDER_INSPECT_TEST_BYTES_H_

// Hand-built scenario file bytes for the tests of this folder.

#include <cstdint>
#include <string>
#include <string_view>

#include "format/byte_io.h"
#include "format/cells.h"
#include "format/records.h"
#include "format/trace_elements.h"

namespace sb::test {

// Appends fields in the files' byte order: whole records and cells, trace
// elements, and loose fields for files cut short or malformed.
class Bytes {
 public:
  Bytes& u8(uint8_t v) {
    return put([v](ByteString& out) { out.put_u8(v); });
  }
  Bytes& u16(uint16_t v) {
    return put([v](ByteString& out) { out.put_u16(v); });
  }
  Bytes& i16(int16_t v) {
    return put([v](ByteString& out) { out.put_i16(v); });
  }
  Bytes& i32(int32_t v) {
    return put([v](ByteString& out) { out.put_i32(v); });
  }
  Bytes& f64(double v) {
    return put([v](ByteString& out) { out.put_f64(v); });
  }
  Bytes& raw(const std::string& s) {
    return put([&s](ByteString& out) { out.put(s); });
  }
  Bytes& record(const GeneralRecord& r) {
    return put([&r](ByteString& out) { encode_record(r, out); });
  }
  Bytes& cell(const TrackCell& c) {
    return put([&c](ByteString& out) { encode_cell(c, out); });
  }
  Bytes& unset() { return trace_element(TraceTag::kUnset); }
  Bytes& int16_element(int16_t v) { return trace_element(v); }
  Bytes& double_element(double v) { return trace_element(v); }

  const std::string& str() const { return out_.bytes(); }
  operator std::string() const { return out_.bytes(); }

 private:
  template <typename Put>
  Bytes& put(Put&& put) {
    put(out_);
    return *this;
  }
  template <typename Value>
  Bytes& trace_element(Value v) {
    char element[kTraceElementBytes];
    const char* end = store_trace_element(element, v);
    out_.put(std::string_view(element, static_cast<size_t>(end - element)));
    return *this;
  }

  ByteString out_;
};

inline std::string records_file(const GeneralRecords& records) {
  Bytes bytes;
  for (const GeneralRecord& r : records) bytes.record(r);
  return bytes;
}

}  // namespace sb::test

#endif  // SCENARIO_BUILDER_INSPECT_TEST_BYTES_H_
