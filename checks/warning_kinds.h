#ifndef SCENARIO_BUILDER_CHECKS_WARNING_KINDS_H_
#define SCENARIO_BUILDER_CHECKS_WARNING_KINDS_H_

#include <optional>
#include <string_view>
#include <vector>

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
  int number;             // shown as W<number>; read through DiagnosticCode
  std::string_view name;  // -W<name>, -Wno-<name>
  std::string_view summary;
  WarningLevel level = WarningLevel::kWarning;
};

const std::vector<WarningKind>& warning_kinds();
const WarningKind& warning_kind(WarningId id);
std::optional<WarningId> warning_by_name(std::string_view name);

}  // namespace sb

#endif  // SCENARIO_BUILDER_CHECKS_WARNING_KINDS_H_
