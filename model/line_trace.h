#ifndef SCENARIO_BUILDER_MODEL_LINE_TRACE_H_
#define SCENARIO_BUILDER_MODEL_LINE_TRACE_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "model/huge_page_allocator.h"

namespace sb {

// Type tag of a line trace element, as the trace file writes it.
enum class TraceTag : uint8_t { kUnset = 0, kInt16 = 2, kDouble = 5 };

// The per-metre plan of the track: rows 0..last_index, column 0 the x and
// column 1 the y coordinate in metres.  Both columns of a row are always
// assigned together and with the same type, so one tag serves the row:
// 17 bytes a row instead of two 16-byte variants.
class LineTrace {
 public:
  void reset(int32_t last_index);  // rows 0..last_index, all unset
  void clear();

  bool empty() const { return tags_.empty(); }
  int32_t last_index() const { return static_cast<int32_t>(tags_.size()) - 1; }
  size_t row_count() const { return tags_.size(); }

  TraceTag tag(int32_t row) const { return tags_[static_cast<size_t>(row)]; }
  double x(int32_t row) const { return x_[static_cast<size_t>(row)]; }
  double y(int32_t row) const { return y_[static_cast<size_t>(row)]; }
  // Value of a column: 0 is x, 1 is y.
  double value(int column, int32_t row) const { return column == 0 ? x(row) : y(row); }

  // Every row at once, for serialising the whole table.
  std::span<const TraceTag> tags() const { return tags_; }
  std::span<const double> column(int column) const { return column == 0 ? x_ : y_; }

  void set_int16(int32_t row, int16_t x, int16_t y) { set(row, TraceTag::kInt16, x, y); }
  void set_double(int32_t row, double x, double y) { set(row, TraceTag::kDouble, x, y); }

 private:
  void set(int32_t row, TraceTag tag, double x, double y) {
    const size_t r = static_cast<size_t>(row);
    tags_.at(r) = tag;
    x_[r] = x;
    y_[r] = y;
  }

  std::vector<TraceTag, HugePageAllocator<TraceTag>> tags_;
  std::vector<double, HugePageAllocator<double>> x_;
  std::vector<double, HugePageAllocator<double>> y_;
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_MODEL_LINE_TRACE_H_
