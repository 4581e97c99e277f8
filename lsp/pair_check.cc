#include "lsp/pair_check.h"

#include <limits>
#include <utility>

#include "checks/checked_build.h"
#include "checks/compile_diagnostics.h"
#include "format/file_names.h"
#include "format/scenario_names.h"
#include "platform/memory_file_system.h"

namespace sb {
namespace {

// NAME and N in Windows-1252, from the file names; false with *error when
// a name cannot be one.
bool set_names(const PairTexts& texts, BuildState* state, std::string* error) {
  const auto name = scenario_name_from_line_text(texts.line_path);
  std::string scenario;
  if (!checked_name("the scenario name", name.value_or(std::string()), false, &scenario, error)) {
    return false;
  }
  const auto number = train_number_from_train_text(texts.train_path, *name);
  // A train text without a line text of its NAME is checked against an
  // empty one; its own N is then not needed.
  std::string train;
  if (!checked_name("the train number", number.value_or("1"), true, &train, error)) return false;
  state->scenario_name = std::move(scenario);
  state->train_number = std::move(train);
  return true;
}

}  // namespace

PairCheck check_pair(const PairTexts& texts) {
  PairCheck result;
  result.state = std::make_unique<BuildState>();
  std::string error;
  if (!set_names(texts, result.state.get(), &error)) {
    Diagnostic diagnostic;
    diagnostic.severity = Diagnostic::Severity::kError;
    diagnostic.location = {SourceLocation::Text::kLine, 1, 1};
    diagnostic.message = error;
    result.diagnostics.push_back(std::move(diagnostic));
    return result;
  }
  MemoryFileSystem file_system;
  BuildPlan plan;
  plan.texts = {texts.line_path, texts.train_path, /*delete_after_reading=*/false, &texts.line,
                &texts.train};
  plan.write_files = false;
  CheckedBuild checked = checked_build(*result.state, file_system, plan, {});
  result.diagnostics = std::move(checked.diagnostics);
  result.line = checked.line;
  if (checked.report.end != BuildEnd::kDone) {
    const SourceLocation end_of_texts{SourceLocation::Text::kTrain, std::numeric_limits<int>::max(),
                                      0};
    const Placement* holder = holder_of(1, end_of_texts, checked.line, checked.train);
    Diagnostic stop;
    stop.severity = Diagnostic::Severity::kError;
    stop.location = holder ? holder->location : SourceLocation{SourceLocation::Text::kLine, 1, 1};
    stop.message =
        explain_stop(checked.report, *result.state, holder, {texts.line_path, texts.train_path});
    result.diagnostics.push_back(std::move(stop));
  }
  return result;
}

}  // namespace sb
