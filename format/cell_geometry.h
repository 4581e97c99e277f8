#ifndef SCENARIO_BUILDER_FORMAT_CELL_GEOMETRY_H_
#define SCENARIO_BUILDER_FORMAT_CELL_GEOMETRY_H_

#include <cstdint>

#include "util/rounding.h"

namespace sb {

// The line is cut into cells of 50 m: cell n begins n × 50 m from the start.
// Positions are whole metres from the start of the line.
inline constexpr int32_t kCellLength = 50;

// The longest route accepted, in metres.  Cells and trace rows reach
// kRouteOverrun metres beyond the end of the route.
inline constexpr int32_t kMaxRouteLength = 1000000;
inline constexpr int32_t kRouteOverrun = 7000;

// The cell a position falls in: position / 50 rounded, halves to the even
// cell (75 m is cell 2, 125 m cell 2).
inline int64_t cell_of(double position) { return round_half_even(position / kCellLength); }

// Signals, boards and slowdown points stand in the cell one beyond:
// position / 50 + 1 rounded, halves to even (which is not always
// cell_of(position) + 1: 25 m gives cell 2, not 1).
inline int64_t object_cell(double position) { return round_half_even(position / kCellLength + 1); }

// The first metre of a cell, and the position of an object that stands in
// it.
inline int64_t cell_start(int64_t cell) { return cell * kCellLength; }
inline int64_t object_position(int64_t cell) { return (cell - 1) * kCellLength; }

// An entry is taken only when its position plus its reach (kEntryReach for
// most entries, kStationReach for a station), divided by 50, does not pass
// the line's last cell.
inline constexpr int32_t kEntryReach = 100;
inline constexpr int32_t kStationReach = 800;
inline bool reach_fits(double position, double reach, int64_t last_cell) {
  return (position + reach) / kCellLength <= static_cast<double>(last_cell);
}

// The last cell of an area that ends at `area_end` metres (a station's stop
// cell, a mountain stretch's last cell): area_end / 50 - 1, unrounded (a
// station's approach marks count back from it) and rounded, halves to even.
inline double area_end_cell_at(double area_end) { return area_end / kCellLength - 1.0; }
inline int64_t area_end_cell(double area_end) {
  return round_half_even(area_end_cell_at(area_end));
}

// The last trace row and the last cell of a route of `route_length` metres;
// the trace has a row a metre.
inline int64_t last_trace_row_for_route(int64_t route_length) {
  return route_length + kRouteOverrun;
}
inline int64_t last_cell_for_route(int64_t route_length) {
  return cell_of(static_cast<double>(last_trace_row_for_route(route_length)));
}
// How many rows each trace column, and how many cells, a route has.
inline int64_t trace_rows_for_route(int64_t route_length) {
  return last_trace_row_for_route(route_length) + 1;
}
inline int64_t cells_for_route(int64_t route_length) {
  return last_cell_for_route(route_length) + 1;
}

}  // namespace sb

#endif  // SCENARIO_BUILDER_FORMAT_CELL_GEOMETRY_H_
