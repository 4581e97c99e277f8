#ifndef SCENARIO_BUILDER_INSPECT_TRACE_SUMMARY_H_
#define SCENARIO_BUILDER_INSPECT_TRACE_SUMMARY_H_

#include <array>
#include <cstddef>

#include "inspect/scenario_decoder.h"

namespace sb {

struct TraceTagCounts {
  size_t unset = 0;
  size_t int16 = 0;
  size_t doubles = 0;
};

// Smallest and largest finite value of a column; `any` false when it has none.
struct TraceExtent {
  bool any = false;
  double min = 0;
  double max = 0;
};

struct TraceSummary {
  std::array<TraceTagCounts, 2> tags;  // per column, 0 x and 1 y
  std::array<TraceExtent, 2> extent;   // over the assigned elements
  // Sum of the straight distances between neighbouring rows whose x and y
  // are both assigned and finite, in metres.
  double length = 0;
  // Assigned values that are infinite or not a number, left out above.
  size_t non_finite = 0;
};

// One pass over the trace.
TraceSummary summarize_trace(const DecodedTrace& trace);

}  // namespace sb

#endif  // SCENARIO_BUILDER_INSPECT_TRACE_SUMMARY_H_
