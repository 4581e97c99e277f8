#include "compiler/finding_text.h"

#include <string_view>

#include "format/cell_geometry.h"
#include "format/cells.h"
#include "format/records.h"
#include "format/station_area.h"
#include "model/build_state.h"
#include "model/error_codes.h"

namespace sb {
namespace {

// Only a text that cannot be read or ends early is announced as a read
// failure; the other causes speak for themselves.
bool announced(ReadCause cause) {
  return cause == ReadCause::kUnreadable || cause == ReadCause::kTextEnds;
}

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

}  // namespace

std::string metres(int64_t position) { return std::to_string(position) + " m"; }

std::string describe(const Finding& finding) {
  const int32_t p = finding.position.value_or(0);
  switch (finding.code) {
    case kLineTextMissing: return "the line text does not exist";
    case kNoGeneralSection:
      return "no field contains \"[generale]\": the text has no general section";
    case kRouteLengthRefused:
      return "the route length " + metres(finding.value) + " is outside 0 to " +
             metres(kMaxRouteLength);
    case kCabStartNotMultiple:
      return "the cab-signalling start " + metres(finding.value) + " is not a multiple of " +
             metres(kCellLength);
    case kCabEndNotMultiple:
      return "the cab-signalling end " + metres(finding.value) + " is not a multiple of " +
             metres(kCellLength);
    case kCabCodesMissing: return "the cab-signalling keyword field names neither 4 nor 9 codes";
    case kOutsideTheLine:
      return "the entry at " + metres(p) + " lies outside the line, whose last cell is " +
             std::to_string(finding.value) + " (the rest of the text is not compiled)";
    case kBoardRecordsFull:
      return "the indication board at " + metres(p) + " finds no free record: at most " +
             std::to_string(kTopBoardRecord) + " boards, fewer with stations";
    case kMountainTableFull:
      return "the mountain stretch at " + metres(p) + " is beyond the " +
             std::to_string(kMaxMountainStretches) + "th";
    case kCurveRefused:
      return "the curve has no class digit 1 to 6 in its keyword field, or it runs past the "
             "end of the line trace";
    case kIndicationBoardTaken:
      return "the indication board at " + metres(p) + " needs " + taken_cell(finding);
    case kSpeedBoardTaken:
      return "the speed board at " + metres(p) + " needs " + taken_cell(finding);
    case kReadFailed:
      // A text that cannot be read or ends too soon is a failure of reading;
      // the other causes say what the compile cannot keep themselves.
      return announced(finding.cause) ? "read failure: " + finding.detail : finding.detail;
    case kChainageNotMultiple:
      return "a kilometre chainage starts or reads at a value that is not a multiple of " +
             metres(kCellLength);
    case kCodePointTaken: return "the code point at " + metres(p) + " needs " + taken_cell(finding);
    case kStationPositionNotMultiple:
      return "the station at " + metres(p) + " does not stand at a multiple of " +
             metres(kCellLength);
    case kStationLengthNotMultiple:
      return "the station at " + metres(p) + " has a length that is not a multiple of " +
             metres(kStationLengthStep);
    case kStationTableFull:
      return "too many stations: they reach the records kept for the indication boards";
    case kSignalTaken: return "the signal at " + metres(p) + " needs " + taken_cell(finding);
    case kSlowdownWarningTaken:
      return "the slowdown at " + metres(p) + " needs the warning " + taken_cell(finding);
    case kSlowdownStartTaken:
      return "the slowdown at " + metres(p) + " needs the start " + taken_cell(finding);
    case kSlowdownEndTaken:
      return "the end cell of the slowdown starting at " + metres(p) + " is already taken";
    case kSlowdownLeadInTaken:
      return "a warning lead-in cell of the slowdown starting at " + metres(p) +
             " is already taken";
    case kStationsTooClose:
      return "the station at " + metres(p) + " starts less than " + metres(kStationSpacing) +
             " after the end of the previous station";
    case kStationAtLineStart:
      return "a station ends within " + metres(kStationStartMargin) + " of the start of the line";
    default: return "compile error " + std::to_string(finding.code);
  }
}

namespace {

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
  return where(error, names) + ": error E" + std::to_string(error.code) + ": " + describe(error);
}

}  // namespace sb
