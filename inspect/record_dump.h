#ifndef SCENARIO_BUILDER_INSPECT_RECORD_DUMP_H_
#define SCENARIO_BUILDER_INSPECT_RECORD_DUMP_H_

#include <array>
#include <ostream>

#include "inspect/dump_common.h"
#include "model/build_state.h"

namespace sb {

// Prints the records asked for, every field by name.  The text form leaves
// out records that are all zero with an empty text and lists their indices
// on one line; the JSON form carries every record asked for.
void dump_records(const DumpContext& context,
                  const std::array<GeneralRecord, kRecordCount>& records, bool json,
                  std::ostream& out);

}  // namespace sb

#endif  // SCENARIO_BUILDER_INSPECT_RECORD_DUMP_H_
