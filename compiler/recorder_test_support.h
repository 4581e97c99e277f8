#ifndef SCENARIO_BUILDER_COMPILER_RECORDER_TEST_SUPPORT_H_
#define SCENARIO_BUILDER_COMPILER_RECORDER_TEST_SUPPORT_H_

// Shared by the tests of the recorders.

#include <cstdint>
#include <optional>

#include "compiler/finding.h"
#include "model/build_state.h"

namespace sb::test {

// A build state whose track cells are sized for a route of `route_length`
// metres, every cell empty.
inline BuildState line_of(int32_t route_length) {
  BuildState state;
  size_for_route(state, route_length);
  return state;
}

// A recorder's answer: recorded when it refused nothing.
inline bool recorded(const std::optional<Finding>& refused) { return !refused.has_value(); }

// The code of a refusal, 0 when the entry was recorded.
inline int32_t code_of(const std::optional<Finding>& refused) {
  return refused ? refused->code : 0;
}

}  // namespace sb::test

#endif  // SCENARIO_BUILDER_COMPILER_RECORDER_TEST_SUPPORT_H_
