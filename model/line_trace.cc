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

}  // namespace sb
