#ifndef SCENARIO_BUILDER_INSPECT_RECORD_DUMP_H_
#define SCENARIO_BUILDER_INSPECT_RECORD_DUMP_H_

#include <array>
#include <ostream>

#include "inspect/dump_common.h"
#include "format/records.h"

namespace sb {

// Prints the records asked for, each slot by what it holds in its record
// ("area start -400 m [long_1]").  The text form leaves out records that
// are all zero with an empty text, listing their indices on one line, and
// the slots a record leaves unused while they are zero; the JSON form
// carries every slot of every record asked for.  For the chainages of
// records 81 to 83 it names the entries of the line text they may have
// been written in.
void dump_records(const DumpContext& context, const GeneralRecords& records, bool json,
                  std::ostream& out);

}  // namespace sb

#endif  // SCENARIO_BUILDER_INSPECT_RECORD_DUMP_H_
