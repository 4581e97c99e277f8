#ifndef SCENARIO_BUILDER_MODEL_BUILD_STATE_H_
#define SCENARIO_BUILDER_MODEL_BUILD_STATE_H_

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "format/cell_geometry.h"
#include "format/cells.h"
#include "format/records.h"
#include "model/line_trace.h"

namespace sb {

inline constexpr int kMaxMountainStretches = 80;

// The build's trace flag: with it nonzero the curves are read and the line
// trace is written; with it zero neither (a build that only needs the records
// and cells, as the decompiler's check of its own texts).
inline constexpr int32_t kWithLineTrace = 1;
inline constexpr int32_t kWithoutLineTrace = 0;

// The whole state of one build, passed explicitly to every step that fills it.
struct BuildState {
  std::string scenario_name;
  std::string train_number;
  int32_t trace_flag = 0;

  GeneralRecords general_records{};
  // Empty until the line text gives the route length.
  std::vector<TrackCell> track_cells;
  LineTrace line_trace;
  int32_t cell_last_index = -1;
  int32_t trace_last_index = -1;

  std::array<int32_t, kMaxMountainStretches + 1> mountain_starts{};
  std::array<int32_t, kMaxMountainStretches + 1> mountain_ends{};
  int32_t mountain_count = 0;

  bool has_cells() const { return !track_cells.empty(); }
  GeneralRecord& record(int index) { return general_records.at(static_cast<size_t>(index)); }
  const GeneralRecord& record(int index) const {
    return general_records.at(static_cast<size_t>(index));
  }
  TrackCell& cell(int32_t index) { return track_cells.at(static_cast<size_t>(index)); }
  const TrackCell& cell(int32_t index) const { return track_cells.at(static_cast<size_t>(index)); }
  bool cell_exists(int64_t index) const {
    return index >= 0 && index < static_cast<int64_t>(track_cells.size());
  }
};

// Sizes the cells and (with the trace flag) the trace for a route of
// `route_length` metres, every cell and row fresh.  The caller has checked
// 0 <= route_length <= kMaxRouteLength.
void size_for_route(BuildState& state, int32_t route_length);

}  // namespace sb

#endif  // SCENARIO_BUILDER_MODEL_BUILD_STATE_H_
