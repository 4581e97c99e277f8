#include "app/compile_command.h"

#include "app/build_driver.h"
#include "app/diagnostics.h"
#include "app/scenario_names.h"

namespace sb {
namespace {

constexpr int kUsageError = 2;
constexpr int kNotWritten = 3;

// NAME and N as the command line gives them, for the file names; the build
// state gets them in Windows-1252, for the records.
struct Names {
  std::string scenario;
  std::string train;
};

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
  const auto scenario = checked_name("the scenario name", name, false, error);
  if (!scenario) return false;
  std::string number = options.train_number;
  if (number.empty()) {
    const auto derived = train_number_from_train_text(options.train_text, name);
    if (!derived) {
      *error = "the train text " + options.train_text + " is not named " + name +
               "_N-.txt: give the train number with --train-number";
      return false;
    }
    number = *derived;
  }
  const auto train = checked_name("the train number", number, true, error);
  if (!train) return false;
  state->scenario_name = *scenario;
  state->train_number = *train;
  *names = {name, number};
  return true;
}

bool inputs_readable(const CompileOptions& options, FileSystem& file_system, std::string* error) {
  std::string contents;
  return file_system.read_file(options.line_text, &contents, error) &&
         file_system.read_file(options.train_text, &contents, error);
}

}  // namespace

int compile_command(const CompileOptions& options, FileSystem& file_system, std::ostream& err) {
  BuildState state;
  std::string error;
  Names names;
  if (!resolve_names(options, &state, &names, &error) ||
      !inputs_readable(options, file_system, &error)) {
    err << "scenario-builder: " << error << '\n';
    return kUsageError;
  }
  BuildPlan plan;
  plan.texts = {options.line_text, options.train_text, /*delete_after_reading=*/false};
  plan.outputs =
      scenario_file_names(options.output_directory, names.scenario, names.train);
  plan.write_files = options.write_files;
  if (plan.write_files && !file_system.make_directories(options.output_directory, &error)) {
    err << "scenario-builder: " << error << '\n';
    return kNotWritten;
  }
  const BuildReport report = memorizza_percorso(state, 1, file_system, plan);
  const std::string compile_error =
      format_compile_error(report.compile_error, state, {options.line_text, options.train_text});
  if (!compile_error.empty()) err << compile_error << '\n';
  for (const MarkerWarning& warning : report.warnings) err << format_warning(warning) << '\n';
  if (report.end != BuildEnd::kDone) err << "scenario-builder: " << format_stop(report) << '\n';
  const std::string outcome = format_outcome(report, plan);
  if (!outcome.empty()) err << "scenario-builder: " << outcome << '\n';
  return exit_status(report);
}

}  // namespace sb
