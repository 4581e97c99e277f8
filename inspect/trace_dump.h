#ifndef SCENARIO_BUILDER_INSPECT_TRACE_DUMP_H_
#define SCENARIO_BUILDER_INSPECT_TRACE_DUMP_H_

#include <ostream>

#include "inspect/dump_common.h"
#include "inspect/scenario_decoder.h"

namespace sb {

// Prints the row count, the tags of each column, the extent of x and y, the
// length along the trace and the rows asked for (none when none are asked).
void dump_line_trace(const DumpContext& context, const DecodedTrace& trace, bool json,
                     std::ostream& out);

}  // namespace sb

#endif  // SCENARIO_BUILDER_INSPECT_TRACE_DUMP_H_
