#include "checks/diagnostic.h"

#include <algorithm>
#include <tuple>

#include "util/text.h"

namespace sb {

std::string warning_option(const Diagnostic& diagnostic) {
  const bool warning = diagnostic.severity == Diagnostic::Severity::kWarning;
  return (warning ? "-W" : "-Werror=") + std::string(diagnostic.code.warning_name());
}

Diagnostic make_warning(WarningId id, SourceLocation location, std::string message) {
  Diagnostic diagnostic;
  diagnostic.severity = Diagnostic::Severity::kWarning;
  diagnostic.location = location;
  diagnostic.code = id;
  diagnostic.message = std::move(message);
  return diagnostic;
}

std::string diagnostic_code(const Diagnostic& diagnostic) { return diagnostic.code.text(); }

void sort_diagnostics(std::vector<Diagnostic>& diagnostics) {
  std::stable_sort(diagnostics.begin(), diagnostics.end(),
                   [](const Diagnostic& a, const Diagnostic& b) {
                     const auto key = [](const Diagnostic& f) {
                       const int text = f.location.text == SourceLocation::Text::kTrain ? 1 : 0;
                       return std::make_tuple(text, f.location.line, f.location.column);
                     };
                     return key(a) < key(b);
                   });
}

std::string format_diagnostic(const Diagnostic& diagnostic, std::string_view line_text_name,
                              std::string_view train_text_name) {
  std::string text(diagnostic.location.text == SourceLocation::Text::kTrain ? train_text_name
                                                                            : line_text_name);
  if (diagnostic.location.text == SourceLocation::Text::kNone) {
    text.clear();
  } else if (diagnostic.location.line > 0) {
    text += ':';
    text += std::to_string(diagnostic.location.line);
    text += ':';
    text += std::to_string(diagnostic.location.column);
  }
  const bool warning = diagnostic.severity == Diagnostic::Severity::kWarning;
  if (!text.empty()) text += ": ";
  text += warning ? "warning " : "error ";
  text += diagnostic_code(diagnostic);
  text += ": ";
  text += diagnostic.message;
  if (diagnostic.related) {
    const SourceLocation& other = *diagnostic.related;
    text += " (";
    text += other.text == SourceLocation::Text::kTrain ? train_text_name : line_text_name;
    text += ':' + std::to_string(other.line) + ':' + std::to_string(other.column) + ')';
  }
  if (diagnostic.code.warning()) text += " [" + warning_option(diagnostic) + ']';
  return text;
}

std::string shown(std::string_view cp1252) { return cp1252_to_utf8(cp1252); }

}  // namespace sb
