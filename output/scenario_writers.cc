#include "output/scenario_writers.h"

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

// One element: its tag, then its value in the width the tag gives.
char* store_trace_element(char* at, TraceTag tag, double value) {
  at = store_le(at, static_cast<uint16_t>(tag));
  if (tag == TraceTag::kInt16) {
    return store_le(at, static_cast<uint16_t>(static_cast<int16_t>(value)));
  }
  if (tag == TraceTag::kDouble) return store_le(at, value);
  return at;
}

// The column's elements are gathered in a block on the stack and handed to
// the writer a block at a time: a column of a long line is 10 MB.
void write_trace_column(const LineTrace& trace, int column, BufferedWriter& out) {
  constexpr size_t kLongestElement = 10;
  char block[kLongestElement * 2048];
  char* end = block;
  for (int32_t row = 0; row <= trace.last_index(); ++row) {
    end = store_trace_element(end, trace.tag(row), trace.value(column, row));
    if (end > block + sizeof block - kLongestElement) {
      out.put(std::string_view(block, static_cast<size_t>(end - block)));
      end = block;
    }
  }
  out.put(std::string_view(block, static_cast<size_t>(end - block)));
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

}  // namespace sb
