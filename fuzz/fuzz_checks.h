#ifndef SCENARIO_BUILDER_FUZZ_FUZZ_CHECKS_H_
#define SCENARIO_BUILDER_FUZZ_FUZZ_CHECKS_H_

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "compiler/finding.h"
#include "model/build_state.h"
#include "model/error_codes.h"
#include "util/rounding.h"

namespace sb::fuzz {

// A broken invariant: says which and aborts, so that libFuzzer keeps the
// input as a crash.
[[noreturn]] inline void fail(const char* what, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, what);
  std::abort();
}

#define FUZZ_CHECK(condition) \
  ((condition) ? (void)0 : ::sb::fuzz::fail(#condition, __FILE__, __LINE__))

inline std::string_view as_text(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// An input of several parts (two texts, or compiled files) holds them one
// after the other, each ended by this line.
inline constexpr std::string_view kPartSeparator = "\n~~~~\n";

// The next part of `*input` up to a separator, or the rest; *input keeps
// what follows the separator (nothing when there was none).
inline std::string_view next_part(std::string_view* input) {
  const size_t end = input->find(kPartSeparator);
  const std::string_view part = input->substr(0, end);
  *input = end == std::string_view::npos ? std::string_view{}
                                         : input->substr(end + kPartSeparator.size());
  return part;
}

// Every code the compiler records: 0 for none, then the failures of the line
// text, of the train text and the read failure.
inline bool is_known_error_code(ErrorCode code) {
  switch (code) {
    case kNoError:
    case kRouteLengthRefused:
    case kCabStartNotMultiple:
    case kCabEndNotMultiple:
    case kCabCodesMissing:
    case kIndicationBoardTaken:
    case kSpeedBoardTaken:
    case kLineTextMissing:
    case kNoGeneralSection:
    case kCurveRefused:
    case kBoardRecordsFull:
    case kMountainTableFull:
    case kChainageNotMultiple:
    case kCodePointTaken:
    case kStationPositionNotMultiple:
    case kStationLengthNotMultiple:
    case kStationTableFull:
    case kSignalTaken:
    case kSlowdownWarningTaken:
    case kSlowdownStartTaken:
    case kSlowdownEndTaken:
    case kSlowdownLeadInTaken:
    case kStationsTooClose:
    case kStationAtLineStart:
    case kOutsideTheLine:
    case kReadFailed: return true;
    default: return false;
  }
}

// Every finding carries a known failure (never 0) and the code of the last
// one is returned: the failure the compilation ended on, 0 for none.
inline int32_t check_findings(const Findings& findings) {
  for (const Finding& finding : findings) {
    FUZZ_CHECK(finding.code != kNoError && is_known_error_code(finding.code));
    FUZZ_CHECK(finding.holder.has_value() <= (finding.cell >= 0));
  }
  return findings.empty() ? kNoError : findings.back().code;
}

// The largest cells array and trace a route may ask for: a route is at most
// 1,000,000 m, and both reach 7000 m beyond its end.
inline const size_t kMostCells = static_cast<size_t>(cells_for_route(kMaxRouteLength));
inline const size_t kMostTraceRows = static_cast<size_t>(trace_rows_for_route(kMaxRouteLength));

// The sizes of the cells and the trace agree with their last indices, the
// trace exists exactly when it is asked for, and neither is larger than the
// longest route allows.
inline void check_state_shape(const BuildState& state) {
  FUZZ_CHECK(state.mountain_count >= 0 && state.mountain_count <= kMaxMountainStretches);
  if (!state.has_cells()) {
    FUZZ_CHECK(state.line_trace.empty());
    return;
  }
  FUZZ_CHECK(state.trace_last_index >= kRouteOverrun);
  FUZZ_CHECK(state.cell_last_index == cell_of(state.trace_last_index));
  FUZZ_CHECK(state.track_cells.size() == static_cast<size_t>(state.cell_last_index) + 1);
  FUZZ_CHECK(state.track_cells.size() <= kMostCells);
  if (state.trace_flag == 0) {
    FUZZ_CHECK(state.line_trace.empty());
    return;
  }
  FUZZ_CHECK(state.line_trace.last_index() == state.trace_last_index);
  FUZZ_CHECK(state.line_trace.row_count() <= kMostTraceRows);
}

// A trace read to the end of its text is computed up to its last row but
// two, every point finite; the last two rows stay unset.
inline void check_finished_trace(const LineTrace& trace) {
  const int32_t last = trace.last_index();
  for (int32_t row = 0; row <= last - 2; ++row) {
    FUZZ_CHECK(trace.tag(row) != TraceTag::kUnset);
    FUZZ_CHECK(std::isfinite(trace.x(row)) && std::isfinite(trace.y(row)));
  }
  FUZZ_CHECK(trace.tag(last - 1) == TraceTag::kUnset);
  FUZZ_CHECK(trace.tag(last) == TraceTag::kUnset);
}

}  // namespace sb::fuzz

#endif  // SCENARIO_BUILDER_FUZZ_FUZZ_CHECKS_H_
