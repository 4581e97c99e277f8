#ifndef SCENARIO_BUILDER_CHECKS_COMPILE_DIAGNOSTICS_H_
#define SCENARIO_BUILDER_CHECKS_COMPILE_DIAGNOSTICS_H_

#include <string>

#include "compiler/memorizza_percorso.h"
#include "checks/diagnostic.h"
#include "checks/text_check.h"
#include "compiler/finding.h"
#include "compiler/finding_text.h"

namespace sb {

// A compile failure as a diagnostic, to be sorted among the warnings.
Diagnostic compile_error_diagnostic(const Finding& error);

// "2 errors, 5 warnings"
std::string count_diagnostics(int errors, int warnings);

// A failed placement of the marker pass as a warning at the entry it
// worked for (`holder`, the entry that claimed the rule's cell, or none).
Diagnostic marker_diagnostic(const MarkerWarning& warning, const Placement* holder);

// "warning W11: rule A: ..." for a failed placement of the marker pass.
std::string format_warning(const MarkerWarning& warning);

// What a stopped build tells the user; `writes`: the command would have
// written files, and says that none was written.
std::string format_stop(const BuildReport& report, bool writes = true);

// The same on the command line, with what caused a stop by the format-mark
// or code checks: cell 1 carries the marks, so an entry that took it stops
// the build.  `holder` is the entry that claimed cell 1, if known.
std::string explain_stop(const BuildReport& report, const BuildState& state,
                         const Placement* holder, const TextNames& names, bool writes = true);

// The closing line of compile and check when the build went through: the
// files written ("wrote out/S_linea.dat, out/S_7.sim and out/S_7.dat"), or
// for a check "no errors in LINE and TRAIN".  Empty when the build stopped
// or the compile recorded an error, which then says enough.
std::string format_outcome(const BuildReport& report, const BuildPlan& plan);

}  // namespace sb

#endif  // SCENARIO_BUILDER_CHECKS_COMPILE_DIAGNOSTICS_H_
