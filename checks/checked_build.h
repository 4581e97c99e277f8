#ifndef SCENARIO_BUILDER_CHECKS_CHECKED_BUILD_H_
#define SCENARIO_BUILDER_CHECKS_CHECKED_BUILD_H_

#include <string>
#include <vector>

#include "checks/diagnostic.h"
#include "checks/text_check.h"
#include "checks/timetable.h"
#include "checks/warning_options.h"
#include "compiler/memorizza_percorso.h"
#include "model/build_state.h"
#include "platform/file_system.h"

namespace sb {

// A build with the checks of both texts beside it (those of form and of
// meaning), and what they say together.
struct CheckedBuild {
  BuildReport report;
  // The checks' warnings of both texts, the compile's error (unless a check
  // said the same at the same place) and the marker pass's warnings, as
  // the warning options have them, in the order of the texts and their
  // lines.
  std::vector<Diagnostic> diagnostics;
  LineFacts line;
  TrainFacts train;
  Timetable timetable;
};

// Builds `plan` into `state`, the checks walking the texts on a helper
// thread meanwhile.  The plan's texts must carry their bytes (line_bytes,
// train_bytes): the checks read those.
// With `look_further` (a check, which writes nothing), every held cell a
// refused entry needs is reported and where it would fit; the compile keeps
// its own first error as it is.
CheckedBuild checked_build(BuildState& state, FileSystem& file_system, const BuildPlan& plan,
                           const WarningOptions& warnings, bool look_further = false);

}  // namespace sb

#endif  // SCENARIO_BUILDER_CHECKS_CHECKED_BUILD_H_
