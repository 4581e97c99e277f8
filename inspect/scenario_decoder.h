#ifndef SCENARIO_BUILDER_INSPECT_SCENARIO_DECODER_H_
#define SCENARIO_BUILDER_INSPECT_SCENARIO_DECODER_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/build_state.h"
#include "format/trace_elements.h"
#include "format/cells.h"

namespace sb {

// Decoders of the three binary scenario files.  Each takes the whole file
// and either fills its result or leaves it untouched and says in *error what
// is wrong and at which byte (the message does not name the file: callers
// put the name in front).  Every decoder takes time linear in the file size.

// The records file: exactly 87 records back to back, each 34 bytes plus its
// text.  Fails on a file that ends inside a record or goes on after the last.
bool decode_records(std::string_view bytes, std::array<GeneralRecord, kRecordCount>* records,
                    std::string* error);

// The cells file: one 15-byte cell after the other.  Fails on an empty file
// and on one whose size is not a whole number of cells.
bool decode_cells(std::string_view bytes, std::vector<TrackCell>* cells, std::string* error);

// The line trace file as stored: column 0 (x) then column 1 (y), each a run
// of tagged elements.  Integer elements are kept as their exact double value,
// unset ones as 0; the tag tells them apart.
struct DecodedTrace {
  struct Column {
    std::vector<TraceTag> tags;
    std::vector<double> values;
  };
  std::array<Column, 2> columns;

  // Rows per column: both columns have the same number.
  size_t row_count() const { return columns[0].tags.size(); }
  TraceTag tag(int column, size_t row) const { return columns[column].tags[row]; }
  double value(int column, size_t row) const { return columns[column].values[row]; }
  bool assigned(int column, size_t row) const { return tag(column, row) != TraceTag::kUnset; }
};

// Fails on an empty file, an unknown tag, an element cut short by the end of
// the file, and an odd number of elements (the columns must be equally long).
bool decode_line_trace(std::string_view bytes, DecodedTrace* trace, std::string* error);

}  // namespace sb

#endif  // SCENARIO_BUILDER_INSPECT_SCENARIO_DECODER_H_
