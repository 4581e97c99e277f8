#include "inspect/scenario_decoder.h"

#include <optional>

namespace sb {
namespace {

std::string bytes_word(size_t count) {
  return std::to_string(count) + (count == 1 ? " byte" : " bytes");
}

bool read_record(ByteReader& in, int index, GeneralRecord* record, std::string* error) {
  RecordShortfall shortfall;
  if (decode_record(in, record, &shortfall)) return true;
  *error = "ends inside record " + std::to_string(index) + " at byte " +
           std::to_string(in.offset()) + ": its " + shortfall.part + " needs " +
           bytes_word(shortfall.needed) + ", " + std::to_string(in.left()) + " left";
  return false;
}

std::string element_at(size_t element, size_t offset) {
  return "element " + std::to_string(element) + " at byte " + std::to_string(offset);
}

// Walks the tags without keeping values: the element count, or false with
// *error at the first element that is not sound.
bool count_trace_elements(std::string_view bytes, size_t* count, std::string* error) {
  ByteReader in(bytes);
  size_t element = 0;
  for (; in.left() > 0; ++element) {
    const size_t start = in.offset();
    if (in.left() < kTraceTagBytes) {
      *error = element_at(element, start) + " is cut short: its tag needs 2 bytes, " +
               std::to_string(in.left()) + " left";
      return false;
    }
    const uint16_t tag = in.take_le<uint16_t>();
    const std::optional<TraceTag> known = trace_tag(tag);
    if (!known) {
      *error = element_at(element, start) + " has the unknown tag " + std::to_string(tag);
      return false;
    }
    const size_t size = trace_value_bytes(*known);
    if (in.left() < size) {
      *error = element_at(element, start) + " is cut short: tag " + std::to_string(tag) +
               " needs " + bytes_word(size) + " after it, " + std::to_string(in.left()) + " left";
      return false;
    }
    in.take(size);
  }
  *count = element;
  return true;
}

// Fills a column from elements already known to be sound.
void read_trace_column(ByteReader& in, size_t rows, DecodedTrace::Column* column) {
  column->tags.resize(rows);
  column->values.resize(rows);
  for (size_t row = 0; row < rows; ++row) {
    const auto tag = static_cast<TraceTag>(in.take_le<uint16_t>());
    column->tags[row] = tag;
    column->values[row] = trace_element_value(tag, in.take(trace_value_bytes(tag)).data());
  }
}

}  // namespace

bool decode_records(std::string_view bytes, std::array<GeneralRecord, kRecordCount>* records,
                    std::string* error) {
  ByteReader in(bytes);
  std::array<GeneralRecord, kRecordCount> decoded{};
  for (int index = 0; index < kRecordCount; ++index) {
    if (!read_record(in, index, &decoded[static_cast<size_t>(index)], error)) return false;
  }
  if (in.left() > 0) {
    *error = "goes on after record " + std::to_string(kRecordCount - 1) + ": " +
             bytes_word(in.left()) + " more from byte " + std::to_string(in.offset());
    return false;
  }
  *records = std::move(decoded);
  return true;
}

bool decode_cells(std::string_view bytes, std::vector<TrackCell>* cells, std::string* error) {
  if (bytes.empty()) {
    *error = "is empty: no cell at byte 0";
    return false;
  }
  const size_t count = bytes.size() / kCellBytes;
  const size_t rest = bytes.size() % kCellBytes;
  if (rest != 0) {
    *error = "is " + bytes_word(bytes.size()) + ", not a whole number of 15-byte cells: cell " +
             std::to_string(count) + " at byte " + std::to_string(count * kCellBytes) +
             " has only " + bytes_word(rest);
    return false;
  }
  ByteReader in(bytes);
  std::vector<TrackCell> decoded(count);
  for (TrackCell& cell : decoded) cell = decode_cell(in);
  *cells = std::move(decoded);
  return true;
}

bool decode_line_trace(std::string_view bytes, DecodedTrace* trace, std::string* error) {
  if (bytes.empty()) {
    *error = "is empty: no element at byte 0";
    return false;
  }
  size_t count = 0;
  if (!count_trace_elements(bytes, &count, error)) return false;
  if (count % 2 != 0) {
    *error = "holds an odd number of elements (" + std::to_string(count) + ", ending at byte " +
             std::to_string(bytes.size()) + "): the two columns must have the same number of rows";
    return false;
  }
  ByteReader in(bytes);
  DecodedTrace decoded;
  for (DecodedTrace::Column& column : decoded.columns) read_trace_column(in, count / 2, &column);
  *trace = std::move(decoded);
  return true;
}

}  // namespace sb
