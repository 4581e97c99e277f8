#ifndef SCENARIO_BUILDER_INSPECT_CELL_DUMP_H_
#define SCENARIO_BUILDER_INSPECT_CELL_DUMP_H_

#include <ostream>
#include <vector>

#include "inspect/dump_common.h"
#include "format/cells.h"

namespace sb {

// Prints the format mark and scenario code of cell 1, one line for every
// cell asked for that holds an object, an approach mark or stray values, and
// the line attributes (gradient, speed limit, adhesion, mountain side) as
// runs of equal cells.
void dump_cells(const DumpContext& context, const std::vector<TrackCell>& cells, bool json,
                std::ostream& out);

}  // namespace sb

#endif  // SCENARIO_BUILDER_INSPECT_CELL_DUMP_H_
