#include "output/scenario_writers.h"

#include <algorithm>
#include <span>
#include <string_view>

namespace sb {
namespace {

void write_record(const GeneralRecord& record, BufferedWriter& out) {
  out.put_u8(record.kind);
  out.put_i32(record.long_1);
  out.put_i32(record.long_2);
  out.put_i32(record.long_3);
  out.put_u8(record.byte_1);
  out.put_u16(static_cast<uint16_t>(record.text.size()));
  out.put(record.text);
  out.put_i16(record.short_1);
  out.put_i16(record.short_2);
  out.put_i16(record.short_3);
  out.put_i16(record.short_4);
  out.put_i16(record.short_5);
  out.put_u8(record.byte_2);
  out.put_u8(record.byte_3);
  out.put_u8(record.byte_4);
  out.put_u8(record.byte_5);
  out.put_i32(record.long_4);
}

void write_cell(const TrackCell& cell, BufferedWriter& out) {
  out.put_u8(cell.kind);
  out.put_i16(cell.value_1);
  out.put_i16(cell.value_2);
  out.put_i16(cell.value_3);
  out.put_i16(cell.value_4);
  out.put_u8(cell.signal_time);
  out.put_u8(cell.approach);
  out.put_u8(cell.mountain_side);
  out.put_u8(cell.speed_limit);
  out.put_u8(cell.gradient);
  out.put_u8(cell.adhesion);
}

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

void write_records(const std::array<GeneralRecord, kRecordCount>& records, BufferedWriter& out) {
  for (const GeneralRecord& record : records) write_record(record, out);
}

void write_cells(const std::vector<TrackCell>& cells, BufferedWriter& out) {
  for (const TrackCell& cell : cells) write_cell(cell, out);
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
