#ifndef SCENARIO_BUILDER_COMPILER_LINE_RECORDERS_H_
#define SCENARIO_BUILDER_COMPILER_LINE_RECORDERS_H_

#include <cstdint>

#include "compiler/finding.h"
#include "model/build_state.h"

namespace sb {

// The cells a mountain stretch covers: round(start / 50) to
// round(end / 50 - 1); none when first > last.
struct CellSpan {
  int64_t first = 0;
  int64_t last = -1;
  bool empty() const { return first > last; }
};
CellSpan mountain_cells(int32_t start, int32_t end);

// The cell of a board: one beyond the cell of its position,
// round(position / 50 + 1).
int64_t board_cell(int32_t position);

// True when every cell of the span exists (an empty span always fits).
bool span_fits(const BuildState& state, const CellSpan& span);

// Records a mountain stretch: counts it into mountain_starts/mountain_ends,
// writes the low 8 bits of its kind into the mountain_side of its cells and,
// for a `kind` above 10 (kind `kind` - 10), makes every fourth empty cell of
// the stretch a mountain marker.  A stretch that begins at most 150 m after
// the end of the one before gets kind 3.  `kind` is handed back as the kind
// recorded.  True when recorded; otherwise false with `*refusal` set, having
// written and counted nothing: an 81st stretch (105) and a stretch whose
// cells do not all exist (15).
bool memo_montagna(BuildState& state, int32_t start, int32_t end, int32_t& kind, Finding* refusal);

// The values of a maximum-speed board after its position, in the order of
// the line text: the speeds (km/h) of ranks A, B and C and the number of
// stripes, for the left-hand (s) side and then the right-hand (d) side.
struct SpeedBoard {
  int32_t left_speed_a = 0;
  int32_t left_speed_b = 0;
  int32_t left_speed_c = 0;
  int32_t left_stripes = 0;
  int32_t right_speed_a = 0;
  int32_t right_speed_b = 0;
  int32_t right_speed_c = 0;
  int32_t right_stripes = 0;
};

// Places a maximum-speed board in its cell (kind 6): the speeds of each rank
// packed as round(left x 20 + right / 5), the stripes as
// left_stripes x 10 + right_stripes kept to 16 bits.  True when recorded;
// otherwise false with `*refusal` set, having written nothing: a cell that is
// not free (21), a cell that does not exist (15), a packed speed outside 16
// bits (25, with its detail).
bool memo_indicatori_v_max(BuildState& state, int32_t position, const SpeedBoard& board,
                           Finding* refusal);

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_LINE_RECORDERS_H_
