#include "checks/compile_diagnostics.h"

#include <algorithm>
#include <string_view>

#include "model/error_codes.h"

namespace sb {
namespace {

bool is_read_failure(std::string_view detail) {
  return detail.starts_with("the text ends") || detail.starts_with("cannot read");
}

std::string metres(int64_t position) { return std::to_string(position) + " m"; }

// "cell 18, which already holds a speed board"
std::string taken_cell(const Finding& e) {
  std::string text = "cell " + std::to_string(e.cell);
  if (e.holder) {
    const std::string kind = cell_kind_name(*e.holder);
    const bool vowel = std::string_view("aeiou").find(kind[0]) != std::string_view::npos;
    text += (vowel ? ", which already holds an " : ", which already holds a ") + kind;
  }
  return text;
}

std::string message(const Finding& e) {
  const int32_t p = e.position.value_or(0);
  switch (e.code) {
    case kLineTextMissing: return "the line text does not exist";
    case kNoGeneralSection:
      return "no field contains \"[generale]\": the text has no general section";
    case kRouteLengthRefused:
      return "the route length " + metres(e.value) + " is outside 0 to 1000000 m";
    case kCabStartNotMultiple:
      return "the cab-signalling start " + metres(e.value) + " is not a multiple of 50 m";
    case kCabEndNotMultiple:
      return "the cab-signalling end " + metres(e.value) + " is not a multiple of 50 m";
    case kCabCodesMissing: return "the cab-signalling keyword field names neither 4 nor 9 codes";
    case kOutsideTheLine:
      return "the entry at " + metres(p) + " lies outside the line, whose last cell is " +
             std::to_string(e.value) + " (the rest of the text is not compiled)";
    case kBoardRecordsFull:
      return "the indication board at " + metres(p) +
             " finds no free record: at most 80 boards, fewer with stations";
    case kMountainTableFull: return "the mountain stretch at " + metres(p) + " is beyond the 80th";
    case kCurveRefused:
      return "the curve has no class digit 1 to 6 in its keyword field, or it runs past the "
             "end of the line trace";
    case kIndicationBoardTaken:
      return "the indication board at " + metres(p) + " needs " + taken_cell(e);
    case kSpeedBoardTaken: return "the speed board at " + metres(p) + " needs " + taken_cell(e);
    case kReadFailed:
      // Only a text that ends too soon is a failure of reading; the others
      // are values the compile cannot keep, and say so themselves.
      return is_read_failure(e.detail) ? "read failure: " + e.detail : e.detail;
    case kChainageNotMultiple:
      return "a kilometre chainage starts or reads at a value that is not a multiple of 50 m";
    case kCodePointTaken: return "the code point at " + metres(p) + " needs " + taken_cell(e);
    case kStationPositionNotMultiple:
      return "the station at " + metres(p) + " does not stand at a multiple of 50 m";
    case kStationLengthNotMultiple:
      return "the station at " + metres(p) + " has a length that is not a multiple of 100 m";
    case kStationTableFull:
      return "too many stations: they reach the records kept for the indication boards";
    case kSignalTaken: return "the signal at " + metres(p) + " needs " + taken_cell(e);
    case kSlowdownWarningTaken:
      return "the slowdown at " + metres(p) + " needs the warning " + taken_cell(e);
    case kSlowdownStartTaken:
      return "the slowdown at " + metres(p) + " needs the start " + taken_cell(e);
    case kSlowdownEndTaken:
      return "the end cell of the slowdown starting at " + metres(p) + " is already taken";
    case kSlowdownLeadInTaken:
      return "a warning lead-in cell of the slowdown starting at " + metres(p) +
             " is already taken";
    case kStationsTooClose:
      return "the station at " + metres(p) +
             " starts less than 350 m after the end of the previous station";
    case kStationAtLineStart: return "a station ends within 100 m of the start of the line";
    default: return "compile error " + std::to_string(e.code);
  }
}

std::string where(const Finding& e, const TextNames& names) {
  std::string text;
  switch (e.location.text) {
    case SourceLocation::Text::kLine: text = names.line; break;
    case SourceLocation::Text::kTrain: text = names.train; break;
    case SourceLocation::Text::kNone: text = names.line; break;
  }
  if (e.location.line > 0) {
    // Appended piece by piece: GCC 12 sees a false overlap in "x" + string at -O3.
    text += ':';
    text += std::to_string(e.location.line);
    text += ':';
    text += std::to_string(e.location.column);
  }
  return text;
}

}  // namespace

std::string format_compile_error(const Finding& error, const TextNames& names) {
  return where(error, names) + ": error E" + std::to_string(error.code) + ": " + message(error);
}

Diagnostic compile_error_diagnostic(const Finding& error) {
  Diagnostic diagnostic;
  diagnostic.severity = Diagnostic::Severity::kError;
  diagnostic.location = error.location;
  if (diagnostic.location.text == SourceLocation::Text::kNone) {
    diagnostic.location.text = SourceLocation::Text::kLine;
  }
  diagnostic.code = error.code;
  diagnostic.message = message(error);
  return diagnostic;
}

std::string count_diagnostics(int errors, int warnings) {
  std::string text = std::to_string(errors) + (errors == 1 ? " error, " : " errors, ");
  text += std::to_string(warnings);
  text += warnings == 1 ? " warning" : " warnings";
  return text;
}

Diagnostic marker_diagnostic(const MarkerWarning& warning, const Placement* holder) {
  static constexpr WarningId kByCode[] = {WarningId::kCodePointAtSignal,
                                          WarningId::kCodePointBeforeSlowdown,
                                          WarningId::kCodePointInSlowdown};
  const WarningId id = kByCode[std::clamp(warning.code - kRuleAPlacementFailed, 0, 2)];
  const std::string cell = "cell " + std::to_string(warning.cell) + " at " +
                           metres(static_cast<int32_t>(cell_start(warning.cell)));
  const std::string entry = holder ? "the " + std::string(holder->title) + " at " +
                                         metres(static_cast<int32_t>(holder->position))
                                   : std::string();
  const std::string head = std::string("rule ") + warning.rule + ": no free cell for a code point ";
  std::string message;
  switch (warning.rule) {
    case 'A':
      message = head + "ahead of " + (holder ? entry : "the signal") + " in " + cell +
                ": the 20 cells before it are taken";
      break;
    case 'B':
    case 'C':
    case 'D': {
      const char* span = warning.rule == 'B'   ? "250 to 350 m"
                         : warning.rule == 'C' ? "550 to 650 m"
                                               : "900 to 1000 m";
      message = head + span + " before the start of " + (holder ? entry : "the slowdown") +
                ", whose start is " + cell;
      break;
    }
    default:
      message = head + "near " + cell +
                ", inside a slow slowdown or ahead of the first signal "
                "after it";
  }
  return make_warning(id, holder ? holder->location : SourceLocation{}, message);
}

std::string format_warning(const MarkerWarning& warning) {
  return "warning W" + std::to_string(warning.code) + ": " + describe(warning);
}

std::string format_stop(const BuildReport& report) {
  switch (report.end) {
    case BuildEnd::kDone: return {};
    case BuildEnd::kStopped: return " Errore n. " + report.stop;
    case BuildEnd::kNoCells:
      return "the line text gave no usable route length, so there are no track cells: no "
             "scenario file was written";
    case BuildEnd::kWriteFailed: return report.stop;
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
                         const Placement* holder, const TextNames& names) {
  std::string text = format_stop(report);
  if (report.end != BuildEnd::kStopped || !state.cell_exists(1)) return text;
  const bool marks = report.stop == "1250";
  const GeneralRecord& scenario = state.record(kScenarioRecord);
  if ((marks ? scenario.short_1 : scenario.long_4) != 0) {
    return text + ": record 85, which carries the " + (marks ? "format mark" : "scenario code") +
           ", already holds a value; no file was "
           "written";
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
  return text + "; no file was written";
}

}  // namespace sb
