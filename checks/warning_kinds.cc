#include "checks/warning_kinds.h"

namespace sb {

const std::vector<WarningKind>& warning_kinds() {
  static const std::vector<WarningKind> kinds = {
      {WarningId::kCodePointAtSignal, 11, "code-point-signal",
       "no free cell for the code point ahead of a signal before a slowdown"},
      {WarningId::kCodePointBeforeSlowdown, 12, "code-point-slowdown",
       "no free cell for a code point 250 to 1000 m before a slowdown"},
      {WarningId::kCodePointInSlowdown, 13, "code-point-slow",
       "no free cell for a code point inside a slow slowdown or just after it"},
      {WarningId::kUnknownKeyword, 21, "unknown-keyword",
       "a field where a keyword is expected matches no entry"},
      {WarningId::kKeywordCase, 22, "keyword-case",
       "a keyword that would match but for letter case"},
      {WarningId::kWrongSection, 23, "wrong-section",
       "an entry in a section where it is not recognised"},
      {WarningId::kNotANumber, 24, "not-a-number", "a value that is not a whole number reads 0"},
      {WarningId::kFraction, 25, "fraction", "a number with a fraction is rounded"},
      {WarningId::kValuesShifted, 26, "values-shifted",
       "an entry short of a value, or with one too many, takes its neighbour's fields",
       WarningLevel::kError},
      {WarningId::kCutAtComma, 27, "cut-at-comma",
       "a comment or a text cut at a comma on its line"},
      {WarningId::kBeyondRoute, 28, "beyond-route",
       "a position beyond the route length, inside the cells"},
      {WarningId::kOrder, 29, "order", "entries out of order or overlapping"},
      {WarningId::kRange, 30, "range", "a value outside the range its slot keeps"},
      {WarningId::kEncoding, 31, "encoding", "a text that looks like UTF-8 or UTF-16"},
      {WarningId::kMissingEntry, 32, "missing-entry", "a train text without a clock or a station"},
      {WarningId::kCutShort, 33, "cut-short", "a text that does not end with its [fine] line"},
      {WarningId::kCurveSide, 34, "curve-side", "a curve keyword without the side letter s or d"},
      {WarningId::kCommentEntry, 40, "comment-entry",
       "a comment field beyond the ones skipped in a row, read as a keyword field",
       WarningLevel::kError},
      {WarningId::kCurveHand, 41, "curve-hand",
       "a curve keyword whose words contradict the side it is read as", WarningLevel::kError},
      {WarningId::kNoGeneralSection, 42, "missing-general",
       "a train text without [generale], which yields no entries at all", WarningLevel::kError},
      {WarningId::kWrapped, 43, "wrapped-value",
       "a value kept in fewer bits that wraps into one of the opposite sign", WarningLevel::kError},
      {WarningId::kRouteLengthNotANumber, 44, "route-length",
       "a route length that does not read as a number, which makes a route of 0 m",
       WarningLevel::kError},
      {WarningId::kLastStopDropped, 45, "last-stop",
       "a last station of a kind that gets no stop cell, so that the run has no last stop",
       WarningLevel::kError},
      {WarningId::kGradientOrder, 46, "gradient-order",
       "a gradient change behind the previous one, which writes a single cell", WarningLevel::kAll},
      {WarningId::kTimetableOrder, 50, "timetable-order",
       "a station time earlier than the previous station's"},
      {WarningId::kInfeasibleLeg, 51, "infeasible-leg",
       "a leg scheduled faster than the speed limits and slowdowns allow"},
      {WarningId::kSlowdownNotSlower, 52, "slowdown-not-slower",
       "a slowdown not below the speed limit where it lies"},
      {WarningId::kSlowdownEmpty, 53, "slowdown-empty", "a slowdown 0 m long"},
      {WarningId::kSlowdownPastEnd, 54, "slowdown-past-end",
       "a slowdown that runs past the end of the line"},
      {WarningId::kSlowdownOverlap, 55, "slowdown-overlap",
       "two slowdowns that overlap with different speeds"},
      {WarningId::kSpeedLimitZero, 56, "speed-limit-zero", "a speed limit of 0 km/h"},
      {WarningId::kNamedPointTime, 57, "named-point-time",
       "a named point (station kind 25 or above) with a time or a stop time"},
  };
  return kinds;
}

const WarningKind& warning_kind(WarningId id) {
  for (const WarningKind& kind : warning_kinds()) {
    if (kind.id == id) return kind;
  }
  return warning_kinds().front();
}

std::optional<WarningId> warning_by_name(std::string_view name) {
  for (const WarningKind& kind : warning_kinds()) {
    if (kind.name == name) return kind.id;
  }
  return std::nullopt;
}

}  // namespace sb
