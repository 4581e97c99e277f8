#ifndef SCENARIO_BUILDER_COMPILER_STATION_STOP_RECORDER_H_
#define SCENARIO_BUILDER_COMPILER_STATION_STOP_RECORDER_H_

#include <cstdint>
#include <optional>

#include "compiler/finding.h"
#include "model/build_state.h"

namespace sb {

// Marks the cells of the station in general record `record`, whose area
// ends at its long_2: the stop cell is the last cell of the area,
// round(long_2 / 50 - 1), which becomes kind 10 naming `record` whatever it
// held; the approach bytes of the four cells before it get 81 to 84 (81
// nearest), each only when it lies beyond cell 1 (unrounded).  Stations of
// kind 5 and 6 get no approach marks; stations of kind 25 and above no cells
// at all.
//
// Returns the refusal, having written nothing: 15 when the stop cell lies
// beyond the last cell, 24 when it lies within cell 1 (unrounded) of the
// start of the line.
std::optional<Finding> record_station_stop(BuildState& state, int record);

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_STATION_STOP_RECORDER_H_
