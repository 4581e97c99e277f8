#ifndef SCENARIO_BUILDER_COMPILER_MARKER_PASS_H_
#define SCENARIO_BUILDER_COMPILER_MARKER_PASS_H_

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/code_point_rules.h"
#include "model/build_state.h"

namespace sb {

// A code point the pass could not place because every candidate cell was
// taken.  The pass goes on after it; the driver reports it as a warning.
struct MarkerWarning {
  int32_t code;  // 11 (rule A), 12 (rules B to D), 13 (rule E)
  char rule;     // 'A' .. 'E'
  int32_t cell;  // the cell the rule worked for: the signal for rule A, the
                 // slowdown start for B to D, the walk index for E

  bool operator==(const MarkerWarning&) const = default;
};

// Adds code points (value 180) around slowdowns:
//  A. ahead of every signal in the 20 cells before a slowdown warning, or
//     lowers a code point already standing there to at most 180;
//  B-D. 250-350 m, 550-650 m and 900-1000 m before a slowdown start;
//  E. every 400 m through a slowdown below 110 km/h and just ahead of the
//     first signal within 600 m after its end.
// Cells 1 to last - 2 are visited in increasing order, and each placement is
// seen by the later ones.  Code points go only into free cells; a cell beyond
// the last one counts as taken.  Every failed placement is returned, in order.
std::vector<MarkerWarning> place_code_points(BuildState& state);

// One line in plain words for a warning, naming the rule and the cell.
std::string describe(const MarkerWarning& warning);

// A warning's cell and where it begins: "cell 100 at 5000 m".
std::string cell_and_metres(int32_t cell);

// The distances before a slowdown start a rule B to D tries: "250 to 350 m".
std::string distance_span(const DistanceRule& rule);

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_MARKER_PASS_H_
