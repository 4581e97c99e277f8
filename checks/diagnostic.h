#ifndef SCENARIO_BUILDER_CHECKS_DIAGNOSTIC_H_
#define SCENARIO_BUILDER_CHECKS_DIAGNOSTIC_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/build_state.h"
#include "model/source_location.h"

namespace sb {

// The warnings of a build, each with a stable code and name: those of the
// code points the build adds around slowdowns (W11 to W13), the checks' of
// form (W21 to W49) and of meaning (W50 on).
enum class WarningId {
  kCodePointAtSignal,
  kCodePointBeforeSlowdown,
  kCodePointInSlowdown,
  kUnknownKeyword,
  kKeywordCase,
  kWrongSection,
  kNotANumber,
  kFraction,
  kValuesShifted,
  kCutAtComma,
  kBeyondRoute,
  kOrder,
  kRange,
  kEncoding,
  kMissingEntry,
  kCutShort,
  kCurveSide,
  kCommentEntry,
  kCurveHand,
  kNoGeneralSection,
  kWrapped,
  kRouteLengthNotANumber,
  kLastStopDropped,
  kGradientOrder,
  kTimetableOrder,
  kInfeasibleLeg,
  kSlowdownNotSlower,
  kSlowdownEmpty,
  kSlowdownPastEnd,
  kSlowdownOverlap,
  kSpeedLimitZero,
  kNamedPointTime,
};

// How loud a warning is unless the command line says otherwise: one that
// loses the author's data is an error by default; one that a correct text
// may trigger is shown only with -Wall.
enum class WarningLevel { kWarning, kError, kAll };

struct WarningKind {
  WarningId id;
  int code;               // W<code>
  std::string_view name;  // -W<name>, -Wno-<name>
  std::string_view summary;
  WarningLevel level = WarningLevel::kWarning;
};

const std::vector<WarningKind>& warning_kinds();
const WarningKind& warning_kind(WarningId id);
std::optional<WarningId> warning_by_name(std::string_view name);

// One thing said about a source text: an error of the compile or a warning
// of the checks.  The message is UTF-8, ready to be shown.
struct Diagnostic {
  enum class Severity { kError, kWarning };
  Severity severity = Severity::kWarning;
  SourceLocation location;
  int code = 0;      // E<code>, or W<code> for a named warning (shown as an
                     // error when the command line or its level makes it one)
  std::string name;  // the warning's name; empty for the compile's errors
  std::string message;
  // Where the entry stands that the message names beside this one's.
  std::optional<SourceLocation> related;
};

Diagnostic make_warning(WarningId id, SourceLocation location, std::string message);

// "E22" or "W26": W for every diagnostic with a warning's name, whatever its
// severity.
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
