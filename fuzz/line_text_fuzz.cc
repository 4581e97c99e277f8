// The line text compiler on any text.  Each input is compiled without the
// line trace; when its route is short enough to keep executions fast, it is
// compiled again with the trace.  The longest route, trace included, is a
// unit test of the line compiler.

#include <cstddef>
#include <cstdint>

#include "compiler/line_reader.h"
#include "fuzz/fuzz_checks.h"

namespace {

// Routes longer than this are compiled without the trace here.
constexpr int32_t kLongestTracedRoute = 20000;

sb::BuildState fresh_state(int32_t trace_flag) {
  sb::BuildState state;
  state.scenario_name = "Fuzz";
  state.train_number = "1";
  state.trace_flag = trace_flag;
  return state;
}

sb::Flow compile_and_check(sb::BuildState& state, std::string_view text) {
  sb::Findings findings;
  const sb::LineTextResult result = sb::compile_line_text(state, text, findings);
  // A line text ends at its first failure.
  FUZZ_CHECK(findings.size() <= 1);
  const int32_t code = sb::fuzz::check_findings(findings);
  FUZZ_CHECK((result.flow == sb::Flow::kReadFailure) == (code == sb::kReadFailed));
  FUZZ_CHECK((result.flow == sb::Flow::kEnd) == (code == sb::kOutsideTheLine));
  FUZZ_CHECK(result.next_board_record >= 0 && result.next_board_record <= sb::kTopBoardRecord);
  sb::fuzz::check_state_shape(state);
  return result.flow;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text = sb::fuzz::as_text(data, size);
  sb::BuildState untraced = fresh_state(0);
  compile_and_check(untraced, text);
  if (!untraced.has_cells() ||
      untraced.trace_last_index > kLongestTracedRoute + sb::kRouteOverrun) {
    return 0;
  }
  sb::BuildState traced = fresh_state(1);
  const sb::Flow flow = compile_and_check(traced, text);
  if ((flow == sb::Flow::kNext || flow == sb::Flow::kEnd) && traced.has_cells()) {
    sb::fuzz::check_finished_trace(traced.line_trace);
  }
  return 0;
}
