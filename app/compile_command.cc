#include "app/compile_command.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "app/exit_status.h"
#include "app/program_message.h"
#include "compiler/memorizza_percorso.h"
#include "output/scenario_files.h"
#include "checks/checked_build.h"
#include "checks/compile_diagnostics.h"
#include "checks/diagnostic_report.h"
#include "checks/timetable.h"
#include "checks/timetable_report.h"
#include "format/file_names.h"
#include "format/scenario_names.h"
#include "platform/overlapping_files.h"
#include "checks/cell_view.h"
#include "checks/scenario_summary.h"
#include "checks/text_check.h"
#include "app/version.h"

namespace sb {
namespace {

// NAME and N as the command line gives them, for the file names; the build
// state gets them in Windows-1252, for the records.
struct Names {
  std::string scenario;
  std::string train;
};

std::string file_name_of(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool is_compiled_file(const std::string& path) {
  return path.ends_with(".dat") || path.ends_with(".sim");
}

// Whether the input names could be the two texts, in order; false with
// *error when they say the texts were given the wrong way: a compiled file
// for a text, or the two texts swapped.
bool texts_given_rightly(const CompileOptions& options, std::string* error) {
  for (const std::string* path : {&options.line_text, &options.train_text}) {
    if (is_compiled_file(*path)) {
      *error = *path +
               " is a compiled file, not a source text: compile reads the two texts, "
               "NAME_linea.txt and NAME_N-.txt (dump " +
               *path + " shows what the file holds)";
      return false;
    }
  }
  const std::string line = file_name_of(options.line_text);
  const std::string train = file_name_of(options.train_text);
  if (!line.ends_with(kLineTextSuffix) && line.ends_with(kTrainTextSuffix) &&
      train.ends_with(kLineTextSuffix)) {
    *error = "the texts are given the other way round: the line text (" + train +
             ") comes first, then the train text (" + line + ")";
    return false;
  }
  return true;
}

// Resolves NAME and N from the options or the input names.
bool resolve_names(const CompileOptions& options, BuildState* state, Names* names,
                   std::string* error) {
  std::string name = options.scenario_name;
  if (name.empty()) {
    const auto derived = scenario_name_from_line_text(options.line_text);
    if (!derived) {
      *error = "the line text " + options.line_text +
               " is not named NAME_linea.txt: give the scenario name with --scenario";
      return false;
    }
    name = *derived;
  }
  std::string scenario;
  if (!checked_name("the scenario name", name, false, &scenario, error)) return false;
  std::string number = options.train_number;
  if (number.empty()) {
    const auto derived = train_number_from_train_text(options.train_text, name);
    const std::string train_file = file_name_of(options.train_text);
    const size_t underscore = train_file.rfind('_');
    if (!derived && options.scenario_name.empty() && underscore != std::string::npos &&
        underscore > 0 && train_file.ends_with(kTrainTextSuffix)) {
      *error = "the train text " + options.train_text + " is of the scenario " +
               train_file.substr(0, underscore) + ", the line text " + options.line_text +
               " of the scenario " + name +
               ": give texts of one scenario, or name it with --scenario and --train-number";
      return false;
    }
    if (!derived) {
      *error = "the train text " + options.train_text + " is not named " + name +
               "_N-.txt: give the train number with --train-number";
      return false;
    }
    number = *derived;
  }
  std::string train;
  if (!checked_name("the train number", number, true, &train, error)) return false;
  state->scenario_name = std::move(scenario);
  state->train_number = std::move(train);
  *names = {name, number};
  return true;
}

struct Inputs {
  std::string line;
  std::string train;
};

bool read_inputs(const CompileOptions& options, FileSystem& file_system, Inputs* inputs,
                 std::string* error) {
  constexpr ReadLimit kText{kMostSourceTextBytes, kSourceTextKind};
  return file_system.read_file(options.line_text, kText, &inputs->line, error) &&
         file_system.read_file(options.train_text, kText, &inputs->train, error);
}

// What a compile with an error says of the files it did not write.
std::string nothing_written(const ScenarioFileNames& outputs, const CompileOptions& options,
                            FileSystem& file_system) {
  const std::string& directory = options.output_directory;
  const std::string place = directory == "." ? std::string("the current directory")
                                             : directory + (directory.ends_with('/') ? "" : "/");
  const bool kept = file_system.exists(outputs.records) || file_system.exists(outputs.cells) ||
                    file_system.exists(outputs.line_trace);
  return std::string("error: nothing written; ") +
         (kept ? "the files in " + place + " are from the last clean compile"
               : place + " holds no files of this scenario yet") +
         " (--write-on-error writes them)";
}

}  // namespace

int compile_command(const CompileOptions& options, FileSystem& file_system, std::ostream& err,
                    std::ostream* out) {
  BuildState state;
  std::string error;
  Names names;
  Inputs inputs;
  // A text that cannot be read says so before any complaint about its name.
  if (!texts_given_rightly(options, &error) ||
      !read_inputs(options, file_system, &inputs, &error) ||
      !resolve_names(options, &state, &names, &error)) {
    begin_message(err) << error << '\n';
    return kExitUsage;
  }
  BuildPlan plan;
  plan.texts = {options.line_text, options.train_text, /*delete_after_reading=*/false, &inputs.line,
                &inputs.train};
  plan.outputs = scenario_file_names(options.output_directory, names.scenario, names.train);
  plan.write_files = options.write_files;
  if (plan.write_files &&
      !no_input_is_an_output(file_system, {options.line_text, options.train_text},
                             {plan.outputs.line_trace, plan.outputs.records, plan.outputs.cells},
                             &error)) {
    err << "scenario-builder: " << error << ": nothing written\n";
    return kExitUsage;
  }
  if (plan.write_files && !file_system.make_directories(options.output_directory, &error)) {
    begin_message(err) << error << '\n';
    return kExitNotWritten;
  }
  // The files are written once the diagnostics are known: a build with an
  // error leaves the last good set in place unless --write-on-error.
  BuildPlan in_memory = plan;
  in_memory.write_files = false;
  CheckedBuild checked =
      checked_build(state, file_system, in_memory, options.warnings, !options.write_files);
  BuildReport& report = checked.report;
  const LineFacts& line = checked.line;
  const TrainFacts& train = checked.train;
  const std::vector<Diagnostic>& diagnostics = checked.diagnostics;
  const DiagnosticTexts texts{options.line_text, options.train_text, inputs.line, inputs.train};
  const auto errors_found =
      std::count_if(diagnostics.begin(), diagnostics.end(),
                    [](const Diagnostic& d) { return d.severity == Diagnostic::Severity::kError; });
  const bool withheld = plan.write_files && report.end == BuildEnd::kDone && errors_found > 0 &&
                        !options.write_on_error;
  if (plan.write_files && report.end == BuildEnd::kDone && !withheld &&
      !write_scenario_files(state, file_system, plan.outputs, &report.write_error)) {
    report.end = BuildEnd::kWriteFailed;
  }
  int errors = 0;
  int warnings = 0;
  for (const Diagnostic& diagnostic : diagnostics) {
    if (options.format == CompileOptions::Format::kText) {
      err << (options.color
                  ? format_colored_diagnostic(diagnostic, texts)
                  : format_diagnostic(diagnostic, options.line_text, options.train_text) + '\n');
    }
    ++(diagnostic.severity == Diagnostic::Severity::kError ? errors : warnings);
  }
  if (options.report != nullptr) {
    nlohmann::ordered_json listed = nlohmann::ordered_json::array();
    for (const Diagnostic& diagnostic : diagnostics) {
      listed.push_back(diagnostic_json(diagnostic, texts));
    }
    *options.report = {{"diagnostics", listed},
                       {"timetable", timetable_report_json(checked.timetable)}};
  }
  // As JSON, the summary is a member of the one document.
  const bool json = options.format == CompileOptions::Format::kJson;
  if (json && options.summary) {
    (out ? *out : err) << diagnostics_json(
        diagnostics, texts, {{"timetable", timetable_report_json(checked.timetable)}});
  } else if (json) {
    (out ? *out : err) << diagnostics_json(diagnostics, texts);
  } else if (options.format == CompileOptions::Format::kSarif) {
    (out ? *out : err) << diagnostics_sarif(diagnostics, texts, kProgramVersion);
  }
  if (report.end != BuildEnd::kDone) {
    const SourceLocation end_of_texts{SourceLocation::Text::kTrain, std::numeric_limits<int>::max(),
                                      0};
    begin_message(err) << explain_stop(report, state, holder_of(1, end_of_texts, line, train),
                                       {options.line_text, options.train_text}, plan.write_files)
                       << '\n';
  }
  if (errors + warnings > 0) err << count_diagnostics(errors, warnings) << '\n';
  if (withheld) begin_message(err) << nothing_written(plan.outputs, options, file_system) << '\n';
  // A check whose warnings were counted has said enough.
  if (errors == 0 && (plan.write_files || warnings == 0)) {
    const std::string outcome = format_outcome(report, plan);
    if (!outcome.empty()) begin_message(err) << outcome << '\n';
  }
  if (options.summary && !json) {
    (out ? *out : err) << scenario_summary(state, line, train)
                       << timetable_report(checked.timetable);
  }
  if (options.cells_at) {
    (out ? *out : err) << cell_view(state, *options.cells_at, line, train, options.line_text,
                                    options.train_text);
  }
  if (options.cells_at_chainage) {
    (out ? *out : err) << chainage_view(state, *options.cells_at_chainage, line, train,
                                        options.line_text, options.train_text);
  }
  int status = exit_status(report);
  if (status == 0 && errors > 0) status = 1;
  return status;
}

}  // namespace sb
