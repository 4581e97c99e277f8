#ifndef SCENARIO_BUILDER_OUTPUT_SCENARIO_WRITERS_H_
#define SCENARIO_BUILDER_OUTPUT_SCENARIO_WRITERS_H_

#include <array>
#include <cstdint>
#include <vector>

#include "model/build_state.h"
#include "platform/buffered_writer.h"

namespace sb {

// The longest text a record can carry: its length is written in 16 bits.
inline constexpr size_t kLongestRecordText = 65535;

// The records file: the 87 general records back to back, each its fields in
// order with the text as a 16-bit length and its bytes.  Texts longer than
// kLongestRecordText must have been refused before.
void write_records(const std::array<GeneralRecord, kRecordCount>& records, BufferedWriter& out);

// The cells file: 15 bytes a cell, from cell 0 to the last.
void write_cells(const std::vector<TrackCell>& cells, BufferedWriter& out);

// The line trace file: column 0 then column 1, each element a 16-bit tag
// (0 unset, 2 int16, 5 double) and its value.
void write_line_trace(const LineTrace& trace, BufferedWriter& out);

// The size of the line trace file that write_line_trace writes.
uint64_t line_trace_file_bytes(const LineTrace& trace);

}  // namespace sb

#endif  // SCENARIO_BUILDER_OUTPUT_SCENARIO_WRITERS_H_
