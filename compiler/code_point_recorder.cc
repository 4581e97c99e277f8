#include "compiler/code_point_recorder.h"

#include "format/cell_geometry.h"
#include "format/cell_values.h"
#include "model/error_codes.h"

namespace sb {

std::optional<Finding> record_code_point(BuildState& state, int32_t position, int32_t value) {
  const int64_t c = cell_of(position);
  if (!state.cell_exists(c)) return outside_the_line(state);
  TrackCell& cell = state.cell(static_cast<int32_t>(c));
  if (!is_free(cell)) return cell_taken(kCodePointTaken, state, c);
  if (value > 0) {
    cell.kind = kCodePointCell;
    cell.value_1 = low_16(value);
  } else {
    cell.kind = kCodeCutPointCell;
  }
  return std::nullopt;
}

}  // namespace sb
