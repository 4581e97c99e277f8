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

// Where in a source text a field stood; line and column count from 1.
struct SourceLocation {
  enum class Text : uint8_t { kNone, kLine, kTrain };
  Text text = Text::kNone;
  int line = 0;
  int column = 0;

  bool operator==(const SourceLocation&) const = default;
};

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

  std::string line_buffer;
  int32_t error_code = 0;
  int32_t error_position = 0;
  // Where the failure stood (the keyword field of the failing entry) and,
  // for a read failure, what went wrong: for diagnostics only.
  SourceLocation error_location;
  std::string error_detail;

  bool has_cells() const { return !track_cells.empty(); }
  GeneralRecord& record(int index) { return general_records.at(static_cast<size_t>(index)); }
  const GeneralRecord& record(int index) const {
    return general_records.at(static_cast<size_t>(index));
  }
  TrackCell& cell(int32_t index) { return track_cells.at(static_cast<size_t>(index)); }
  const TrackCell& cell(int32_t index) const {
    return track_cells.at(static_cast<size_t>(index));
  }
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
