#ifndef SCENARIO_BUILDER_CHECKS_CELL_CONFLICTS_H_
#define SCENARIO_BUILDER_CHECKS_CELL_CONFLICTS_H_

#include <vector>

#include "checks/diagnostic.h"
#include "checks/text_check.h"
#include "frontend/text_entries.h"

namespace sb {

// Completes the refusals of a cell that an earlier entry holds (E6, E7, E16
// to E21), which the text checks report at the first held cell of each
// refused entry: every other held cell the entry needs gets an error of its
// own beside the first, naming its holder, and the first says the nearest
// positions, later and earlier, where every cell the entry needs is free
// ("moving it to 4150 m or 3700 m frees every cell it needs").  The compile
// itself stops at the first; this is the checks looking further.
void complete_cell_conflicts(const TextEntries& line, const TextEntries& train,
                             const LineFacts& line_facts, const TrainFacts& train_facts,
                             std::vector<Diagnostic>* diagnostics);

}  // namespace sb

#endif  // SCENARIO_BUILDER_CHECKS_CELL_CONFLICTS_H_
