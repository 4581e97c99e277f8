#ifndef SCENARIO_BUILDER_COMPILER_SIGNAL_RECORDER_H_
#define SCENARIO_BUILDER_COMPILER_SIGNAL_RECORDER_H_

#include <cstdint>
#include <optional>

#include "compiler/finding.h"
#include "model/build_state.h"

namespace sb {

// The eleven values of a signal entry, in the order of the train text.
struct SignalEntry {
  int32_t posizione = 0;
  int32_t sx = 0;
  int32_t s1 = 0;
  int32_t s2 = 0;
  int32_t s3 = 0;
  int32_t rapp = 0;
  int32_t dx = 0;
  int32_t d1 = 0;
  int32_t d2 = 0;
  int32_t d3 = 0;
  int32_t tempo = 0;
};

// Places a signal in cell round(posizione / 50 + 1): kind 1, the packed
// codes (low 16 bits) and, when sx is 2, the low 8 bits of tempo as the
// signal time; a tempo of 1 to 100 becomes 101, in the entry too.  The
// approach bytes of the cells 2, 4, 6 and 8 before it get
// (3 sx + dx) * 10 + 1 to 4 (low 8 bits), whatever those cells hold.
//
// Returns the refusal, no cell written, when the signal is refused: 16 when
// its cell is not free, 15 when a cell it needs lies outside the cells
// (below 325 m the farthest mark would fall before cell 0).
std::optional<Finding> memo_segnale(BuildState& state, SignalEntry& signal);

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_SIGNAL_RECORDER_H_
