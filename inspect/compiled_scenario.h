#ifndef SCENARIO_BUILDER_INSPECT_COMPILED_SCENARIO_H_
#define SCENARIO_BUILDER_INSPECT_COMPILED_SCENARIO_H_

#include <array>
#include <string>
#include <vector>

#include "format/record_fields.h"
#include "inspect/scenario_decoder.h"
#include "model/build_state.h"
#include "format/cells.h"
#include "platform/file_system.h"

namespace sb {

// The three binary files of a scenario, decoded.
struct CompiledScenario {
  std::array<GeneralRecord, kRecordCount> records{};
  std::vector<TrackCell> cells;
  DecodedTrace trace;

  int32_t route_length() const { return sb::route_length(records); }
};

struct CompiledScenarioPaths {
  std::string line_trace;  // NAME_linea.dat
  std::string records;     // NAME_N.sim
  std::string cells;       // NAME_N.dat
};

// Every trace starts at the origin and moves a metre a row: no position on
// a route lies farther from it than this, ten times the longest route.
inline constexpr double kFarthestTracePosition = 1e7;

// Reads and decodes the three files, then checks that they belong together:
// the route length of the records file fixes how many cells and trace rows
// the other two hold, and their sizes are checked against it before they are
// read.  Every assigned trace value must be a position within
// kFarthestTracePosition of the start: an infinite, undefined or far-flung
// value cannot be drawn.  False and *error, which names the file at fault,
// on the first problem.
bool load_compiled_scenario(FileSystem& file_system, const CompiledScenarioPaths& paths,
                            CompiledScenario* scenario, std::string* error);

}  // namespace sb

#endif  // SCENARIO_BUILDER_INSPECT_COMPILED_SCENARIO_H_
