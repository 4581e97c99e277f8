#ifndef SCENARIO_BUILDER_COMPILER_GRADIENT_CURSOR_H_
#define SCENARIO_BUILDER_COMPILER_GRADIENT_CURSOR_H_

#include <cstdint>

#include "model/build_state.h"

namespace sb {

// Spreads the gradient changes of a line over the track cells in one
// forward pass: each gradient holds from the cell of its position up to the
// cell of the next change.
struct GradientCursor {
  int32_t next_cell = 0;  // the next cell to receive a gradient
  int32_t previous = 0;   // the gradient in force behind the cursor

  // A change to `gradient` at `position`: the gradient in force fills the
  // cells from the cursor up to the change's cell, round(position / 50), and
  // at least one cell when that cell lies at or behind the cursor.  A change
  // in the first 25 m only sets the gradient in force.
  void change(BuildState& state, int32_t position, int32_t gradient);

  // The end of the line: the gradient in force fills the cells from the
  // cursor up to cell_last_index - 3, and at least one cell.
  void fill_to_end(BuildState& state);

 private:
  // Writes the gradient in force into the cursor's cell and advances.  A
  // cursor past the last cell (out-of-order changes at the very end) has no
  // cell to write and stays there.
  void write_one(BuildState& state);
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_GRADIENT_CURSOR_H_
