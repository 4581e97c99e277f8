#ifndef SCENARIO_BUILDER_CHECKS_DIAGNOSTIC_REPORT_H_
#define SCENARIO_BUILDER_CHECKS_DIAGNOSTIC_REPORT_H_

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "checks/diagnostic.h"

namespace sb {

// The two texts that diagnostics speak of: their names as the command line
// gave them, and their bytes (Windows-1252).
struct DiagnosticTexts {
  std::string_view line_name;
  std::string_view train_name;
  std::string_view line_text;
  std::string_view train_text;
};

// The column of the last byte of the field that starts at a diagnostic's
// place (up to the next comma or the line's end, trailing blanks left out);
// the place's own column where the line or the field cannot be found.
int end_column(const Diagnostic& diagnostic, const DiagnosticTexts& texts);

// format_diagnostic's line coloured as C compilers colour theirs (the place
// bold, "error" red, "warning" and the -W tag magenta), followed by the
// source line and a caret line under the field at fault where the place has
// a line; each line ends with '\n'.
std::string format_colored_diagnostic(const Diagnostic& diagnostic, const DiagnosticTexts& texts);

// One diagnostic as JSON: file, line, column, end_column, severity, code,
// name (null for errors), message and related places.  The shape shared by
// `check --format=json` and every other reader of diagnostics.
nlohmann::ordered_json diagnostic_json(const Diagnostic& diagnostic, const DiagnosticTexts& texts);

// {"diagnostics": [...], "errors": N, "warnings": N}, indented, with '\n'.
std::string diagnostics_json(const std::vector<Diagnostic>& diagnostics,
                             const DiagnosticTexts& texts);
// The same with a "summary" member last (what `check --summary` tells).
std::string diagnostics_json(const std::vector<Diagnostic>& diagnostics,
                             const DiagnosticTexts& texts, const nlohmann::ordered_json& summary);

// A SARIF 2.1.0 log of one run: the tool with every rule (warnings by name,
// errors by code) and a result per diagnostic.  Indented, with '\n'.
std::string diagnostics_sarif(const std::vector<Diagnostic>& diagnostics,
                              const DiagnosticTexts& texts, std::string_view tool_version);

}  // namespace sb

#endif  // SCENARIO_BUILDER_CHECKS_DIAGNOSTIC_REPORT_H_
