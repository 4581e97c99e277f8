#ifndef SCENARIO_BUILDER_COMPILER_MARKER_PASS_H_
#define SCENARIO_BUILDER_COMPILER_MARKER_PASS_H_

#include <cstdint>
#include <string>
#include <vector>

#include "format/code_point_rules.h"
#include "model/build_state.h"
#include "model/error_codes.h"

namespace sb {

// A code point the pass could not place because every candidate cell was
// taken.  The pass goes on after it; the driver reports it as a warning.
struct MarkerWarning {
  ErrorCode code;  // kRuleAPlacementFailed, kRulesBToDPlacementFailed or
                   // kRuleEPlacementFailed
  char rule;       // 'A' .. 'E'
  int32_t cell;    // the cell the rule worked for: the signal for rule A, the
                   // slowdown start for B to D, the walk index for E

  bool operator==(const MarkerWarning&) const = default;
};

// Adds code points (value 180) around slowdowns by the rules of
// format/code_point_walk.h.  Code points go only into free cells; a cell
// beyond the last one counts as taken.  Every failed placement is returned,
// in order.
std::vector<MarkerWarning> place_code_points(BuildState& state);

// One line in plain words for a warning, naming the rule and the cell.
std::string describe(const MarkerWarning& warning);

// A warning's cell and where it begins: "cell 100 at 5000 m".
std::string cell_and_metres(int32_t cell);

// The distances before a slowdown start a rule B to D tries: "250 to 350 m".
std::string distance_span(const DistanceRule& rule);

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_MARKER_PASS_H_
