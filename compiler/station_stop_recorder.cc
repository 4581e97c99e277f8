#include "compiler/station_stop_recorder.h"

#include "format/cell_geometry.h"
#include "format/cell_values.h"
#include "format/object_cells.h"
#include "format/record_fields.h"
#include "model/error_codes.h"
#include "util/rounding.h"

namespace sb {
namespace {

bool has_approach_marks(uint8_t kind) {
  return kind != 5 && kind != 6 && kind < kUnmarkedStationKind;
}

}  // namespace

std::vector<StationApproachMark> station_approach_marks(const GeneralRecord& station) {
  std::vector<StationApproachMark> marks;
  if (!has_approach_marks(station.kind)) return marks;
  const double stop_at = area_end_cell_at(area_end(station));
  for (int b = 1; b <= kApproachMarks; ++b) {
    const double mark_at = stop_at - b;
    if (mark_at > 1) {
      marks.push_back({round_half_even(mark_at), pack_approach(kStationApproachCode, b)});
    }
  }
  return marks;
}

bool record_station_stop(BuildState& state, int record, Finding* refusal) {
  const GeneralRecord& station = state.record(record);
  if (station.kind >= kUnmarkedStationKind) return true;
  const double stop_at = area_end_cell_at(area_end(station));
  const int64_t stop_cell = area_end_cell(area_end(station));
  if (stop_cell > state.cell_last_index) return refuse(refusal, outside_the_line(state));
  for (const StationApproachMark& mark : station_approach_marks(station)) {
    state.cell(static_cast<int32_t>(mark.cell)).approach = mark.mark;
  }
  if (stop_at <= 1) return refuse(refusal, failure_of(kStationAtLineStart));
  TrackCell& cell = state.cell(static_cast<int32_t>(stop_cell));
  cell.kind = kStationStopCell;
  cell.value_1 = static_cast<int16_t>(record);
  return true;
}

}  // namespace sb
