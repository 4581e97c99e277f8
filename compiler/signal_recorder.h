#ifndef SCENARIO_BUILDER_COMPILER_SIGNAL_RECORDER_H_
#define SCENARIO_BUILDER_COMPILER_SIGNAL_RECORDER_H_

#include <cstdint>

#include "compiler/finding.h"
#include "model/build_state.h"

namespace sb {

// The eleven values of a signal entry, in the order of the train text: the
// left-hand code and digits (the format's sx, s1 to s3), the leading digit
// packed in front of the codes (rapp), the right-hand code and digits (dx,
// d1 to d3) and the time value (tempo).
struct SignalEntry {
  int32_t position = 0;
  int32_t left_code = 0;
  int32_t left_digit_1 = 0;
  int32_t left_digit_2 = 0;
  int32_t left_digit_3 = 0;
  int32_t leading_digit = 0;
  int32_t right_code = 0;
  int32_t right_digit_1 = 0;
  int32_t right_digit_2 = 0;
  int32_t right_digit_3 = 0;
  int32_t time = 0;
};

// Places a signal in cell round(position / 50 + 1): kind 1, the packed
// codes (low 16 bits) and, when left_code is 2, the low 8 bits of time as
// the signal time; a time of 1 to 100 becomes 101, in the entry too.  The
// approach bytes of the cells 2, 4, 6 and 8 before it get
// (3 left_code + right_code) * 10 + 1 to 4 (low 8 bits), whatever those
// cells hold.
//
// True when recorded.  Otherwise false with `*refusal` set, no cell written:
// 16 when its cell is not free, 15 when a cell it needs lies outside the
// cells (below 325 m the farthest mark would fall before cell 0).
bool memo_segnale(BuildState& state, SignalEntry& signal, Finding* refusal);

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_SIGNAL_RECORDER_H_
