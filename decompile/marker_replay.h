#ifndef SCENARIO_BUILDER_DECOMPILE_MARKER_REPLAY_H_
#define SCENARIO_BUILDER_DECOMPILE_MARKER_REPLAY_H_

#include <cstdint>
#include <string>
#include <vector>

#include "format/cells.h"

namespace sb {

// Why the code points of the pass were not found.
enum class ReplayFailure : uint8_t {
  kNoRun,   // no run of the pass leaves these cells: no clean build made them
  kGaveUp,  // the search ran out of replays before it found one
};

// Which code points of the cells after a build the code-point pass placed.
// The pass only ever places code points of value 180, so each such code
// point is either its own or stood there before it ran (an author's code
// point, which the pass may have lowered to 180).  The pass is replayed over
// the cells with those code points undecided: the first time the pass asks
// whether one of them is free it is taken to be the pass's own (and the pass
// places it there), and when the replay comes to a contradiction (the pass
// would fill a cell that holds no code point, or lower one that is above
// 180) the latest such choice is undone.  The result prefers the pass's own
// code points, so the fewest code points remain for the source text.
// Returns the cells the pass placed, in increasing order; false, *error and
// *failure when no choice replays to these cells.
bool code_points_of_the_pass(const std::vector<TrackCell>& cells, std::vector<int32_t>* placed,
                             std::string* error, ReplayFailure* failure);

}  // namespace sb

#endif  // SCENARIO_BUILDER_DECOMPILE_MARKER_REPLAY_H_
