#ifndef SCENARIO_BUILDER_MODEL_LINE_TRACE_H_
#define SCENARIO_BUILDER_MODEL_LINE_TRACE_H_

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <stdexcept>
#include <string>

#include "model/zeroed_buffer.h"

namespace sb {

// Type tag of a line trace element, as the trace file writes it.
enum class TraceTag : uint8_t { kUnset = 0, kInt16 = 2, kDouble = 5 };

// A trace element in the file: its tag in 16 bits, then its value in the
// width the tag gives.
inline constexpr size_t kTraceTagBytes = 2;
constexpr size_t trace_value_bytes(TraceTag tag) {
  switch (tag) {
    case TraceTag::kDouble: return 8;
    case TraceTag::kInt16: return 2;
    case TraceTag::kUnset: break;
  }
  return 0;
}

// The per-metre plan of the track: rows 0..last_index, column 0 the x and
// column 1 the y coordinate in metres.  Both columns of a row are always
// assigned together and with the same type, so one tag serves the row.
//
// Each column is kept the way the trace file lays out its elements: a slot
// of kSlotBytes a row, the 16-bit tag and then the value, little-endian (8
// bytes for a double; 2 for an integer and 0 for an unset row, the rest of
// the slot zero).  A run of double rows is thus already the bytes of the
// file.  A fresh trace costs no pass over its memory: the system hands it
// out zeroed, and zero bytes are unset rows.  21 bytes a row, in one block:
// the tags, a byte a row, then the two columns.
class LineTrace {
 public:
  static constexpr size_t kSlotBytes = 10;

  void reset(int32_t last_index);  // rows 0..last_index, all unset
  void clear();

  bool empty() const { return rows_ == 0; }
  int32_t last_index() const { return static_cast<int32_t>(rows_) - 1; }
  size_t row_count() const { return rows_; }

  TraceTag tag(int32_t row) const { return static_cast<TraceTag>(tags()[row]); }
  // The row after the run of rows of the same type that `row` begins.
  int32_t run_end(int32_t row) const;
  double x(int32_t row) const { return value(0, row); }
  double y(int32_t row) const { return value(1, row); }
  // Value of a column: 0 is x, 1 is y; 0 for an unset row.
  double value(int column, int32_t row) const;

  // The slots of a column, kSlotBytes a row from row 0.
  std::span<const char> slots(int column) const { return {slots_of(column), rows_ * kSlotBytes}; }

  void set_int16(int32_t row, int16_t x, int16_t y);
  void set_double(int32_t row, double x, double y) {
    const size_t r = checked(row);
    tags()[r] = static_cast<char>(TraceTag::kDouble);
    store_double(slots_of(0) + r * kSlotBytes, x);
    store_double(slots_of(1) + r * kSlotBytes, y);
  }

 private:
  size_t checked(int32_t row) const {
    if (row < 0 || static_cast<size_t>(row) >= rows_) {
      throw std::out_of_range("line trace row " + std::to_string(row));
    }
    return static_cast<size_t>(row);
  }

  static void store_double(char* slot, double value) {
    uint64_t bits = std::bit_cast<uint64_t>(value);
    if constexpr (std::endian::native != std::endian::little) {
      for (size_t i = 0; i < sizeof bits; ++i) {
        slot[kTraceTagBytes + i] = static_cast<char>(bits >> (8 * i));
      }
    } else {
      std::memcpy(slot + kTraceTagBytes, &bits, sizeof bits);
    }
    slot[0] = static_cast<char>(TraceTag::kDouble);
    slot[1] = 0;
  }

  char* tags() { return block_.data(); }
  const char* tags() const { return block_.data(); }
  char* slots_of(int column) { return block_.data() + rows_ + column * rows_ * kSlotBytes; }
  const char* slots_of(int column) const {
    return block_.data() + rows_ + column * rows_ * kSlotBytes;
  }

  size_t rows_ = 0;
  ZeroedBuffer block_;  // the tags, then column 0, then column 1
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_MODEL_LINE_TRACE_H_
