#ifndef SCENARIO_BUILDER_FORMAT_TRACE_ELEMENTS_H_
#define SCENARIO_BUILDER_FORMAT_TRACE_ELEMENTS_H_

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>

#include "util/little_endian.h"

namespace sb {

// The line trace file holds column 0 (x) and then column 1 (y) of the trace,
// a row a metre, each element a 16-bit tag and then its value in the width
// the tag gives: nothing for an unset element, an int16, or a binary64.
enum class TraceTag : uint8_t { kUnset = 0, kInt16 = 2, kDouble = 5 };

inline constexpr size_t kTraceTagBytes = 2;
constexpr size_t trace_value_bytes(TraceTag tag) {
  switch (tag) {
    case TraceTag::kDouble: return 8;
    case TraceTag::kInt16: return 2;
    case TraceTag::kUnset: break;
  }
  return 0;
}
// The largest element.
inline constexpr size_t kTraceElementBytes = kTraceTagBytes + 8;

// The tag of a stored 16-bit tag value; nothing for a value no element has.
constexpr std::optional<TraceTag> trace_tag(uint16_t stored) {
  for (const TraceTag tag : {TraceTag::kUnset, TraceTag::kInt16, TraceTag::kDouble}) {
    if (stored == static_cast<uint16_t>(tag)) return tag;
  }
  return std::nullopt;
}

// Stores an element at `at`; returns the end of what it stored.
inline char* store_trace_element(char* at, TraceTag tag) {
  return store_le(at, static_cast<uint16_t>(tag));
}
inline char* store_trace_element(char* at, int16_t value) {
  return store_le(store_trace_element(at, TraceTag::kInt16), value);
}
inline char* store_trace_element(char* at, double value) {
  return store_le(store_trace_element(at, TraceTag::kDouble), value);
}

// The value of an element whose tag is `tag` and whose value bytes begin at
// `value_bytes`: an int16 as its exact double, 0 for an unset element.
inline double trace_element_value(TraceTag tag, const char* value_bytes) {
  switch (tag) {
    case TraceTag::kDouble: return load_le<double>(value_bytes);
    case TraceTag::kInt16: return load_le<int16_t>(value_bytes);
    case TraceTag::kUnset: break;
  }
  return 0.0;
}

}  // namespace sb

#endif  // SCENARIO_BUILDER_FORMAT_TRACE_ELEMENTS_H_
