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

void write_trace_column(const LineTrace& trace, int column, BufferedWriter& out) {
  for (int32_t row = 0; row <= trace.last_index(); ++row) {
    const TraceTag tag = trace.tag(row);
    out.put_u16(static_cast<uint16_t>(tag));
    if (tag == TraceTag::kInt16) {
      out.put_i16(static_cast<int16_t>(trace.value(column, row)));
    } else if (tag == TraceTag::kDouble) {
      out.put_f64(trace.value(column, row));
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

}  // namespace sb
