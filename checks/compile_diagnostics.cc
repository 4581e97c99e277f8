#include "checks/compile_diagnostics.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "compiler/finding_text.h"
#include "compiler/stamps.h"

namespace sb {

Diagnostic compile_error_diagnostic(const Finding& error) {
  Diagnostic diagnostic;
  diagnostic.severity = Diagnostic::Severity::kError;
  diagnostic.location = error.location;
  if (diagnostic.location.text == SourceLocation::Text::kNone) {
    diagnostic.location.text = SourceLocation::Text::kLine;
  }
  diagnostic.code = error.code;
  diagnostic.message = describe(error);
  return diagnostic;
}

std::string count_diagnostics(int errors, int warnings) {
  std::string text = std::to_string(errors) + (errors == 1 ? " error, " : " errors, ");
  text += std::to_string(warnings);
  text += warnings == 1 ? " warning" : " warnings";
  return text;
}

namespace {

// The warning a failed placement is shown as.
WarningId warning_of(const MarkerWarning& warning) {
  switch (warning.code) {
    case kRuleAPlacementFailed: return WarningId::kCodePointAtSignal;
    case kRulesBToDPlacementFailed: return WarningId::kCodePointBeforeSlowdown;
    default: return WarningId::kCodePointInSlowdown;
  }
}

}  // namespace

Diagnostic marker_diagnostic(const MarkerWarning& warning, const Placement* holder) {
  const std::string cell = cell_and_metres(warning.cell);
  const std::string entry = holder ? "the " + std::string(holder->title) + " at " +
                                         metres(static_cast<int32_t>(holder->position))
                                   : std::string();
  const std::string head = std::string("rule ") + warning.rule + ": no free cell for a code point ";
  std::string message;
  switch (warning.rule) {
    case 'A':
      message = head + "ahead of " + (holder ? entry : "the signal") + " in " + cell + ": the " +
                std::to_string(kSignalLookBack) + " cells before it are taken";
      break;
    case 'B':
    case 'C':
    case 'D':
      message = head + distance_span(*distance_rule(warning.rule)) + " before the start of " +
                (holder ? entry : "the slowdown") + ", whose start is " + cell;
      break;
    default:
      message = head + "near " + cell +
                ", inside a slow slowdown or ahead of the first signal "
                "after it";
  }
  return make_warning(warning_of(warning), holder ? holder->location : SourceLocation{}, message);
}

std::string format_warning(const MarkerWarning& warning) {
  return "warning " + DiagnosticCode(warning_of(warning)).text() + ": " + describe(warning);
}

std::string format_stop(const BuildReport& report, bool writes) {
  switch (report.end) {
    case BuildEnd::kDone: return {};
    case BuildEnd::kStopped: return " Errore n. " + std::to_string(report.stop);
    case BuildEnd::kNoCells:
      return std::string(
                 "the line text gave no usable route length, so there are no track "
                 "cells") +
             (writes ? ": no scenario file was written" : "");
    case BuildEnd::kWriteFailed: return report.write_error;
  }
  return {};
}

std::string format_outcome(const BuildReport& report, const BuildPlan& plan) {
  if (report.end != BuildEnd::kDone || !report.findings.empty()) return "";
  std::string line;
  if (plan.write_files) {
    line = "wrote " + plan.outputs.line_trace + ", " + plan.outputs.records + " and " +
           plan.outputs.cells;
  } else {
    line = "no errors in " + plan.texts.line_path + " and " + plan.texts.train_path;
  }
  return line;
}

}  // namespace sb

namespace sb {

std::string explain_stop(const BuildReport& report, const BuildState& state,
                         const Placement* holder, const TextNames& names, bool writes) {
  std::string text = format_stop(report, writes);
  const std::string_view nothing_written = writes ? "; no file was written" : "";
  if (report.end != BuildEnd::kStopped || !state.cell_exists(1)) return text;
  const bool marks = report.stop == kFormatMarkHeld;
  const GeneralRecord& scenario = state.record(kScenarioRecord);
  if ((marks ? scenario.short_1 : scenario.long_4) != 0) {
    return text + ": record 85, which carries the " + (marks ? "format mark" : "scenario code") +
           ", already holds a value" + std::string(nothing_written);
  }
  const TrackCell& cell = state.cell(1);
  text += ": cell 1 (at 50 m), which carries the ";
  text += marks ? "format mark, already holds a " : "scenario code, already holds a ";
  text += cell_kind_name(cell.kind);
  text += " with value " + std::to_string(marks ? cell.value_1 : cell.value_2);
  if (holder != nullptr) {
    text += ", put there by " + holder->what() + " (";
    text += holder->location.text == SourceLocation::Text::kTrain ? names.train : names.line;
    text += ':';
    text += std::to_string(holder->location.line);
    text += ':';
    text += std::to_string(holder->location.column);
    text += ')';
  }
  return text + std::string(nothing_written);
}

}  // namespace sb
