#ifndef SCENARIO_BUILDER_VIEWER_TEST_SCENARIO_H_
#define SCENARIO_BUILDER_VIEWER_TEST_SCENARIO_H_

// Small compiled scenarios for the tests of this folder, written with the
// program's own file writers.

#include <cmath>
#include <stdexcept>
#include <string>

#include "format/record_fields.h"
#include "inspect/compiled_scenario.h"
#include "model/build_state.h"
#include "output/scenario_files.h"
#include "platform/memory_file_system.h"

namespace sb::test {

inline constexpr char kDirectory[] = "/scenarios";
inline constexpr char kName[] = "Piana_Alta";
inline constexpr char kTrain[] = "4711";

// A route of `route_length` metres whose track runs north from the origin,
// with every row of the trace assigned as the compiler assigns them (rows 0
// and 1 whole numbers, the last two rows unset).
inline BuildState straight_scenario(int32_t route_length) {
  BuildState state;
  state.scenario_name = kName;
  state.train_number = kTrain;
  state.trace_flag = 1;
  size_for_route(state, route_length);
  sb::route_length(state.general_records) = route_length;
  state.record(kScenarioRecord).text = kName;
  state.record(kTrainRecord).text = kTrain;
  state.line_trace.set_int16(0, 0, 0);
  state.line_trace.set_int16(1, 0, 1);
  for (int32_t row = 2; row <= state.trace_last_index - 2; ++row) {
    state.line_trace.set_double(row, 0, row);
  }
  return state;
}

// From row `start` on, the track turns right (east) on a circle of
// `radius` metres: row r lies on the arc r - start metres along it.
inline void bend_right(BuildState& state, int32_t start, double radius) {
  for (int32_t row = start + 1; row <= state.trace_last_index - 2; ++row) {
    const double angle = (row - start) / radius;
    state.line_trace.set_double(row, radius * (1 - std::cos(angle)),
                                start + radius * std::sin(angle));
  }
}

inline ScenarioFileNames fixture_names() { return scenario_file_names(kDirectory, kName, kTrain); }

inline void write_fixture(const BuildState& state, MemoryFileSystem& files) {
  std::string error;
  if (!write_scenario_files(state, files, fixture_names(), &error)) {
    throw std::runtime_error(error);
  }
}

// The fixture's files in `files`, loaded as the plot command loads them.
inline CompiledScenario load_fixture(MemoryFileSystem& files) {
  const ScenarioFileNames names = fixture_names();
  CompiledScenario scenario;
  std::string error;
  if (!load_compiled_scenario(files, {names.line_trace, names.records, names.cells}, &scenario,
                              &error)) {
    throw std::runtime_error(error);
  }
  return scenario;
}

}  // namespace sb::test

#endif  // SCENARIO_BUILDER_VIEWER_TEST_SCENARIO_H_
