#ifndef SCENARIO_BUILDER_OUTPUT_SCENARIO_FILES_H_
#define SCENARIO_BUILDER_OUTPUT_SCENARIO_FILES_H_

#include <string>

#include "model/build_state.h"
#include "platform/file_system.h"

namespace sb {

// The three binary files of a scenario, in the order they are written.
struct ScenarioFileNames {
  std::string line_trace;  // NAME_linea.dat
  std::string records;     // NAME_N.sim
  std::string cells;       // NAME_N.dat
};

ScenarioFileNames scenario_file_names(const std::string& directory,
                                      const std::string& scenario_name,
                                      const std::string& train_number);

// Writes the line trace file (only with the trace flag), the records file and
// the cells file as one set (see FileSetWriter): either all three are
// replaced or every old file stays.  False and *error (naming the file) on
// failure.
bool write_scenario_files(const BuildState& state, FileSystem& file_system,
                          const ScenarioFileNames& names, std::string* error);

}  // namespace sb

#endif  // SCENARIO_BUILDER_OUTPUT_SCENARIO_FILES_H_
