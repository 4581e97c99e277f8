#include "app/bare_run.h"

#include "app/build_driver.h"
#include "app/diagnostics.h"
#include "platform/program_dir.h"
#include "sources/builtin_scenario.h"
#include "sources/driver_documents.h"

namespace sb {
namespace {

// The five texts of the run, in order; false and *error at the first that
// cannot be written.
bool write_texts(FileSystem& fs, const std::string& dir, const BuildState& state,
                 std::string* error) {
  const std::string& name = state.scenario_name;
  const std::string& train = state.train_number;
  return dati_linea(fs, dir, name, error) && dati_treno(fs, dir, name, train, error) &&
         dati_note(fs, dir, name, train, error) &&
         dati_rallentamenti(fs, dir, name, train, error) &&
         dati_scheda(fs, dir, name, train, error);
}

BuildPlan bare_plan(const BareRunOptions& options, const BuildState& state) {
  BuildPlan plan;
  plan.texts.line_path = join_path(options.directory, line_text_name(state.scenario_name));
  plan.texts.train_path =
      join_path(options.directory, train_text_name(state.scenario_name, state.train_number));
  plan.texts.delete_after_reading = !options.keep_sources;
  plan.outputs = scenario_file_names(options.directory, state.scenario_name, state.train_number);
  return plan;
}

void report_build(const BuildReport& report, const BuildPlan& plan, Window& window,
                  std::ostream& diagnostics) {
  if (const Finding* error = final_compile_error(report)) {
    diagnostics << format_compile_error(*error, {plan.texts.line_path, plan.texts.train_path})
                << '\n';
  }
  for (const MarkerWarning& warning : report.warnings) {
    diagnostics << format_warning(warning) << '\n';
  }
  diagnostics.flush();
  if (report.end != BuildEnd::kDone) window.show_message(format_stop(report));
}

}  // namespace

int bare_run(const BareRunOptions& options, FileSystem& file_system, Window& window,
             std::ostream& diagnostics) {
  BuildState state;
  state.scenario_name = kBuiltinScenarioName;
  state.train_number = kBuiltinTrainNumber;
  window.show_waiting();
  std::string error;
  if (!write_texts(file_system, options.directory, state, &error)) {
    window.show_message("Errore imprevisto: " + error);
    window.close();
    return 3;
  }
  const BuildPlan plan = bare_plan(options, state);
  const BuildReport report = memorizza_percorso(state, 1, file_system, plan);
  report_build(report, plan, window, diagnostics);
  window.close();
  return exit_status(report);
}

}  // namespace sb
