#include "inspect/dump.h"

#include <charconv>
#include <limits>

#include "format/file_names.h"
#include "inspect/cell_dump.h"
#include "inspect/compiled_file.h"
#include "inspect/dump_common.h"
#include "inspect/record_dump.h"
#include "inspect/scenario_decoder.h"
#include "inspect/trace_dump.h"
#include "util/text.h"

namespace sb {
namespace {

bool ends_with(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// Why a range of rows cannot be shown, or nothing when it can.
std::optional<std::string> range_fault(int64_t first, int64_t last) {
  if (first < 0) return "row numbers start at 0";
  if (last > std::numeric_limits<int32_t>::max()) {
    return "row numbers go up to " + std::to_string(std::numeric_limits<int32_t>::max());
  }
  if (first > last) return "the first row comes after the last";
  return std::nullopt;
}

std::optional<int64_t> whole_number(std::string_view digits) {
  if (digits.empty() || digits.size() > 18) return std::nullopt;
  int64_t value = 0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (result.ec != std::errc() || result.ptr != digits.data() + digits.size()) return std::nullopt;
  if (digits.front() < '0' || digits.front() > '9') return std::nullopt;
  return value;
}

// Any size up to the largest file of the kind.
FileSizeBounds size_bounds(DumpKind kind) {
  switch (kind) {
    case DumpKind::kRecords: return {0, kMostRecordsFileBytes, "a records file"};
    case DumpKind::kCells: return {0, kMostCellsFileBytes, "a cells file"};
    case DumpKind::kLineTrace: return {0, kMostTraceFileBytes, "a line trace file"};
  }
  return {};
}

const char* file_noun(DumpKind kind) {
  switch (kind) {
    case DumpKind::kRecords: return "a records file";
    case DumpKind::kCells: return "a cells file";
    case DumpKind::kLineTrace: return "a line trace file";
  }
  return "";
}

// Decodes `bytes` and prints them; false with *error when they are malformed.
bool decode_and_print(DumpKind kind, const DumpContext& context, std::string_view bytes,
                      bool json, std::ostream& out, std::string* error) {
  switch (kind) {
    case DumpKind::kRecords: {
      std::array<GeneralRecord, kRecordCount> records{};
      if (!decode_records(bytes, &records, error)) return false;
      dump_records(context, records, json, out);
      return true;
    }
    case DumpKind::kCells: {
      std::vector<TrackCell> cells;
      if (!decode_cells(bytes, &cells, error)) return false;
      dump_cells(context, cells, json, out);
      return true;
    }
    case DumpKind::kLineTrace: {
      DecodedTrace trace;
      if (!decode_line_trace(bytes, &trace, error)) return false;
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

std::optional<std::pair<int32_t, int32_t>> parse_row_range(std::string_view text,
                                                          std::string* error) {
  const size_t colon = text.find(':');
  std::optional<int64_t> first;
  std::optional<int64_t> last;
  if (colon != std::string_view::npos) {
    first = whole_number(text.substr(0, colon));
    last = whole_number(text.substr(colon + 1));
  }
  if (!first || !last) {
    *error = "give FIRST:LAST, two row numbers such as 0:99";
    return std::nullopt;
  }
  if (auto fault = range_fault(*first, *last)) {
    *error = *fault;
    return std::nullopt;
  }
  return std::pair<int32_t, int32_t>(static_cast<int32_t>(*first), static_cast<int32_t>(*last));
}

int run_dump(const DumpOptions& options, FileSystem& file_system, std::ostream& out,
             std::ostream& err) {
  const std::optional<DumpKind> kind =
      options.kind ? options.kind : dump_kind_from_name(options.path);
  if (!kind) {
    err << "cannot tell what " << options.path
        << " holds from its name (.sim, _linea.dat or .dat): give --kind records, cells or "
           "trace\n";
    return kDumpFailed;
  }
  if (options.rows) {
    if (auto fault = range_fault(options.rows->first, options.rows->second)) {
      err << "--rows " << options.rows->first << ":" << options.rows->second << ": " << *fault
          << '\n';
      return kDumpFailed;
    }
  }
  std::string bytes;
  std::string error;
  if (!read_sized_file(file_system, options.path, size_bounds(*kind), &bytes, &error)) {
    err << error << '\n';
    return kDumpFailed;
  }
  const DumpContext context{options.path, bytes.size(), options.rows};
  if (!decode_and_print(*kind, context, bytes, options.json, out, &error)) {
    err << "cannot decode " << options.path << " as " << file_noun(*kind) << ": " << error
        << '\n';
    return kDumpFailed;
  }
  return kDumpDone;
}

}  // namespace sb
