#ifndef SCENARIO_BUILDER_COMPILER_CHAINAGE_ORDER_H_
#define SCENARIO_BUILDER_COMPILER_CHAINAGE_ORDER_H_

#include "model/build_state.h"

namespace sb {

// Orders the three kilometre chainages, read as chainage three in record 81,
// two in 82 and one in 83 (long_1 start, long_2 kilometre value in metres,
// long_3 flag), so that record 81 holds the one that begins furthest along
// the route and record 83 the one that begins first; then adds 100 to the
// kilometre value of every chainage whose flag is 1.  Chainages that cannot
// be told apart are all cleared.  Never fails.
void progressive_ordina(BuildState& state);

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_CHAINAGE_ORDER_H_
