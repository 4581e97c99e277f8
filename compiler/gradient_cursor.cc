#include "compiler/gradient_cursor.h"

#include "model/rounding.h"

namespace sb {

void GradientCursor::write_one(BuildState& state) {
  if (!state.cell_exists(next_cell)) return;
  // Stored as gradient + 100, low 8 bits.
  state.cell(next_cell).gradient = static_cast<uint8_t>(static_cast<uint32_t>(previous) + 100u);
  ++next_cell;
}

void GradientCursor::change(BuildState& state, int32_t position, int32_t gradient) {
  const int64_t cell = round_div(position, 50);
  if (cell > 0) {
    do {
      write_one(state);
    } while (next_cell < cell && state.cell_exists(next_cell));
  }
  previous = gradient;
}

void GradientCursor::fill_to_end(BuildState& state) {
  do {
    write_one(state);
  } while (next_cell < state.cell_last_index - 2);
}

}  // namespace sb
