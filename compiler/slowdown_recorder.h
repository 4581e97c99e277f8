#ifndef SCENARIO_BUILDER_COMPILER_SLOWDOWN_RECORDER_H_
#define SCENARIO_BUILDER_COMPILER_SLOWDOWN_RECORDER_H_

#include <cstdint>

#include "compiler/finding.h"
#include "model/build_state.h"

namespace sb {

// The six values of a slowdown entry, in the order of the train text (the
// format's x, v, l, f_tt, f_ta and d_v).
struct SlowdownEntry {
  int32_t start = 0;          // where the slowdown begins (m)
  int32_t speed = 0;          // its speed (km/h)
  int32_t length = 0;         // its length (m)
  int32_t carried_value = 0;  // carried by the start and end cells
  int32_t lead_in = 0;        // non-zero: mark four lead-in cells before the warning
  int32_t second_speed = 0;   // km/h, 0 for none
};

// Places a slowdown: the start cell round(start / 50 + 1) (kind 3), the end
// cell round((start + length) / 50 + 1) (kind 2) and, beyond 1500 m, the
// warning cell round((start - 1200) / 50 + 1) (kind 4) and on request the
// four lead-in cells h, h - 1, h - 2, h - 3 (kind 5, numbered 1 to 4) with
// h = round((start - 1200) / 50).  The cells carry the low 16 bits of speed
// (and of second_speed when it is non-zero; carried_value in the start and
// end cells).
//
// True when recorded.  Otherwise false with `*refusal` set: 17, 18 or 19
// when the warning, start or end cell is not free, nothing written; 20 when a
// lead-in cell is not free, the warning, start and end cells already written;
// 15 when start is negative or a cell would lie outside the cells, nothing
// written.
bool memo_rallentamento(BuildState& state, const SlowdownEntry& slowdown, Finding* refusal);

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_SLOWDOWN_RECORDER_H_
