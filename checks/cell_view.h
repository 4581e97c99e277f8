#ifndef SCENARIO_BUILDER_CHECKS_CELL_VIEW_H_
#define SCENARIO_BUILDER_CHECKS_CELL_VIEW_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "checks/text_check.h"
#include "model/build_state.h"

namespace sb {

// The cells this many either side of the one asked for.
inline constexpr int64_t kCellViewReach = 10;

// The cells around the position `metres` (its chainage as the kilometre
// posts read it in the head line): for each, what the compile wrote
// there and which entry, by text and line, holds it, with the part of the
// entry when it is not the entry's own place ("the slowdown at 4050 m (its
// warning cell)"), or that the compile added it (the code points around a
// slowdown).  Names are the texts' as the command line gave them.
std::string cell_view(const BuildState& state, int64_t metres, const LineFacts& line,
                      const TrainFacts& train, std::string_view line_text_name,
                      std::string_view train_text_name);

// Where the kilometre posts read `reading` (metres: 15300 is 15+300) on the
// route `route_length` long, and the cell view around the first such place:
// "chainage 15+300 is at 5300 m" (and the other places, where a numbering
// repeats it), or that no place reads it, with what the posts read at the
// route's two ends.
std::string chainage_view(const BuildState& state, int64_t reading, const LineFacts& line,
                          const TrainFacts& train, std::string_view line_text_name,
                          std::string_view train_text_name);

}  // namespace sb

#endif  // SCENARIO_BUILDER_CHECKS_CELL_VIEW_H_
