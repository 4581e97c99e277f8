#ifndef SCENARIO_BUILDER_CHECKS_VALUE_PLACES_H_
#define SCENARIO_BUILDER_CHECKS_VALUE_PLACES_H_

#include <vector>

#include "checks/diagnostic.h"
#include "frontend/text_entries.h"

namespace sb {

// Moves the warnings of a value outside its range (W30, W43), said at the
// entry's keyword and naming the value ("the signal's sx 5 lies outside
// ..."), to the value's own field, so that the column points at it.
void point_at_values(const TextEntries& line, const TextEntries& train,
                     std::vector<Diagnostic>* diagnostics);

}  // namespace sb

#endif  // SCENARIO_BUILDER_CHECKS_VALUE_PLACES_H_
