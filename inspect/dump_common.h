#ifndef SCENARIO_BUILDER_INSPECT_DUMP_COMMON_H_
#define SCENARIO_BUILDER_INSPECT_DUMP_COMMON_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

namespace sb {

// What every printer of a dump needs besides the decoded table.
struct DumpContext {
  std::string path;
  size_t file_bytes = 0;
  std::optional<std::pair<int32_t, int32_t>> rows;  // first and last asked for
  bool raw = false;                                 // texts as Windows-1252 bytes rather than UTF-8
};

// Indices first to end - 1 of a table.
struct IndexSpan {
  size_t first = 0;
  size_t end = 0;
  bool empty() const { return first >= end; }
};

// The asked rows cut to a table of `count` rows; the whole table when none
// were asked for.
IndexSpan select_span(const std::optional<std::pair<int32_t, int32_t>>& rows, size_t count);

// Ascending indices as ranges: "0, 14-79, 81".
std::string index_ranges(const std::vector<size_t>& indices);

// A text in double quotes, with quotes, backslashes and control bytes
// escaped; other bytes stay as they are.
std::string quoted_text(std::string_view text);

// The shortest decimal that reads back as the same double.
std::string shortest_decimal(double value);
// Three decimals, for sums and extents.
std::string millimetres(double value);

// Writes the JSON document, indented, one line end after it.  Bytes that are
// not UTF-8 (in a file name) are replaced rather than refused.
void print_json(const nlohmann::json& document, std::ostream& out);

}  // namespace sb

#endif  // SCENARIO_BUILDER_INSPECT_DUMP_COMMON_H_
