#ifndef SCENARIO_BUILDER_FORMAT_OBJECT_CELLS_H_
#define SCENARIO_BUILDER_FORMAT_OBJECT_CELLS_H_

#include <cstdint>

#include "format/cell_geometry.h"

namespace sb {

// Signals and stations are announced by approach marks numbered 1 to 4 in
// the cells before them (a signal's every other cell, a station's each).
inline constexpr int kApproachMarks = 4;

// A slowdown beginning beyond kSlowdownWarningFrom metres is announced by a
// warning cell kSlowdownWarningDistance metres before its start and, on
// request, by kWarningLeadInCells lead-in cells numbered 1 to 4 downwards
// from the cell of that point.
inline constexpr int32_t kSlowdownWarningFrom = 1500;
inline constexpr int32_t kSlowdownWarningDistance = 1200;
inline constexpr int32_t kSlowdownWarningCells = kSlowdownWarningDistance / kCellLength;
inline constexpr int kWarningLeadInCells = 4;

// The cells a slowdown takes; warning and lead_in are -1 when it has none.
struct SlowdownCells {
  int64_t warning = -1;
  int64_t start = 0;
  int64_t end = 0;
  int64_t lead_in = -1;  // the nearest of the lead-in cells, the others below it
};

// The cells of a slowdown from `start` metres of `length` metres, with
// lead-in cells when `lead_in`: the start and end cells one beyond their
// positions' cells, the warning cell likewise, the nearest lead-in cell the
// cell of the warning's position.
inline SlowdownCells slowdown_cells(double start, double length, bool lead_in) {
  SlowdownCells cells;
  cells.start = object_cell(start);
  cells.end = object_cell(start + length);
  if (start > kSlowdownWarningFrom) {
    cells.warning = object_cell(start - kSlowdownWarningDistance);
    if (lead_in) cells.lead_in = cell_of(start - kSlowdownWarningDistance);
  }
  return cells;
}

}  // namespace sb

#endif  // SCENARIO_BUILDER_FORMAT_OBJECT_CELLS_H_
