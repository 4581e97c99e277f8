#include "model/build_state.h"

namespace sb {

void size_for_route(BuildState& state, int32_t route_length) {
  state.trace_last_index = static_cast<int32_t>(last_trace_row_for_route(route_length));
  state.cell_last_index = static_cast<int32_t>(last_cell_for_route(route_length));
  state.track_cells.assign(static_cast<size_t>(state.cell_last_index) + 1, TrackCell{});
  if (state.trace_flag != 0) {
    state.line_trace.reset(state.trace_last_index);
  } else {
    state.line_trace.clear();
  }
}

}  // namespace sb
