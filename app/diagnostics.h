#ifndef SCENARIO_BUILDER_APP_DIAGNOSTICS_H_
#define SCENARIO_BUILDER_APP_DIAGNOSTICS_H_

#include <string>

#include "app/build_driver.h"
#include "checks/diagnostic.h"
#include "checks/text_check.h"
#include "compiler/finding.h"

namespace sb {

// Names of the two source texts as the user knows them.
struct TextNames {
  std::string line;
  std::string train;
};

// A compile failure in the form compilers use:
// "train.txt:41:1: error E16: the signal at 850 m needs cell 18, which
// already holds a speed board".
std::string format_compile_error(const Finding& error, const TextNames& names);

// A compile failure as a diagnostic, to be sorted among the warnings.
Diagnostic compile_error_diagnostic(const Finding& error);

// "2 errors, 5 warnings"
std::string count_diagnostics(int errors, int warnings);

// A failed placement of the marker pass as a warning at the entry it
// worked for (`holder`, the entry that claimed the rule's cell, or none).
Diagnostic marker_diagnostic(const MarkerWarning& warning, const Placement* holder);

// "warning W11: rule A: ..." for a failed placement of the marker pass.
std::string format_warning(const MarkerWarning& warning);

// What a stopped build tells the user.
std::string format_stop(const BuildReport& report);

}  // namespace sb

#endif  // SCENARIO_BUILDER_APP_DIAGNOSTICS_H_
