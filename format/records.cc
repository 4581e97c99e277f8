#include "format/records.h"

#include <concepts>

namespace sb {
namespace {

template <std::integral T>
bool take_field(ByteReader& in, const char* part, T& value, RecordShortfall* shortfall) {
  if (in.left() < sizeof(T)) {
    *shortfall = {part, sizeof(T)};
    return false;
  }
  value = in.take_le<T>();
  return true;
}

bool take_field(ByteReader& in, const char*, std::string& text, RecordShortfall* shortfall) {
  uint16_t length = 0;
  if (!take_field(in, "text length", length, shortfall)) return false;
  if (in.left() < length) {
    *shortfall = {"text", length};
    return false;
  }
  text = std::string(in.take(length));
  return true;
}

}  // namespace

const char* record_slot_name(RecordSlot slot) {
  switch (slot) {
    case RecordSlot::kKind: return "kind";
    case RecordSlot::kLong1: return "long_1";
    case RecordSlot::kLong2: return "long_2";
    case RecordSlot::kLong3: return "long_3";
    case RecordSlot::kByte1: return "byte_1";
    case RecordSlot::kText: return "text";
    case RecordSlot::kShort1: return "short_1";
    case RecordSlot::kShort2: return "short_2";
    case RecordSlot::kShort3: return "short_3";
    case RecordSlot::kShort4: return "short_4";
    case RecordSlot::kShort5: return "short_5";
    case RecordSlot::kByte2: return "byte_2";
    case RecordSlot::kByte3: return "byte_3";
    case RecordSlot::kByte4: return "byte_4";
    case RecordSlot::kByte5: return "byte_5";
    case RecordSlot::kLong4: return "long_4";
  }
  return "";
}

bool decode_record(ByteReader& in, GeneralRecord* record, RecordShortfall* shortfall) {
  return visit_record_slots(*record, [&](RecordSlot slot, auto& field) {
    return take_field(in, record_slot_name(slot), field, shortfall);
  });
}

}  // namespace sb
