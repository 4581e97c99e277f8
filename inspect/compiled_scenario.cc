#include "inspect/compiled_scenario.h"

#include <cmath>
#include <string>

#include "inspect/compiled_file.h"
#include "inspect/dump_common.h"

namespace sb {
namespace {

// Whether the route length is one a scenario may have; *fault says why not.
bool route_length_fits(int32_t route, std::string* fault) {
  if (route >= 0 && route <= kMaxRouteLength) return true;
  *fault = "the route length " + std::to_string(route) + " m (record 84) lies outside 0 to " +
           std::to_string(kMaxRouteLength);
  return false;
}

// The sizes the cells and trace files of the route may have.
FileSizeBounds cells_bounds(int32_t route) {
  const auto bytes = static_cast<uint64_t>(cells_for_route(route)) * kCellBytes;
  return {bytes, bytes, "the cells file of a route of " + std::to_string(route) + " m"};
}

FileSizeBounds trace_bounds(int32_t route) {
  const auto rows = static_cast<uint64_t>(trace_rows_for_route(route));
  return {rows * kLeastTraceRowBytes, rows * kMostTraceRowBytes,
          "the line trace of a route of " + std::to_string(route) + " m"};
}

bool rows_agree(const CompiledScenario& scenario, const CompiledScenarioPaths& paths,
                std::string* error) {
  const int32_t route = scenario.route_length();
  const int64_t rows = trace_rows_for_route(route);
  if (static_cast<int64_t>(scenario.trace.row_count()) != rows) {
    *error = paths.line_trace + ": " + std::to_string(scenario.trace.row_count()) +
             " rows per column, but a route of " + std::to_string(route) + " m has " +
             std::to_string(rows);
    return false;
  }
  return true;
}

// Every assigned trace value is a position a route can reach; the first
// that is not is named.
bool positions_sound(const DecodedTrace& trace, const std::string& path, std::string* error) {
  for (size_t row = 0; row < trace.row_count(); ++row) {
    for (int column = 0; column < 2; ++column) {
      const double value = trace.value(column, row);
      if (!trace.assigned(column, row) || std::abs(value) <= kFarthestTracePosition) continue;
      *error = path + ": row " + std::to_string(row) + " holds " + (column == 0 ? "x" : "y") +
               " = " + shortest_decimal(value) +
               ", which is no position on a route (a finite number of metres within " +
               std::to_string(static_cast<int64_t>(kFarthestTracePosition)) + " of the start)";
      return false;
    }
  }
  return true;
}

}  // namespace

bool load_compiled_scenario(FileSystem& file_system, const CompiledScenarioPaths& paths,
                            CompiledScenario* scenario, std::string* error) {
  std::string bytes;
  std::string problem;
  if (!read_sized_file(file_system, paths.records, {0, kMostRecordsFileBytes, "a records file"},
                       &bytes, error)) {
    return false;
  }
  if (!decode_records(bytes, &scenario->records, &problem)) {
    *error = paths.records + ": " + problem;
    return false;
  }
  const int32_t route = scenario->route_length();
  if (std::string fault; !route_length_fits(route, &fault)) {
    *error = paths.records + ": " + fault;
    return false;
  }
  if (!read_sized_file(file_system, paths.cells, cells_bounds(route), &bytes, error)) return false;
  if (!decode_cells(bytes, &scenario->cells, &problem)) {
    *error = paths.cells + ": " + problem;
    return false;
  }
  if (!read_sized_file(file_system, paths.line_trace, trace_bounds(route), &bytes, error)) {
    return false;
  }
  if (!decode_line_trace(bytes, &scenario->trace, &problem)) {
    *error = paths.line_trace + ": " + problem;
    return false;
  }
  return rows_agree(*scenario, paths, error) &&
         positions_sound(scenario->trace, paths.line_trace, error);
}

}  // namespace sb
