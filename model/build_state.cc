#include "model/build_state.h"

#include "model/rounding.h"

namespace sb {

void size_for_route(BuildState& state, int32_t route_length) {
  state.trace_last_index = route_length + kRouteOverrun;
  state.cell_last_index =
      static_cast<int32_t>(round_div(state.trace_last_index, 50));
  state.track_cells.assign(static_cast<size_t>(state.cell_last_index) + 1, TrackCell{});
  if (state.trace_flag != 0) {
    state.line_trace.reset(state.trace_last_index);
  } else {
    state.line_trace.clear();
  }
}

}  // namespace sb
