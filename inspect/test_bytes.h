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

// 87 records with a station, a board text, a chainage, the totals and the
// scenario and train records filled, some slots at the ends of their ranges.
inline GeneralRecords sample_records() {
  GeneralRecords records{};
  GeneralRecord& station = records[1];
  station.kind = 12;
  station.long_1 = -400;
  station.long_2 = 450;
  station.byte_1 = 1;
  station.text = "VALMIRA CENTRALE";
  station.short_1 = 3;
  station.short_2 = -1;
  station.short_3 = 2;
  station.short_4 = 32767;
  station.short_5 = -32768;
  station.byte_2 = 255;
  station.byte_3 = 12;
  station.long_4 = 45540;
  records[80].text = "Caf\xE9 \"Sud\"";  // a Windows-1252 byte stays a byte
  records[81].long_1 = 1200;
  records[81].long_2 = 98000;
  records[81].long_3 = 1;
  records[84].long_2 = 302600;
  records[84].byte_2 = 7;  // a slot the totals do not use
  records[85].text = "Valmira_Lunerio";
  records[85].short_1 = 611;
  records[85].long_4 = -2147483647 - 1;
  records[86].text = "37924";
  return records;
}

}  // namespace sb::test

#endif  // SCENARIO_BUILDER_INSPECT_TEST_BYTES_H_
