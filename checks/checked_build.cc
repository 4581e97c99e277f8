#include "checks/checked_build.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <system_error>
#include <thread>

#include "checks/cell_conflicts.h"
#include "checks/compile_diagnostics.h"
#include "checks/meaning_checks.h"
#include "checks/separator_hint.h"
#include "checks/value_places.h"
#include "frontend/text_entries.h"

namespace sb {
namespace {

// The checks' warnings of both texts and the compile error, in the order of
// the texts and their lines.
std::vector<Diagnostic> diagnostics_of(const WarningOptions& warnings, std::vector<Diagnostic> all,
                                       const BuildReport& report, const LineFacts& line,
                                       const TrainFacts& train) {
  if (const Finding* error = final_compile_error(report)) {
    // The checks find what the compile refuses whatever the state, with more
    // to say: the compile's error gives way to theirs at the same place.
    Diagnostic compiled = compile_error_diagnostic(*error);
    const bool found = std::any_of(all.begin(), all.end(), [&](const Diagnostic& d) {
      return d.severity == Diagnostic::Severity::kError && d.code == compiled.code &&
             (d.location == compiled.location || compiled.location.line == 0);
    });
    if (!found) all.push_back(std::move(compiled));
  }
  const SourceLocation end_of_texts{SourceLocation::Text::kTrain, std::numeric_limits<int>::max(),
                                    0};
  for (const MarkerWarning& warning : report.warnings) {
    all.push_back(marker_diagnostic(warning, holder_of(warning.cell, end_of_texts, line, train)));
  }
  std::vector<Diagnostic> kept = apply_warning_options(warnings, std::move(all));
  sort_diagnostics(kept);
  return kept;
}

void check_texts(const SourceTexts& texts, bool look_further, CheckedBuild* checked) {
  checked->line = check_line_text(*texts.line_bytes, &checked->diagnostics);
  checked->train = check_train_text(*texts.train_bytes, checked->line, &checked->diagnostics);
  const TextEntries line = read_text_entries(*texts.line_bytes, SourceLocation::Text::kLine);
  const TextEntries train = read_text_entries(*texts.train_bytes, SourceLocation::Text::kTrain);
  if (look_further) {
    complete_cell_conflicts(line, train, checked->line, checked->train, &checked->diagnostics);
  }
  point_at_values(line, train, &checked->diagnostics);
  check_meaning(line, train, &checked->diagnostics);
  hint_separators(*texts.line_bytes, *texts.train_bytes, &checked->diagnostics);
  checked->timetable = timetable_of(train, LineSpeeds::of(train));
}

}  // namespace

CheckedBuild checked_build(BuildState& state, FileSystem& file_system, const BuildPlan& plan,
                           const WarningOptions& warnings, bool look_further) {
  CheckedBuild checked;
  // They share nothing but the texts; in turn when no thread can be had.
  std::thread helper;
  try {
    helper = std::thread(check_texts, std::cref(plan.texts), look_further, &checked);
  } catch (const std::system_error&) {
    check_texts(plan.texts, look_further, &checked);
  }
  checked.report = memorizza_percorso(state, kWithLineTrace, file_system, plan);
  if (helper.joinable()) helper.join();
  checked.diagnostics = diagnostics_of(warnings, std::move(checked.diagnostics), checked.report,
                                       checked.line, checked.train);
  return checked;
}

}  // namespace sb
