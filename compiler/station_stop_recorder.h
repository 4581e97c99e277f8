#ifndef SCENARIO_BUILDER_COMPILER_STATION_STOP_RECORDER_H_
#define SCENARIO_BUILDER_COMPILER_STATION_STOP_RECORDER_H_

#include <cstdint>
#include <vector>

#include "compiler/finding.h"
#include "model/build_state.h"

namespace sb {

// A cell ahead of a station stop and the approach byte it gets.
struct StationApproachMark {
  int64_t cell = 0;
  uint8_t mark = 0;

  bool operator==(const StationApproachMark&) const = default;
};

// The approach marks of `station`, nearest first: 81 to 84 in the four cells
// before its stop cell, round(long_2 / 50 - 1 - b) for b = 1 to 4, each only
// when long_2 / 50 - 1 - b lies beyond 1; none for kinds 5 and 6 and for
// kinds 25 and above.
std::vector<StationApproachMark> station_approach_marks(const GeneralRecord& station);

// Marks the cells of the station in general record `record`, whose area
// ends at its long_2: the stop cell is the last cell of the area,
// round(long_2 / 50 - 1), which becomes kind 10 naming `record` whatever it
// held, and the cells of its approach marks get them whatever they held.
// Stations of kind 25 and above get no cells at all.
//
// True when recorded (or when the station gets no cells).  Otherwise false
// with `*refusal` set, having written nothing: 15 when the stop cell lies
// beyond the last cell, 24 when it lies within cell 1 (unrounded) of the
// start of the line.
bool record_station_stop(BuildState& state, int record, Finding* refusal);

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_STATION_STOP_RECORDER_H_
