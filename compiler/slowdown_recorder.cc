#include "compiler/slowdown_recorder.h"

#include "format/cell_geometry.h"
#include "format/cell_values.h"
#include "format/object_cells.h"
#include "model/error_codes.h"

namespace sb {
namespace {

SlowdownCells cells_of(const SlowdownEntry& slowdown) {
  return slowdown_cells(slowdown.start, slowdown.length, slowdown.lead_in != 0);
}

bool inside(const BuildState& state, const SlowdownCells& cells) {
  return state.cell_exists(cells.start) && state.cell_exists(cells.end) &&
         (cells.warning < 0 || state.cell_exists(cells.warning)) &&
         (cells.lead_in < 0 || (state.cell_exists(cells.lead_in) &&
                                state.cell_exists(cells.lead_in - (kWarningLeadInCells - 1))));
}

// The check that refuses the slowdown before anything is written: false with
// `*refusal` set when it does.
bool may_write(const BuildState& state, const SlowdownEntry& slowdown, const SlowdownCells& cells,
               Finding* refusal) {
  if (slowdown.start < 0 || !inside(state, cells)) return refuse(refusal, outside_the_line(state));
  const struct {
    int64_t cell;
    ErrorCode code;
  } needed[] = {{cells.warning, kSlowdownWarningTaken},
                {cells.start, kSlowdownStartTaken},
                {cells.end, kSlowdownEndTaken}};
  for (const auto& [cell, code] : needed) {
    if (cell >= 0 && !is_free(state.cell(static_cast<int32_t>(cell)))) {
      return refuse(refusal, cell_taken(code, state, cell));
    }
  }
  return true;
}

void mark(TrackCell& cell, CellKind kind, int16_t value_1, const SlowdownEntry& slowdown) {
  cell.kind = kind;
  cell.value_1 = value_1;
  if (slowdown.second_speed != 0) cell.value_2 = low_16(slowdown.second_speed);
}

}  // namespace

bool memo_rallentamento(BuildState& state, const SlowdownEntry& slowdown, Finding* refusal) {
  const SlowdownCells cells = cells_of(slowdown);
  if (!may_write(state, slowdown, cells, refusal)) return false;
  const int16_t speed = low_16(slowdown.speed);
  TrackCell& start = state.cell(static_cast<int32_t>(cells.start));
  TrackCell& end = state.cell(static_cast<int32_t>(cells.end));
  mark(end, kSlowdownEndCell, speed, slowdown);
  mark(start, kSlowdownStartCell, speed, slowdown);
  if (cells.warning >= 0) {
    mark(state.cell(static_cast<int32_t>(cells.warning)), kSlowdownWarningCell, speed, slowdown);
  }
  start.value_3 = low_16(slowdown.carried_value);
  end.value_3 = low_16(slowdown.carried_value);
  if (cells.lead_in < 0) return true;

  const auto nearest = static_cast<int32_t>(cells.lead_in);
  for (int i = 0; i < kWarningLeadInCells; ++i) {
    if (!is_free(state.cell(nearest - i))) {
      return refuse(refusal, cell_taken(kSlowdownLeadInTaken, state, nearest - i));
    }
  }
  for (int i = 0; i < kWarningLeadInCells; ++i) {
    TrackCell& lead_in = state.cell(nearest - i);
    lead_in.kind = kWarningLeadInCell;
    lead_in.value_1 = static_cast<int16_t>(i + 1);
    if (slowdown.second_speed != 0) lead_in.value_2 = static_cast<int16_t>(i + 1);
  }
  return true;
}

}  // namespace sb
