#include "inspect/scenario_decoder.h"

#include <bit>
#include <initializer_list>
#include <type_traits>

namespace sb {
namespace {

// Reads little-endian fields front to back; the caller checks left() first.
class ByteCursor {
 public:
  explicit ByteCursor(std::string_view bytes) : bytes_(bytes) {}

  size_t offset() const { return offset_; }
  size_t left() const { return bytes_.size() - offset_; }

  uint64_t unsigned_value(size_t size) {
    uint64_t value = 0;
    for (size_t i = 0; i < size; ++i) {
      value |= static_cast<uint64_t>(static_cast<uint8_t>(bytes_[offset_ + i])) << (8 * i);
    }
    offset_ += size;
    return value;
  }

  // An integer of T's width, two's complement when T is signed.
  template <typename T>
  T integer() {
    using Unsigned = std::make_unsigned_t<T>;
    return static_cast<T>(static_cast<Unsigned>(unsigned_value(sizeof(T))));
  }

  double binary64() { return std::bit_cast<double>(unsigned_value(8)); }

  std::string_view take(size_t size) {
    std::string_view part = bytes_.substr(offset_, size);
    offset_ += size;
    return part;
  }

 private:
  std::string_view bytes_;
  size_t offset_ = 0;
};

std::string bytes_word(size_t count) {
  return std::to_string(count) + (count == 1 ? " byte" : " bytes");
}

// Reads the fields of one record in file order, stopping at the first one
// that the file cuts short.
class RecordReader {
 public:
  RecordReader(ByteCursor& in, int index, std::string* error)
      : in_(in), index_(index), error_(error) {}

  template <typename T>
  bool field(const char* name, T* value) {
    if (!need(name, sizeof(T))) return false;
    *value = in_.integer<T>();
    return true;
  }

  bool text(std::string* value) {
    uint16_t length = 0;
    if (!field("text length", &length)) return false;
    if (!need("text", length)) return false;
    *value = std::string(in_.take(length));
    return true;
  }

 private:
  bool need(const char* name, size_t size) {
    if (in_.left() >= size) return true;
    *error_ = "ends inside record " + std::to_string(index_) + " at byte " +
              std::to_string(in_.offset()) + ": its " + name + " needs " + bytes_word(size) +
              ", " + std::to_string(in_.left()) + " left";
    return false;
  }

  ByteCursor& in_;
  int index_;
  std::string* error_;
};

bool read_record(ByteCursor& in, int index, GeneralRecord* record, std::string* error) {
  RecordReader r(in, index, error);
  return r.field("kind", &record->kind) && r.field("long_1", &record->long_1) &&
         r.field("long_2", &record->long_2) && r.field("long_3", &record->long_3) &&
         r.field("byte_1", &record->byte_1) && r.text(&record->text) &&
         r.field("short_1", &record->short_1) && r.field("short_2", &record->short_2) &&
         r.field("short_3", &record->short_3) && r.field("short_4", &record->short_4) &&
         r.field("short_5", &record->short_5) && r.field("byte_2", &record->byte_2) &&
         r.field("byte_3", &record->byte_3) && r.field("byte_4", &record->byte_4) &&
         r.field("byte_5", &record->byte_5) && r.field("long_4", &record->long_4);
}

TrackCell read_cell(ByteCursor& in) {
  TrackCell cell;
  cell.kind = in.integer<uint8_t>();
  cell.value_1 = in.integer<int16_t>();
  cell.value_2 = in.integer<int16_t>();
  cell.value_3 = in.integer<int16_t>();
  cell.value_4 = in.integer<int16_t>();
  cell.signal_time = in.integer<uint8_t>();
  cell.approach = in.integer<uint8_t>();
  cell.mountain_side = in.integer<uint8_t>();
  cell.speed_limit = in.integer<uint8_t>();
  cell.gradient = in.integer<uint8_t>();
  cell.adhesion = in.integer<uint8_t>();
  return cell;
}

// Bytes after the tag, or -1 for a tag the trace file never holds.
int value_bytes(uint16_t tag) {
  for (const TraceTag known : {TraceTag::kUnset, TraceTag::kInt16, TraceTag::kDouble}) {
    if (tag == static_cast<uint16_t>(known)) return static_cast<int>(trace_value_bytes(known));
  }
  return -1;
}

std::string element_at(size_t element, size_t offset) {
  return "element " + std::to_string(element) + " at byte " + std::to_string(offset);
}

// Walks the tags without keeping values: the element count, or false with
// *error at the first element that is not sound.
bool count_trace_elements(std::string_view bytes, size_t* count, std::string* error) {
  ByteCursor in(bytes);
  size_t element = 0;
  for (; in.left() > 0; ++element) {
    const size_t start = in.offset();
    if (in.left() < kTraceTagBytes) {
      *error = element_at(element, start) + " is cut short: its tag needs 2 bytes, " +
               std::to_string(in.left()) + " left";
      return false;
    }
    const uint16_t tag = in.integer<uint16_t>();
    const int size = value_bytes(tag);
    if (size < 0) {
      *error = element_at(element, start) + " has the unknown tag " + std::to_string(tag);
      return false;
    }
    if (in.left() < static_cast<size_t>(size)) {
      *error = element_at(element, start) + " is cut short: tag " + std::to_string(tag) +
               " needs " + bytes_word(static_cast<size_t>(size)) + " after it, " +
               std::to_string(in.left()) + " left";
      return false;
    }
    in.take(static_cast<size_t>(size));
  }
  *count = element;
  return true;
}

// Fills a column from elements already known to be sound.
void read_trace_column(ByteCursor& in, size_t rows, DecodedTrace::Column* column) {
  column->tags.resize(rows);
  column->values.resize(rows);
  for (size_t row = 0; row < rows; ++row) {
    const auto tag = static_cast<TraceTag>(in.integer<uint16_t>());
    column->tags[row] = tag;
    if (tag == TraceTag::kInt16) {
      column->values[row] = in.integer<int16_t>();
    } else if (tag == TraceTag::kDouble) {
      column->values[row] = in.binary64();
    } else {
      column->values[row] = 0.0;
    }
  }
}

}  // namespace

bool decode_records(std::string_view bytes, std::array<GeneralRecord, kRecordCount>* records,
                    std::string* error) {
  ByteCursor in(bytes);
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
  ByteCursor in(bytes);
  std::vector<TrackCell> decoded(count);
  for (TrackCell& cell : decoded) cell = read_cell(in);
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
             std::to_string(bytes.size()) +
             "): the two columns must have the same number of rows";
    return false;
  }
  ByteCursor in(bytes);
  DecodedTrace decoded;
  for (DecodedTrace::Column& column : decoded.columns) read_trace_column(in, count / 2, &column);
  *trace = std::move(decoded);
  return true;
}

}  // namespace sb
