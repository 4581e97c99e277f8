#include "inspect/trace_summary.h"

#include <algorithm>
#include <cmath>

namespace sb {
namespace {

void count_tag(TraceTag tag, TraceTagCounts* counts) {
  switch (tag) {
    case TraceTag::kUnset: ++counts->unset; break;
    case TraceTag::kInt16: ++counts->int16; break;
    case TraceTag::kDouble: ++counts->doubles; break;
  }
}

void widen(double value, TraceExtent* extent) {
  if (!extent->any) {
    *extent = {true, value, value};
    return;
  }
  extent->min = std::min(extent->min, value);
  extent->max = std::max(extent->max, value);
}

}  // namespace

TraceSummary summarize_trace(const DecodedTrace& trace) {
  TraceSummary summary;
  bool previous_usable = false;
  double previous_x = 0;
  double previous_y = 0;
  for (size_t row = 0; row < trace.row_count(); ++row) {
    bool usable = true;
    for (int column = 0; column < 2; ++column) {
      count_tag(trace.tag(column, row), &summary.tags[static_cast<size_t>(column)]);
      if (!trace.assigned(column, row)) {
        usable = false;
      } else if (!std::isfinite(trace.value(column, row))) {
        ++summary.non_finite;
        usable = false;
      } else {
        widen(trace.value(column, row), &summary.extent[static_cast<size_t>(column)]);
      }
    }
    const double x = trace.value(0, row);
    const double y = trace.value(1, row);
    if (usable && previous_usable) summary.length += std::hypot(x - previous_x, y - previous_y);
    previous_usable = usable;
    previous_x = x;
    previous_y = y;
  }
  return summary;
}

}  // namespace sb
