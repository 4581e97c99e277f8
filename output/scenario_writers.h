#ifndef SCENARIO_BUILDER_OUTPUT_SCENARIO_WRITERS_H_
#define SCENARIO_BUILDER_OUTPUT_SCENARIO_WRITERS_H_

#include <array>
#include <cstdint>
#include <vector>

#include "model/build_state.h"
#include "platform/buffered_writer.h"

namespace sb {

// The records file.  Texts longer than kLongestRecordText must have been
// refused before.
void write_records(const GeneralRecords& records, BufferedWriter& out);

// The cells file.
void write_cells(const std::vector<TrackCell>& cells, BufferedWriter& out);

// The line trace file.
void write_line_trace(const LineTrace& trace, BufferedWriter& out);

// The size of the line trace file that write_line_trace writes.
uint64_t line_trace_file_bytes(const LineTrace& trace);

}  // namespace sb

#endif  // SCENARIO_BUILDER_OUTPUT_SCENARIO_WRITERS_H_
