#ifndef SCENARIO_BUILDER_COMPILER_CODE_POINT_RECORDER_H_
#define SCENARIO_BUILDER_COMPILER_CODE_POINT_RECORDER_H_

#include <cstdint>

#include "compiler/finding.h"
#include "model/build_state.h"

namespace sb {

// Places a code point in the cell of its position, round(position / 50): a
// `value` above 0 makes it a code point (kind 12) carrying the low 16 bits
// of `value`, any other a code cut point (kind 13).
//
// True when recorded.  Otherwise false with `*refusal` set, having written
// nothing: 15 when the cell does not exist, 7 when it is not free.
bool record_code_point(BuildState& state, int32_t position, int32_t value, Finding* refusal);

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_CODE_POINT_RECORDER_H_
