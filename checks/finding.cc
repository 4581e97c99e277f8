#include "checks/finding.h"

#include <algorithm>
#include <tuple>

#include "model/text.h"

namespace sb {

const std::vector<WarningKind>& warning_kinds() {
  static const std::vector<WarningKind> kinds = {
      {WarningId::kUnknownKeyword, 21, "unknown-keyword",
       "a field where a keyword is expected matches no entry"},
      {WarningId::kKeywordCase, 22, "keyword-case",
       "a keyword that would match but for letter case"},
      {WarningId::kWrongSection, 23, "wrong-section",
       "an entry in a section where it is not recognised"},
      {WarningId::kNotANumber, 24, "not-a-number", "a value that is not a whole number reads 0"},
      {WarningId::kFraction, 25, "fraction", "a number with a fraction is rounded"},
      {WarningId::kValuesShifted, 26, "values-shifted",
       "an entry short of values takes them from the next keyword or header"},
      {WarningId::kCutAtComma, 27, "cut-at-comma",
       "a comment or a text cut at a comma on its line"},
      {WarningId::kBeyondRoute, 28, "beyond-route",
       "a position beyond the route length, inside the cells"},
      {WarningId::kOrder, 29, "order", "entries out of order or overlapping"},
      {WarningId::kRange, 30, "range", "a value outside the range its slot keeps"},
      {WarningId::kEncoding, 31, "encoding", "a text that looks like UTF-8 or UTF-16"},
      {WarningId::kMissingEntry, 32, "missing-entry",
       "a train text without a general section, a clock or a station"},
      {WarningId::kCutShort, 33, "cut-short",
       "a text that does not end with its [fine] line"},
      {WarningId::kCurveSide, 34, "curve-side",
       "a curve keyword without the side letter s or d"},
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

Finding make_warning(WarningId id, SourceLocation location, std::string message) {
  const WarningKind& kind = warning_kind(id);
  Finding finding;
  finding.severity = Finding::Severity::kWarning;
  finding.location = location;
  finding.code = kind.code;
  finding.name = std::string(kind.name);
  finding.message = std::move(message);
  return finding;
}

void sort_findings(std::vector<Finding>& findings) {
  std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
    const auto key = [](const Finding& f) {
      const int text = f.location.text == SourceLocation::Text::kTrain ? 1 : 0;
      return std::make_tuple(text, f.location.line, f.location.column);
    };
    return key(a) < key(b);
  });
}

std::string format_finding(const Finding& finding, std::string_view line_text_name,
                           std::string_view train_text_name) {
  std::string text(finding.location.text == SourceLocation::Text::kTrain ? train_text_name
                                                                          : line_text_name);
  if (finding.location.line > 0) {
    text += ':';
    text += std::to_string(finding.location.line);
    text += ':';
    text += std::to_string(finding.location.column);
  }
  const bool warning = finding.severity == Finding::Severity::kWarning;
  text += warning ? ": warning W" : ": error E";
  text += std::to_string(finding.code);
  text += ": ";
  text += finding.message;
  if (warning && !finding.name.empty()) {
    text += " [-W";
    text += finding.name;
    text += ']';
  }
  return text;
}

std::string shown(std::string_view cp1252) { return cp1252_to_utf8(cp1252); }

}  // namespace sb
