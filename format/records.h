#ifndef SCENARIO_BUILDER_FORMAT_RECORDS_H_
#define SCENARIO_BUILDER_FORMAT_RECORDS_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "format/byte_io.h"

namespace sb {

// One entry of the table of 87 general records: stations from record 1 up,
// indication-board texts from record 80 down, and the line-wide and
// train-wide values in records 81 to 86.  Texts are Windows-1252 bytes.
// What each slot holds depends on the record: see record_meaning.h.
struct GeneralRecord {
  uint8_t kind = 0;
  int32_t long_1 = 0;
  int32_t long_2 = 0;
  int32_t long_3 = 0;
  uint8_t byte_1 = 0;
  std::string text;
  int16_t short_1 = 0;
  int16_t short_2 = 0;
  int16_t short_3 = 0;
  int16_t short_4 = 0;
  int16_t short_5 = 0;
  uint8_t byte_2 = 0;
  uint8_t byte_3 = 0;
  uint8_t byte_4 = 0;
  uint8_t byte_5 = 0;
  int32_t long_4 = 0;

  bool operator==(const GeneralRecord&) const = default;
};

inline constexpr int kRecordCount = 87;
using GeneralRecords = std::array<GeneralRecord, kRecordCount>;

// Roles of the record indices.
inline constexpr int kFirstStationRecord = 1;
inline constexpr int kTopBoardRecord = 80;
inline constexpr int kChainageThreeRecord = 81;
inline constexpr int kChainageTwoRecord = 82;
inline constexpr int kChainageOneRecord = 83;
inline constexpr int kTotalsRecord = 84;
inline constexpr int kScenarioRecord = 85;
inline constexpr int kTrainRecord = 86;

// Stations of this kind and above get no cells.
inline constexpr uint8_t kUnmarkedStationKind = 25;

// The format mark that record 85 carries in short_1.
inline constexpr int16_t kRecordsFormatMark = 610;

// The records file is the 87 records back to back, nothing before, between
// or after them.  A record is its slots in the order below, integers
// little-endian, the text as a 16-bit length and its bytes: 34 bytes and
// its text.
enum class RecordSlot : uint8_t {
  kKind,
  kLong1,
  kLong2,
  kLong3,
  kByte1,
  kText,
  kShort1,
  kShort2,
  kShort3,
  kShort4,
  kShort5,
  kByte2,
  kByte3,
  kByte4,
  kByte5,
  kLong4,
};
inline constexpr int kRecordSlotCount = 16;
inline constexpr size_t kRecordBytesWithoutText = 34;
// The longest text a record can carry: its length is written in 16 bits.
inline constexpr size_t kLongestRecordText = 65535;

// "kind", "long_1", ... "long_4": the slot's name in the file layout.
const char* record_slot_name(RecordSlot slot);

// Calls visit(slot, field) for each field of `record` in file order, the
// field a reference to the member (const when the record is); stops at the
// first visit that returns false and returns whether none did.
template <typename Record, typename Visit>
bool visit_record_slots(Record& r, Visit&& visit) {
  return visit(RecordSlot::kKind, r.kind) && visit(RecordSlot::kLong1, r.long_1) &&
         visit(RecordSlot::kLong2, r.long_2) && visit(RecordSlot::kLong3, r.long_3) &&
         visit(RecordSlot::kByte1, r.byte_1) && visit(RecordSlot::kText, r.text) &&
         visit(RecordSlot::kShort1, r.short_1) && visit(RecordSlot::kShort2, r.short_2) &&
         visit(RecordSlot::kShort3, r.short_3) && visit(RecordSlot::kShort4, r.short_4) &&
         visit(RecordSlot::kShort5, r.short_5) && visit(RecordSlot::kByte2, r.byte_2) &&
         visit(RecordSlot::kByte3, r.byte_3) && visit(RecordSlot::kByte4, r.byte_4) &&
         visit(RecordSlot::kByte5, r.byte_5) && visit(RecordSlot::kLong4, r.long_4);
}

// Puts of one field in the file's layout; Out is a BufferedWriter or a
// ByteString.
template <typename Out>
void put_field(Out& out, uint8_t value) {
  out.put_u8(value);
}
template <typename Out>
void put_field(Out& out, int16_t value) {
  out.put_i16(value);
}
template <typename Out>
void put_field(Out& out, int32_t value) {
  out.put_i32(value);
}
// A text longer than kLongestRecordText must have been refused before.
template <typename Out>
void put_field(Out& out, const std::string& text) {
  out.put_u16(static_cast<uint16_t>(text.size()));
  out.put(text);
}

template <typename Out>
void encode_record(const GeneralRecord& record, Out& out) {
  visit_record_slots(record, [&out](RecordSlot, const auto& field) {
    put_field(out, field);
    return true;
  });
}

// What a record cut short by the end of its file missed: the part ("long_1",
// "text length", "text") and the bytes it needed.
struct RecordShortfall {
  const char* part = "";
  size_t needed = 0;
};

// Reads one record from `in`; false and *shortfall when the bytes end
// inside it (`in` then stands at the part that did not fit).
bool decode_record(ByteReader& in, GeneralRecord* record, RecordShortfall* shortfall);

}  // namespace sb

#endif  // SCENARIO_BUILDER_FORMAT_RECORDS_H_
