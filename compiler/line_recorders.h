#ifndef SCENARIO_BUILDER_COMPILER_LINE_RECORDERS_H_
#define SCENARIO_BUILDER_COMPILER_LINE_RECORDERS_H_

#include <cstdint>
#include <optional>

#include "compiler/finding.h"
#include "model/build_state.h"

namespace sb {

// The cells a mountain stretch covers: round(inizio / 50) to
// round(fine / 50 - 1); none when first > last.
struct CellSpan {
  int64_t first = 0;
  int64_t last = -1;
  bool empty() const { return first > last; }
};
CellSpan mountain_cells(int32_t inizio, int32_t fine);

// The cell of a board: one beyond the cell of its position,
// round(posizione / 50 + 1).
int64_t board_cell(int32_t posizione);

// True when every cell of the span exists (an empty span always fits).
bool span_fits(const BuildState& state, const CellSpan& span);

// Records a mountain stretch: counts it into mountain_starts/mountain_ends,
// writes the low 8 bits of its kind into the mountain_side of its cells and,
// for a `tipo` above 10 (kind `tipo` - 10), makes every fourth empty cell of
// the stretch a mountain marker.  A stretch that begins at most 150 m after
// the end of the one before gets kind 3.  `tipo` is handed back as the kind
// recorded.  Returns the refusal, having written and counted nothing: an
// 81st stretch (105) and a stretch whose cells do not all exist (15).
std::optional<Finding> memo_montagna(BuildState& state, int32_t inizio, int32_t fine,
                                     int32_t& tipo);

// The values of a maximum-speed board: speeds (km/h) of ranks A, B, C and
// stripes, for the s set and the d set.
struct SpeedBoard {
  int32_t vas = 0;
  int32_t vbs = 0;
  int32_t vcs = 0;
  int32_t strisces = 0;
  int32_t vad = 0;
  int32_t vbd = 0;
  int32_t vcd = 0;
  int32_t strisced = 0;
};

// Places a maximum-speed board in its cell (kind 6): the three speed pairs
// packed as round(s x 20 + d / 5), the stripes as strisces x 10 + strisced
// kept to 16 bits.  Returns the refusal, having written nothing: a cell that
// is not free (21), a cell that does not exist (15), a packed speed outside
// 16 bits (25, with its detail).
std::optional<Finding> memo_indicatori_v_max(BuildState& state, int32_t posizione,
                                             const SpeedBoard& board);

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_LINE_RECORDERS_H_
