#include "inspect/compiled_scenario.h"

#include "format/cell_geometry.h"

namespace sb {
namespace {

bool sizes_agree(const CompiledScenario& scenario, const CompiledScenarioPaths& paths,
                 std::string* error) {
  const int32_t route = scenario.route_length();
  if (route < 0 || route > kMaxRouteLength) {
    *error = paths.records + ": the route length " + std::to_string(route) +
             " m (record 84) lies outside 0 to " + std::to_string(kMaxRouteLength);
    return false;
  }
  const int64_t rows = last_trace_row_for_route(route) + 1;
  if (static_cast<int64_t>(scenario.trace.row_count()) != rows) {
    *error = paths.line_trace + ": " + std::to_string(scenario.trace.row_count()) +
             " rows per column, but a route of " + std::to_string(route) + " m has " +
             std::to_string(rows);
    return false;
  }
  const int64_t cells = last_cell_for_route(route) + 1;
  if (static_cast<int64_t>(scenario.cells.size()) != cells) {
    *error = paths.cells + ": " + std::to_string(scenario.cells.size()) +
             " cells, but a route of " + std::to_string(route) + " m has " + std::to_string(cells);
    return false;
  }
  return true;
}

}  // namespace

bool load_compiled_scenario(FileSystem& file_system, const CompiledScenarioPaths& paths,
                            CompiledScenario* scenario, std::string* error) {
  std::string bytes;
  std::string problem;
  if (!file_system.read_file(paths.records, &bytes, error)) return false;
  if (!decode_records(bytes, &scenario->records, &problem)) {
    *error = paths.records + ": " + problem;
    return false;
  }
  if (!file_system.read_file(paths.cells, &bytes, error)) return false;
  if (!decode_cells(bytes, &scenario->cells, &problem)) {
    *error = paths.cells + ": " + problem;
    return false;
  }
  if (!file_system.read_file(paths.line_trace, &bytes, error)) return false;
  if (!decode_line_trace(bytes, &scenario->trace, &problem)) {
    *error = paths.line_trace + ": " + problem;
    return false;
  }
  return sizes_agree(*scenario, paths, error);
}

}  // namespace sb
