#ifndef SCENARIO_BUILDER_COMPILER_MEMORIZZA_PERCORSO_H_
#define SCENARIO_BUILDER_COMPILER_MEMORIZZA_PERCORSO_H_

#include <string>
#include <vector>

#include "compiler/marker_pass.h"
#include "compiler/memorizza_dati.h"
#include "compiler/stamps.h"
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

struct BuildReport {
  BuildEnd end = BuildEnd::kDone;
  // The compiler's failures in the order found.  The first one that stops
  // the compilation is the last; a failed position check in the line text
  // lets the train text be read, which may add one more.
  Findings findings;
  std::vector<MarkerWarning> warnings;
  // kStopped: the check that stopped the build.
  StopCode stop = kNoStop;
  // kWriteFailed: what went wrong.
  std::string write_error;
};

// The build: clears the records, compiles the two texts, places the code
// points, checks and stamps the format marks and the scenario codes, and
// writes the line trace (with a nonzero `trace_flag`), records and cells files.
BuildReport memorizza_percorso(BuildState& state, int32_t trace_flag, FileSystem& file_system,
                               const BuildPlan& plan);

// The failure the compilation ended on (the last one found); null when it
// found none.
const Finding* final_compile_error(const BuildReport& report);

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_MEMORIZZA_PERCORSO_H_
