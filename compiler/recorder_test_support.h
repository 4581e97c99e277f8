#ifndef SCENARIO_BUILDER_COMPILER_RECORDER_TEST_SUPPORT_H_
#define SCENARIO_BUILDER_COMPILER_RECORDER_TEST_SUPPORT_H_

// Shared by the tests of the recorders.

#include <cstdint>

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

// The code of a recorder's answer: 0 when it recorded, else the code of the
// refusal it set.
inline int32_t code_of(bool recorded, const Finding& refusal) {
  return recorded ? 0 : refusal.code;
}

}  // namespace sb::test

#endif  // SCENARIO_BUILDER_COMPILER_RECORDER_TEST_SUPPORT_H_
