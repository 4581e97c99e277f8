#include "compiler/station_stop_recorder.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "compiler/recorder_test_support.h"

namespace sb {
namespace {

using test::code_of;
using test::line_of;

// A 4000 m line (cells 0 to 220) whose record 3 is a station of `kind`
// with its area ending at `area_end`.
BuildState line_with_station(int32_t area_end, uint8_t kind) {
  BuildState state = line_of(4000);
  state.record(3).kind = kind;
  state.record(3).long_2 = area_end;
  return state;
}

// The cells that are no longer fresh: index, kind, value_1, approach.
std::vector<std::vector<int>> written_cells(const BuildState& state) {
  std::vector<std::vector<int>> written;
  for (int32_t i = 0; i <= state.cell_last_index; ++i) {
    const TrackCell& cell = state.cell(i);
    if (cell != TrackCell{}) written.push_back({i, cell.kind, cell.value_1, cell.approach});
  }
  return written;
}

TEST(StationStopRecorder, TheStopCellEndsTheAreaWithFourApproachMarksBefore) {
  Finding refusal;
  struct Case {
    const char* name;
    int32_t area_end;
    uint8_t kind;
    std::vector<std::vector<int>> cells;
  };
  const Case cases[] = {
      {"area end 1000: stop cell 19",
       1000,
       12,
       {{15, 0, 0, 84}, {16, 0, 0, 83}, {17, 0, 0, 82}, {18, 0, 0, 81}, {19, 10, 3, 0}}},
      {"19.5 rounds to 20; marks at 18.5 and 17.5 share cell 18",
       1025,
       12,
       {{16, 0, 0, 84}, {18, 0, 0, 82}, {20, 10, 3, 0}}},
      {"kinds 5 and 6 get no marks", 1000, 5, {{19, 10, 3, 0}}},
      {"kind 7 gets them",
       1000,
       7,
       {{15, 0, 0, 84}, {16, 0, 0, 83}, {17, 0, 0, 82}, {18, 0, 0, 81}, {19, 10, 3, 0}}},
      {"marks only beyond cell 1", 200, 12, {{2, 0, 0, 81}, {3, 10, 3, 0}}},
      {"stop cell 2 (100 m from the start), no marks", 150, 12, {{2, 10, 3, 0}}},
      {"the last cell",
       11050,
       12,
       {{216, 0, 0, 84}, {217, 0, 0, 83}, {218, 0, 0, 82}, {219, 0, 0, 81}, {220, 10, 3, 0}}},
      {"kind 25 and above: no cells", 1000, 25, {}},
      {"kind 25 beyond the line: no cells, no refusal", 20000, 25, {}},
  };
  for (const Case& c : cases) {
    BuildState state = line_with_station(c.area_end, c.kind);
    EXPECT_EQ(code_of(record_station_stop(state, 3, &refusal), refusal), 0) << c.name;
    EXPECT_EQ(written_cells(state), c.cells) << c.name;
  }
}

TEST(StationStopRecorder, TheStopCellOverwritesWhateverItHeld) {
  Finding refusal;
  BuildState state = line_with_station(1000, 12);
  state.cell(19).kind = kSignalCell;
  state.cell(19).value_2 = 7;
  ASSERT_EQ(code_of(record_station_stop(state, 3, &refusal), refusal), 0);
  EXPECT_EQ(state.cell(19).kind, kStationStopCell);
  EXPECT_EQ(state.cell(19).value_1, 3);
  EXPECT_EQ(state.cell(19).value_2, 7);
}

TEST(StationStopRecorder, AStopCellBeyondTheLineOrAtItsStartIsRefused) {
  Finding refusal;
  const std::pair<int32_t, int32_t> cases[] = {
      {11100, kOutsideTheLine},  // cell 221, one beyond the last
      {-400, kStationAtLineStart},
      {75, kStationAtLineStart},   // 0.5
      {100, kStationAtLineStart},  // cell 1
  };
  for (const auto& [area_end, code] : cases) {
    BuildState state = line_with_station(area_end, 12);
    const bool recorded = record_station_stop(state, 3, &refusal);
    EXPECT_EQ(code_of(recorded, refusal), code) << area_end;
    EXPECT_EQ(refusal.value, code == kOutsideTheLine ? 220 : 0) << area_end;
    EXPECT_TRUE(written_cells(state).empty()) << area_end;
  }
}

TEST(StationStopRecorder, ApproachMarksNearestFirst) {
  GeneralRecord station;
  station.kind = 12;
  station.long_2 = 1025;  // 19.5: marks at 18.5, 17.5, 16.5 and 15.5
  EXPECT_EQ(station_approach_marks(station),
            (std::vector<StationApproachMark>{{18, 81}, {18, 82}, {16, 83}, {16, 84}}));
  station.long_2 = 250;  // 4: marks at 3 and 2, none at 1 or 0
  EXPECT_EQ(station_approach_marks(station), (std::vector<StationApproachMark>{{3, 81}, {2, 82}}));
}

}  // namespace
}  // namespace sb
