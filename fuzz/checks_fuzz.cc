// The checks on any pair of texts: the input is the line text, then a line
// "~~~~", then the train text.  Every diagnostic must stand at a line of its
// text and carry a message; every error a known code, every warning a
// warning's.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "checks/text_check.h"
#include "fuzz/fuzz_checks.h"

namespace {

void check_diagnostic(const sb::Diagnostic& diagnostic) {
  FUZZ_CHECK(diagnostic.location.text != sb::SourceLocation::Text::kNone);
  FUZZ_CHECK(diagnostic.location.line >= 1 && diagnostic.location.column >= 1);
  FUZZ_CHECK(!diagnostic.message.empty());
  if (diagnostic.severity == sb::Diagnostic::Severity::kError) {
    const std::optional<sb::ErrorCode> code = diagnostic.code.error();
    FUZZ_CHECK(code && *code != sb::kNoError && sb::fuzz::is_known_error_code(*code));
    return;
  }
  FUZZ_CHECK(diagnostic.code.warning().has_value());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input = sb::fuzz::as_text(data, size);
  std::string_view rest = input;
  const std::string_view line_text = sb::fuzz::next_part(&rest);
  const std::string_view train_text = rest;
  std::vector<sb::Diagnostic> diagnostics;
  const sb::LineFacts line = sb::check_line_text(line_text, &diagnostics);
  sb::check_train_text(train_text, line, &diagnostics);
  for (const sb::Diagnostic& diagnostic : diagnostics) check_diagnostic(diagnostic);
  return 0;
}
