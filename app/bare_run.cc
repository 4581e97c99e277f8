#include "app/bare_run.h"

#include "app/exit_status.h"
#include "app/program_message.h"
#include "compiler/memorizza_percorso.h"
#include "checks/compile_diagnostics.h"
#include "platform/file_set_writer.h"
#include "platform/paths.h"
#include "sources/builtin_scenario.h"
#include "sources/driver_documents.h"
#include "sources/line_list_writer.h"
#include "util/shell_word.h"

namespace sb {
namespace {

// The five texts of the run as one set, in order: either all of them are
// new or every old one stays.  False and *error (naming the file) on failure.
bool write_texts(FileSystem& fs, const std::string& dir, const BuildState& state,
                 std::string* error) {
  const std::string& name = state.scenario_name;
  const std::string& train = state.train_number;
  const struct {
    std::string name;
    const std::vector<std::string_view>& lines;
  } texts[] = {{line_text_name(name), builtin_line_text()},
               {train_text_name(name, train), builtin_train_text()},
               {notes_name(name, train), notes_text()},
               {slow_order_form_name(name, train), slow_order_form_text()},
               {timetable_card_name(name, train), timetable_card_text()}};
  FileSetWriter files(fs);
  for (const auto& text : texts) {
    if (BufferedWriter* out = files.add(join_path(dir, text.name))) {
      out->put(line_list_bytes(text.lines));
    }
  }
  if (files.commit()) return true;
  *error = files.error();
  return false;
}

// A name beside `path` that no file holds: PATH.bak, else PATH.2.bak, ...
std::string free_backup_name(FileSystem& fs, const std::string& path) {
  std::string name = path + ".bak";
  for (int n = 2; fs.exists(name) || fs.is_directory(name); ++n) {
    name = path + "." + std::to_string(n) + ".bak";
  }
  return name;
}

// A source text in the way that is not the built-in one (an author's edits)
// is renamed aside before the run writes its own; false and *error when it
// cannot be.  `*kept` is then the name it was given (else left alone).
bool keep_aside_if_edited(FileSystem& fs, const std::string& path,
                          const std::vector<std::string_view>& builtin, std::ostream& notices,
                          std::string* kept, std::string* error) {
  if (!fs.exists(path)) return true;
  std::string contents;
  std::string unread;
  if (fs.read_file(path, &contents, &unread) && contents == line_list_bytes(builtin)) return true;
  const std::string backup = free_backup_name(fs, path);
  if (!fs.rename(path, backup, error)) return false;
  begin_message(notices) << path << " differs from the built-in text: kept as " << backup << '\n';
  *kept = backup;
  return true;
}

// How to compile the texts kept aside: their names no longer say the
// scenario and the train, so the command line does; a text not kept is the
// built-in one, which stays only with --keep-sources.
std::string compile_kept_hint(const std::string& line, const std::string& train, bool line_kept,
                              bool train_kept, bool keep_sources, const BuildState& state) {
  std::string hint = program_message("to compile the kept text: scenario-builder compile ") +
                     shell_word(line) + ' ' + shell_word(train) + " --scenario " +
                     shell_word(state.scenario_name) + " --train-number " +
                     shell_word(state.train_number);
  if ((!line_kept || !train_kept) && !keep_sources) {
    hint += " (run with --keep-sources to keep the built-in " +
            std::string(line_kept ? "train" : "line") + " text)";
  }
  return hint + '\n';
}

// Makes the directory of the run and clears the way for the source texts.
bool prepare_directory(FileSystem& fs, const BareRunOptions& options, const BuildState& state,
                       std::ostream& notices, std::string* error) {
  const std::string& dir = options.directory;
  const std::string& name = state.scenario_name;
  std::string line = join_path(dir, line_text_name(name));
  std::string train = join_path(dir, train_text_name(name, state.train_number));
  std::string kept_line;
  std::string kept_train;
  if (!fs.make_directories(dir, error) ||
      !keep_aside_if_edited(fs, line, builtin_line_text(), notices, &kept_line, error) ||
      !keep_aside_if_edited(fs, train, builtin_train_text(), notices, &kept_train, error)) {
    return false;
  }
  if (!kept_line.empty() || !kept_train.empty()) {
    notices << compile_kept_hint(kept_line.empty() ? line : kept_line,
                                 kept_train.empty() ? train : kept_train, !kept_line.empty(),
                                 !kept_train.empty(), options.keep_sources, state);
  }
  return true;
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
  if (!prepare_directory(file_system, options, state, diagnostics, &error) ||
      !write_texts(file_system, options.directory, state, &error)) {
    window.show_message("Errore imprevisto: " + error);
    window.close();
    return kExitNotWritten;
  }
  const BuildPlan plan = bare_plan(options, state);
  const BuildReport report = memorizza_percorso(state, kWithLineTrace, file_system, plan);
  report_build(report, plan, window, diagnostics);
  window.close();
  return exit_status(report);
}

}  // namespace sb
