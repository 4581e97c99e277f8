#include "output/scenario_writers.h"

#include <algorithm>
#include <span>

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

// The elements are stored straight into the writer's buffer, as many as
// its free end holds at a time: a column of a long line is 10 MB.
void write_trace_column(const LineTrace& trace, int column, BufferedWriter& out) {
  constexpr size_t kLongestElement = 10;
  const std::span<const TraceTag> tags = trace.tags();
  const std::span<const double> values = trace.column(column);
  size_t row = 0;
  while (row < tags.size()) {
    const std::span<char> room = out.room(kLongestElement);
    const size_t last = std::min(tags.size(), row + room.size() / kLongestElement);
    char* end = room.data();
    for (; row < last; ++row) end = store_trace_element(end, tags[row], values[row]);
    out.advance(static_cast<size_t>(end - room.data()));
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

}  // namespace sb
