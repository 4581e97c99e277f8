#ifndef SCENARIO_BUILDER_CHECKS_MEANING_CHECKS_H_
#define SCENARIO_BUILDER_CHECKS_MEANING_CHECKS_H_

#include <vector>

#include "checks/diagnostic.h"
#include "frontend/text_entries.h"

namespace sb {

// Appends a warning for each entry whose values are well formed but
// describe a run no author means: station times that run backwards, a leg
// scheduled faster than the speed limits allow even without accelerating or
// braking, slowdowns that do not slow, are 0 m long, run past the end of the
// line or overlap another at a different speed, and speed limits of 0.
void check_meaning(const TextEntries& line, const TextEntries& train,
                   std::vector<Diagnostic>* diagnostics);

}  // namespace sb

#endif  // SCENARIO_BUILDER_CHECKS_MEANING_CHECKS_H_
