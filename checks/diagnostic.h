#ifndef SCENARIO_BUILDER_CHECKS_DIAGNOSTIC_H_
#define SCENARIO_BUILDER_CHECKS_DIAGNOSTIC_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "checks/diagnostic_code.h"
#include "checks/warning_kinds.h"
#include "model/build_state.h"
#include "model/source_location.h"

namespace sb {

// One thing said about a source text: an error of the compile or a warning
// of the checks.  The message is UTF-8, ready to be shown.
struct Diagnostic {
  enum class Severity { kError, kWarning };
  Severity severity = Severity::kWarning;
  SourceLocation location;
  // The compile's error, or the named warning (shown as an error when the
  // command line or its level makes it one).
  DiagnosticCode code;
  std::string message;
  // Where the entry stands that the message names beside this one's.
  std::optional<SourceLocation> related;
};

Diagnostic make_warning(WarningId id, SourceLocation location, std::string message);

// "E22" or "W26": W for every warning, whatever its severity.
std::string diagnostic_code(const Diagnostic& diagnostic);

// The option that names a warning's diagnostic: "-Wvalues-shifted", or
// "-Werror=values-shifted" when it is shown as an error.
std::string warning_option(const Diagnostic& diagnostic);

// Line text before train text, then by line and column; errors and warnings
// of one place keep their order.
void sort_diagnostics(std::vector<Diagnostic>& diagnostics);

// "FILE:LINE:COL: warning W21: message [-Wunknown-keyword]"; FILE alone when
// the line is unknown, nothing in front when the text is.
std::string format_diagnostic(const Diagnostic& diagnostic, std::string_view line_text_name,
                              std::string_view train_text_name);

// A source text's bytes as they are shown: Windows-1252 to UTF-8.
std::string shown(std::string_view cp1252);

}  // namespace sb

#endif  // SCENARIO_BUILDER_CHECKS_DIAGNOSTIC_H_
