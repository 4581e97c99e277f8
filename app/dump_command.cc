#include "app/dump_command.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "format/cell_geometry.h"
#include "format/file_names.h"
#include "inspect/cell_dump.h"
#include "inspect/compiled_file.h"
#include "inspect/dump_common.h"
#include "inspect/record_dump.h"
#include "inspect/scenario_decoder.h"
#include "inspect/trace_dump.h"
#include "util/rounding.h"
#include "util/text.h"

namespace sb {
namespace {

bool ends_with(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

constexpr char kPrefix[] = "scenario-builder dump: ";
constexpr int64_t kLastRowNumber = std::numeric_limits<int32_t>::max();

// Whether rows `first` to `last` (or to the end) can be shown; false with
// *error saying why not.
bool range_allowed(int64_t first, std::optional<int64_t> last, std::string* error) {
  if (first < 0) {
    *error = "row numbers start at 0";
  } else if (first > kLastRowNumber || (last && *last > kLastRowNumber)) {
    *error = "row numbers go up to " + std::to_string(kLastRowNumber);
  } else if (last && first > *last) {
    *error = "the first row comes after the last";
  } else {
    return true;
  }
  return false;
}

std::optional<int64_t> whole_number(std::string_view digits) {
  if (digits.empty() || digits.size() > 18) return std::nullopt;
  int64_t value = 0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (result.ec != std::errc() || result.ptr != digits.data() + digits.size()) return std::nullopt;
  if (digits.front() < '0' || digits.front() > '9') return std::nullopt;
  return value;
}

const char* file_noun(DumpKind kind) {
  switch (kind) {
    case DumpKind::kRecords: return "a records file";
    case DumpKind::kCells: return "a cells file";
    case DumpKind::kLineTrace: return "a line trace file";
  }
  return "";
}

// Any size up to the largest file of the kind.
FileSizeBounds size_bounds(DumpKind kind) {
  switch (kind) {
    case DumpKind::kRecords: return {0, kMostRecordsFileBytes, file_noun(kind)};
    case DumpKind::kCells: return {0, kMostCellsFileBytes, file_noun(kind)};
    case DumpKind::kLineTrace: return {0, kMostTraceFileBytes, file_noun(kind)};
  }
  return {};
}

const char* row_noun(DumpKind kind) {
  switch (kind) {
    case DumpKind::kRecords: return "record";
    case DumpKind::kCells: return "cell";
    case DumpKind::kLineTrace: return "row";
  }
  return "";
}

// The rows asked for, as a request on a table whose size is not known yet:
// true with *rows empty when none are asked; false with *error saying why a
// position cannot be shown, *rows left as it was.
bool requested_rows(const DumpOptions& options, DumpKind kind, std::optional<RowRequest>* rows,
                    std::string* error) {
  if (!options.at) {
    *rows = options.rows;
    return true;
  }
  const PositionRequest& at = *options.at;
  if (kind == DumpKind::kRecords) {
    *error = at.asked + ": " + options.path +
             " is a records file, which has no rows by position; "
             "give --rows";
    return false;
  }
  if (!std::isfinite(at.metres) || at.metres < 0) {
    *error = at.asked + ": give a position of 0 m or more";
    return false;
  }
  const double metres = std::min(at.metres, double(kLastRowNumber));
  const int64_t row = kind == DumpKind::kCells ? cell_of(metres) : round_half_even(metres);
  const auto index = static_cast<int32_t>(std::min(row, kLastRowNumber));
  // A position beyond every row a file can hold names no row: it is told as
  // asked, not as the row it was held to.
  if (at.metres > double(kLastRowNumber)) {
    *rows = RowRequest{index, index, at.asked};
  } else {
    *rows = RowRequest{index, index,
                       at.asked + " (" + row_noun(kind) + " " + std::to_string(index) + ")"};
  }
  return true;
}

// The asked rows as first and last of a table of `count` rows in *rows;
// false with *error when any of them lies beyond it.
bool rows_within(const RowRequest& request, size_t count, DumpKind kind, const std::string& path,
                 std::pair<int32_t, int32_t>* rows, std::string* error) {
  const std::string noun = row_noun(kind);
  if (count == 0) {
    *error = request.asked + ": " + path + " has no " + noun + "s";
    return false;
  }
  const int64_t last_row = static_cast<int64_t>(count) - 1;
  const int64_t last = request.last.value_or(last_row);
  if (request.first > last_row || last > last_row) {
    *error = request.asked + " goes past the end of " + path + ": the last " + noun + " is " +
             std::to_string(last_row);
    return false;
  }
  *rows = {request.first, static_cast<int32_t>(last)};
  return true;
}

// Decodes `bytes` and prints the rows asked for; false with *error when the
// bytes are malformed or the rows lie beyond them.
bool decode_and_print(DumpKind kind, DumpContext context, const std::optional<RowRequest>& rows,
                      std::string_view bytes, bool json, std::ostream& out, std::string* error) {
  const auto decode_error = [&](const std::string& why) {
    *error = "cannot decode " + context.path + " as " + file_noun(kind) + ": " + why;
    return false;
  };
  const auto select = [&](size_t count) {
    if (!rows) return true;
    std::pair<int32_t, int32_t> within;
    if (!rows_within(*rows, count, kind, context.path, &within, error)) return false;
    context.rows = within;
    return true;
  };
  std::string why;
  switch (kind) {
    case DumpKind::kRecords: {
      std::array<GeneralRecord, kRecordCount> records{};
      if (!decode_records(bytes, &records, &why)) return decode_error(why);
      if (!select(records.size())) return false;
      dump_records(context, records, json, out);
      return true;
    }
    case DumpKind::kCells: {
      std::vector<TrackCell> cells;
      if (!decode_cells(bytes, &cells, &why)) return decode_error(why);
      if (!select(cells.size())) return false;
      dump_cells(context, cells, json, out);
      return true;
    }
    case DumpKind::kLineTrace: {
      DecodedTrace trace;
      if (!decode_line_trace(bytes, &trace, &why)) return decode_error(why);
      if (!select(trace.row_count())) return false;
      dump_line_trace(context, trace, json, out);
      return true;
    }
  }
  return false;
}

}  // namespace

std::optional<DumpKind> dump_kind_from_name(const std::string& path) {
  const std::string name = cp1252_lower(path);
  if (ends_with(name, kLineTraceSuffix)) return DumpKind::kLineTrace;
  if (ends_with(name, kRecordsSuffix)) return DumpKind::kRecords;
  if (ends_with(name, kCellsSuffix)) return DumpKind::kCells;
  return std::nullopt;
}

std::optional<DumpKind> dump_kind_from_flag(std::string_view flag) {
  if (flag == "records") return DumpKind::kRecords;
  if (flag == "cells") return DumpKind::kCells;
  if (flag == "trace") return DumpKind::kLineTrace;
  return std::nullopt;
}

bool parse_row_range(std::string_view text, RowRequest* request, std::string* error) {
  const size_t colon = text.find(':');
  std::optional<int64_t> first;
  std::optional<int64_t> last;
  bool to_the_end = false;
  if (colon == std::string_view::npos) {
    first = last = whole_number(text);
  } else {
    const std::string_view before = text.substr(0, colon);
    const std::string_view after = text.substr(colon + 1);
    first = before.empty() && !after.empty() ? std::optional<int64_t>(0) : whole_number(before);
    to_the_end = after.empty();
    if (!to_the_end) last = whole_number(after);
  }
  if (!first || (!to_the_end && !last)) {
    *error = "give FIRST:LAST such as 0:99, one row, FIRST: for the rest or :LAST";
    return false;
  }
  if (!range_allowed(*first, last, error)) return false;
  *request = {static_cast<int32_t>(*first), std::nullopt, "--rows " + std::string(text)};
  if (last) request->last = static_cast<int32_t>(*last);
  return true;
}

int dump_command(const DumpOptions& options, FileSystem& file_system, std::ostream& out,
                 std::ostream& err) {
  const std::optional<DumpKind> kind =
      options.kind ? options.kind : dump_kind_from_name(options.path);
  if (!kind) {
    err << kPrefix << "cannot tell what " << options.path
        << " holds from its name (.sim, _linea.dat or .dat): give --kind records, cells or "
           "trace\n";
    return kExitUsage;
  }
  std::string error;
  if (options.rows) {
    if (!range_allowed(options.rows->first, options.rows->last, &error)) {
      err << kPrefix << options.rows->asked << ": " << error << '\n';
      return kExitUsage;
    }
  }
  std::optional<RowRequest> rows;
  if (!requested_rows(options, *kind, &rows, &error)) {
    err << kPrefix << error << '\n';
    return kExitUsage;
  }
  std::string bytes;
  if (!read_sized_file(file_system, options.path, size_bounds(*kind), &bytes, &error)) {
    err << kPrefix << error << '\n';
    return kExitUsage;
  }
  const DumpContext context{options.path, bytes.size(), std::nullopt, options.raw};
  if (!decode_and_print(*kind, context, rows, bytes, options.json, out, &error)) {
    err << kPrefix << error << '\n';
    return kExitUsage;
  }
  return kExitClean;
}

}  // namespace sb
