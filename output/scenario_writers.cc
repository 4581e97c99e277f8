#include "output/scenario_writers.h"

#include <algorithm>
#include <span>
#include <string_view>

namespace sb {
namespace {

// Rows of a run of doubles written at a time: the trace may still be
// computing the rows further on, and the writer follows it.
constexpr int32_t kRowsPerPiece = 1 << 16;

// The trace keeps each element at the start of a slot of its column, laid
// out as the file lays it out, so a run of double rows (all but four rows of
// a trace) leaves straight from the trace, a piece at a time.
void write_trace_column(const LineTrace& trace, int column, BufferedWriter& out) {
  const auto rows = static_cast<int32_t>(trace.row_count());
  int32_t row = 0;
  while (row < rows) {
    const TraceTag tag = trace.tag(row);
    if (tag == TraceTag::kDouble) {
      const int32_t end = trace.run_end(row);
      for (; row < end; row = std::min(end, row + kRowsPerPiece)) {
        const std::span<const char> piece =
            trace.stored_slots(column, row, std::min(end, row + kRowsPerPiece));
        out.put(std::string_view(piece.data(), piece.size()));
      }
    } else {
      const std::span<const char> slot = trace.stored_slots(column, row, row + 1);
      out.put(std::string_view(slot.data(), kTraceTagBytes + trace_value_bytes(tag)));
      ++row;
    }
  }
}

}  // namespace

void write_records(const GeneralRecords& records, BufferedWriter& out) {
  for (const GeneralRecord& record : records) encode_record(record, out);
}

void write_cells(const std::vector<TrackCell>& cells, BufferedWriter& out) {
  for (const TrackCell& cell : cells) encode_cell(cell, out);
}

void write_line_trace(const LineTrace& trace, BufferedWriter& out) {
  write_trace_column(trace, 0, out);
  write_trace_column(trace, 1, out);
}

uint64_t line_trace_file_bytes(const LineTrace& trace) {
  const auto rows = static_cast<int32_t>(trace.row_count());
  uint64_t column_bytes = 0;
  for (int32_t row = 0; row < rows;) {
    const int32_t end = trace.run_end(row);
    column_bytes += uint64_t(end - row) * (kTraceTagBytes + trace_value_bytes(trace.tag(row)));
    row = end;
  }
  return 2 * column_bytes;
}

}  // namespace sb
