#include "model/line_trace.h"

namespace sb {
namespace {

uint64_t load_le(const char* bytes, size_t count) {
  uint64_t value = 0;
  for (size_t i = 0; i < count; ++i) {
    value |= uint64_t{static_cast<unsigned char>(bytes[i])} << (8 * i);
  }
  return value;
}

}  // namespace

void LineTrace::reset(int32_t last_index) {
  const size_t rows = last_index < 0 ? 0 : static_cast<size_t>(last_index) + 1;
  block_ = ZeroedBuffer(rows * (1 + 2 * kSlotBytes));
  rows_ = rows;
  // The trace is written row by row into the tags and both columns at once.
  const size_t column_bytes = rows * kSlotBytes;
  block_.fill_ahead({{0, rows}, {rows, column_bytes}, {rows + column_bytes, column_bytes}});
}

void LineTrace::clear() {
  block_ = ZeroedBuffer();
  rows_ = 0;
}

int32_t LineTrace::run_end(int32_t row) const {
  const char* tag_bytes = tags();
  const char tag = tag_bytes[row];
  size_t end = static_cast<size_t>(row) + 1;
  // Eight rows at a time while all eight have the tag.
  const uint64_t eight = 0x0101010101010101u * static_cast<unsigned char>(tag);
  uint64_t word = 0;
  while (end + sizeof word <= rows_) {
    std::memcpy(&word, tag_bytes + end, sizeof word);
    if (word != eight) break;
    end += sizeof word;
  }
  while (end < rows_ && tag_bytes[end] == tag) ++end;
  return static_cast<int32_t>(end);
}

double LineTrace::value(int column, int32_t row) const {
  const TraceTag type = tag(row);
  const char* slot = slots_of(column) + static_cast<size_t>(row) * kSlotBytes;
  const uint64_t bits = load_le(slot + kTraceTagBytes, trace_value_bytes(type));
  switch (type) {
    case TraceTag::kDouble: return std::bit_cast<double>(bits);
    case TraceTag::kInt16: return static_cast<int16_t>(static_cast<uint16_t>(bits));
    case TraceTag::kUnset: break;
  }
  return 0.0;
}

void LineTrace::set_int16(int32_t row, int16_t x, int16_t y) {
  const size_t r = checked(row);
  tags()[r] = static_cast<char>(TraceTag::kInt16);
  for (int column = 0; column < 2; ++column) {
    const auto bits = static_cast<uint16_t>(column == 0 ? x : y);
    char* slot = slots_of(column) + r * kSlotBytes;
    std::memset(slot, 0, kSlotBytes);
    slot[0] = static_cast<char>(TraceTag::kInt16);
    slot[kTraceTagBytes] = static_cast<char>(bits & 0xFF);
    slot[kTraceTagBytes + 1] = static_cast<char>(bits >> 8);
  }
}

}  // namespace sb
