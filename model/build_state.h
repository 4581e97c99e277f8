#ifndef SCENARIO_BUILDER_MODEL_BUILD_STATE_H_
#define SCENARIO_BUILDER_MODEL_BUILD_STATE_H_

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/line_trace.h"
#include "model/track_cell.h"

namespace sb {

// One entry of the table of 87 general records: stations from record 1 up,
// indication-board texts from record 80 down, and the line-wide and
// train-wide values in records 81 to 86.  Texts are Windows-1252 bytes.
struct GeneralRecord {
  uint8_t kind = 0;
  int32_t long_1 = 0;
  int32_t long_2 = 0;
  int32_t long_3 = 0;
  uint8_t byte_1 = 0;
  std::string text;
  int16_t short_1 = 0;
  int16_t short_2 = 0;
  int16_t short_3 = 0;
  int16_t short_4 = 0;
  int16_t short_5 = 0;
  uint8_t byte_2 = 0;
  uint8_t byte_3 = 0;
  uint8_t byte_4 = 0;
  uint8_t byte_5 = 0;
  int32_t long_4 = 0;

  bool operator==(const GeneralRecord&) const = default;
};

inline constexpr int kRecordCount = 87;
// Roles of the record indices.
inline constexpr int kFirstStationRecord = 1;
inline constexpr int kTopBoardRecord = 80;
inline constexpr int kChainageThreeRecord = 81;
inline constexpr int kChainageTwoRecord = 82;
inline constexpr int kChainageOneRecord = 83;
inline constexpr int kTotalsRecord = 84;
inline constexpr int kScenarioRecord = 85;
inline constexpr int kTrainRecord = 86;

// Format marks stamped by the build driver, and the longest route accepted.
inline constexpr int16_t kRecordsFormatMark = 610;
inline constexpr int16_t kCellsFormatMark = 5121;
inline constexpr int32_t kMaxRouteLength = 1000000;
// Cells and trace rows reach this far beyond the end of the route.
inline constexpr int32_t kRouteOverrun = 7000;
inline constexpr int kMaxMountainStretches = 80;

// The whole state of one build, passed explicitly to every step that fills it.
struct BuildState {
  std::string scenario_name;
  std::string train_number;
  int32_t trace_flag = 0;

  std::array<GeneralRecord, kRecordCount> general_records{};
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
