#include "model/line_trace.h"

namespace sb {

void LineTrace::reset(int32_t last_index) {
  const size_t rows = last_index < 0 ? 0 : static_cast<size_t>(last_index) + 1;
  tags_.assign(rows, TraceTag::kUnset);
  x_.assign(rows, 0.0);
  y_.assign(rows, 0.0);
}

void LineTrace::clear() {
  tags_ = {};
  x_ = {};
  y_ = {};
}

void LineTrace::set_int16(int32_t row, int16_t x, int16_t y) {
  const size_t r = static_cast<size_t>(row);
  tags_.at(r) = TraceTag::kInt16;
  x_[r] = x;
  y_[r] = y;
}

void LineTrace::set_double(int32_t row, double x, double y) {
  const size_t r = static_cast<size_t>(row);
  tags_.at(r) = TraceTag::kDouble;
  x_[r] = x;
  y_[r] = y;
}

}  // namespace sb
