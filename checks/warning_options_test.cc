#include "checks/warning_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sb {
namespace {

// One warning of each level the options act on.
std::vector<Diagnostic> three_warnings() {
  const SourceLocation at{SourceLocation::Text::kLine, 4, 1};
  Diagnostic compile_error;
  compile_error.severity = Diagnostic::Severity::kError;
  compile_error.location = at;
  compile_error.code = kOutsideTheLine;
  compile_error.message = "outside";
  return {make_warning(WarningId::kUnknownKeyword, at, "unknown"),
          make_warning(WarningId::kValuesShifted, at, "shifted"), compile_error};
}

// "W21 warning, W26 error, E15 error"
std::string shown_as(const std::vector<std::string>& options) {
  WarningOptions parsed;
  std::string error;
  for (const std::string& option : options) {
    if (!take_warning_option(option, &parsed, &error)) return error;
  }
  std::string out;
  for (const Diagnostic& d : apply_warning_options(parsed, three_warnings())) {
    if (!out.empty()) out += ", ";
    out +=
        diagnostic_code(d) + (d.severity == Diagnostic::Severity::kError ? " error" : " warning");
  }
  return out;
}

TEST(WarningOptions, LevelsAndTheOptionsThatChangeThem) {
  const struct {
    std::vector<std::string> options;
    std::string shown;
  } cases[] = {
      {{}, "W21 warning, W26 error, E15 error"},
      {{"-Wno-error=values-shifted"}, "W21 warning, W26 warning, E15 error"},
      {{"-Wno-error=W26"}, "W21 warning, W26 warning, E15 error"},
      {{"-Wno-error"}, "W21 warning, W26 warning, E15 error"},
      {{"-Werror"}, "W21 error, W26 error, E15 error"},
      {{"-Werror", "-Wno-error=unknown-keyword"}, "W21 warning, W26 error, E15 error"},
      {{"-Wno-unknown-keyword"}, "W26 error, E15 error"},
      {{"-Wno-W26", "-Wno-w21"}, "E15 error"},
      {{"-Wall"}, "W21 warning, W26 error, E15 error"},
      {{"-Wno-spelling"},
       "unknown warning -Wno-spelling; the warnings are: code-point-signal code-point-slowdown "},
      {{"-Wextra"},
       "unknown option -Wextra; the -W options are -Wall, -Werror, -Wno-error, "
       "-Wno-error=NAME and -Wno-NAME"},
      {{"-Wno-error=E15"}, "unknown warning -Wno-error=E15; the warnings are: code-point-signal "},
  };
  for (const auto& c : cases) {
    std::string options;
    for (const std::string& option : c.options) options += option + " ";
    // An unknown option's message goes on to list every warning.
    const std::string shown = shown_as(c.options);
    EXPECT_EQ(c.shown.starts_with("unknown") ? shown.substr(0, c.shown.size()) : shown, c.shown)
        << options;
  }
}

}  // namespace
}  // namespace sb
