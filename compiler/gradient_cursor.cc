#include "compiler/gradient_cursor.h"

#include "format/cell_geometry.h"
#include "format/cell_values.h"

namespace sb {

void GradientCursor::write_one(BuildState& state) {
  if (!state.cell_exists(next_cell)) return;
  state.cell(next_cell).gradient = pack_gradient(previous);
  ++next_cell;
}

void GradientCursor::change(BuildState& state, int32_t position, int32_t gradient) {
  const int64_t cell = cell_of(position);
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
