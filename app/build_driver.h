#ifndef SCENARIO_BUILDER_APP_BUILD_DRIVER_H_
#define SCENARIO_BUILDER_APP_BUILD_DRIVER_H_

#include <string>
#include <vector>

#include "app/marker_pass.h"
#include "compiler/memorizza_dati.h"
#include "model/build_state.h"
#include "output/scenario_files.h"
#include "platform/file_system.h"

namespace sb {

// What one build reads and writes.
struct BuildPlan {
  SourceTexts texts;
  ScenarioFileNames outputs;
  bool write_files = true;  // false: compile and check only
};

enum class BuildEnd {
  kDone,         // compiled, stamped and (when asked) written
  kStopped,      // a format-mark or code-slot check failed: nothing written
  kNoCells,      // the line text never sized the track cells: nothing written
  kWriteFailed,  // an output file could not be written: the old set in place
};

// The compile error as the compiler left it, before the marker pass, whose
// failed placements overwrite the error state.
struct CompileError {
  int32_t code = 0;
  int32_t position = 0;
  SourceLocation location;
  std::string detail;
};

struct BuildReport {
  BuildEnd end = BuildEnd::kDone;
  CompileError compile_error;
  std::vector<MarkerWarning> warnings;
  // kStopped: the error number ("1250", "1251"); kWriteFailed: the error.
  std::string stop;
};

// The build: clears the records, compiles the two texts, places the code
// points, checks and stamps the format marks and the scenario codes, and
// writes the line trace (with a nonzero `j`), records and cells files.
BuildReport memorizza_percorso(BuildState& state, int32_t j, FileSystem& file_system,
                               const BuildPlan& plan);

// Exit status of a build: 0 clean (warnings allowed), 1 compile error with
// the files written as the build writes them, 3 stopped with no binary file
// written or an output file not written.
int exit_status(const BuildReport& report);

}  // namespace sb

#endif  // SCENARIO_BUILDER_APP_BUILD_DRIVER_H_
