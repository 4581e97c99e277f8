#ifndef SCENARIO_BUILDER_CHECKS_WARNING_OPTIONS_H_
#define SCENARIO_BUILDER_CHECKS_WARNING_OPTIONS_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "checks/diagnostic.h"

namespace sb {

// What the -W options of the command line ask of the warnings.
struct WarningOptions {
  std::vector<WarningId> silenced;  // -Wno-NAME, -Wno-CODE: left out
  std::vector<WarningId> demoted;   // -Wno-error=NAME: a warning, whatever its level
  bool no_errors = false;           // -Wno-error: every warning a warning
  bool all = false;                 // -Wall: the warnings a correct text may trigger too
  bool errors = false;              // -Werror, --werror: every warning an error
};

// The warning a -W option's NAME or CODE ("values-shifted", "W26") names.
std::optional<WarningId> warning_by_name_or_code(std::string_view name);

// Takes one -W option ("-Wall", "-Werror", "-Wno-error", "-Wno-error=NAME",
// "-Wno-NAME", "-Wno-CODE") into `options`; false, with *error, for an
// option or a name that does not exist.
bool take_warning_option(std::string_view option, WarningOptions* options, std::string* error);

// The diagnostics as `options` have them: silenced and -Wall warnings left
// out, warnings that are errors (by their level or by -Werror) shown as
// errors.  The compile's own errors pass unchanged.
std::vector<Diagnostic> apply_warning_options(const WarningOptions& options,
                                              std::vector<Diagnostic> diagnostics);

}  // namespace sb

#endif  // SCENARIO_BUILDER_CHECKS_WARNING_OPTIONS_H_
