#include "compiler/code_point_recorder.h"

#include "format/cell_geometry.h"
#include "format/cell_values.h"
#include "model/error_codes.h"

namespace sb {

bool record_code_point(BuildState& state, int32_t position, int32_t value, Finding* refusal) {
  const int64_t c = cell_of(position);
  if (!state.cell_exists(c)) return refuse(refusal, outside_the_line(state));
  TrackCell& cell = state.cell(static_cast<int32_t>(c));
  if (!is_free(cell)) return refuse(refusal, cell_taken(kCodePointTaken, state, c));
  if (value > 0) {
    cell.kind = kCodePointCell;
    cell.value_1 = low_16(value);
  } else {
    cell.kind = kCodeCutPointCell;
  }
  return true;
}

}  // namespace sb
